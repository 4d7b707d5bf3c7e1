#!/usr/bin/python3
"""sondrix-cli as a user runs it: its errors and edits, and the bundled templates against sample
files made by Debian's tools, checked against what an independent reader of each format
(ImageMagick, Python's wave module, fontTools, readelf, objdump) says about the same file."""
import json
import os
import re
import struct
import subprocess
import sys
import tempfile
import unittest
import wave

CLI = sys.argv.pop(1)
TEMPLATES = sys.argv.pop(1)
WORK = tempfile.mkdtemp(prefix="sondrix-formats-")


def run(*command):
    return subprocess.run(command, check=True, capture_output=True, text=True).stdout


def dump(template, path):
    """The rows of the file as sondrix-cli shows them; a dump must bind to the end."""
    return json.loads(run(CLI, "dump", "--templates", TEMPLATES, "-t", template, "--json", path))


def number(text):
    return int(text[1:], 16) if text.startswith("$") else int(text)


def values(rows, caption):
    """Every value shown under captions starting with `caption`, in display order."""
    return [number(r["value"]) for r in rows if r["kind"] in ("data", "count") and r["caption"].startswith(caption)]


def value(rows, caption):
    found = values(rows, caption)
    if not found:
        raise AssertionError(f"no row {caption!r}")
    return found[0]


def sample(name):
    return os.path.join(WORK, name)


def magick(*arguments):
    run("/usr/bin/convert", *arguments)


def identify(path, fmt):
    return run("/usr/bin/identify", "-format", fmt, path).split()


class ImageFormats(unittest.TestCase):
    def test_bitmap_headers(self):
        path = sample("red.bmp")
        magick("-size", "5x3", "xc:red", "-type", "TrueColor", path)
        rows = dump("bmp", path)
        width, height = map(int, identify(path, "%w %h"))
        self.assertEqual(value(rows, "Signature"), 0x4D42)
        self.assertEqual(value(rows, "File size"), os.path.getsize(path))
        self.assertEqual((value(rows, "Width"), value(rows, "Height")), (width, height))
        self.assertEqual(value(rows, "Planes"), 1)
        self.assertEqual(value(rows, "Bits per pixel"), 24)

    def test_gif_screen_descriptor(self):
        path = sample("green.gif")
        magick("-size", "7x4", "xc:green", path)
        rows = dump("gif", path)
        self.assertEqual(value(rows, "Signature"), 0x47494638)
        self.assertEqual(value(rows, "Version"), 0x3961)
        width, height = map(int, identify(path, "%W %H"))  # the logical screen
        self.assertEqual((value(rows, "Width"), value(rows, "Height")), (width, height))

    def test_png_header_chunk(self):
        path = sample("blue.png")
        magick("-size", "9x2", "gradient:blue-red", "PNG24:" + path)
        rows = dump("png", path)
        self.assertEqual(value(rows, "Signature"), 0x89504E470D0A1A0A)
        self.assertEqual(value(rows, "Chunk type"), 0x49484452)
        self.assertEqual((value(rows, "Width"), value(rows, "Height")), (9, 2))
        self.assertEqual(value(rows, "Bit depth"), 8)

    def test_icon_directory_lists_every_image(self):
        path = sample("multi.ico")
        magick("-size", "48x48", "xc:orange", "-define", "icon:auto-resize=48,32,16", path)
        rows = dump("ico", path)
        sizes = [int(s) for s in identify(path, "%w ")]
        self.assertEqual(value(rows, "Type"), 1)
        self.assertEqual(value(rows, "Images"), len(sizes))
        self.assertEqual(values(rows, "Width"), sizes)
        offsets = values(rows, "Image data offset")
        self.assertEqual(offsets[0], 6 + 16 * len(sizes))


class SoundAndMusic(unittest.TestCase):
    def test_pcm_wave_header(self):
        path = sample("tone.wav")
        with wave.open(path, "wb") as out:
            out.setnchannels(2)
            out.setsampwidth(2)
            out.setframerate(22050)
            out.writeframes(bytes(400))
        with wave.open(path, "rb") as reader:
            channels, width, rate, frames = reader.getnchannels(), reader.getsampwidth(), reader.getframerate(), reader.getnframes()
        rows = dump("wav", path)
        self.assertEqual(value(rows, "Chunk id"), 0x52494646)
        self.assertEqual(value(rows, "Audio format"), 1)
        self.assertEqual(value(rows, "Channels"), channels)
        self.assertEqual(value(rows, "Sample rate"), rate)
        self.assertEqual(value(rows, "Byte rate"), rate * channels * width)
        self.assertEqual(value(rows, "Bits per sample"), 8 * width)
        self.assertEqual(value(rows, "Data size"), frames * channels * width)

    def test_midi_header(self):
        path = sample("song.mid")
        track = b"\x00\xff\x2f\x00"  # end of track
        with open(path, "wb") as out:
            out.write(b"MThd" + struct.pack(">IHHH", 6, 1, 2, 480))
            for _ in range(2):
                out.write(b"MTrk" + struct.pack(">I", len(track)) + track)
        rows = dump("midi", path)
        self.assertEqual(value(rows, "Header length"), 6)
        self.assertEqual((value(rows, "Format"), value(rows, "Tracks"), value(rows, "Division")), (1, 2, 480))
        self.assertEqual(values(rows, "Chunk type"), [0x4D546864, 0x4D54726B])
        self.assertEqual(value(rows, "Track length"), 4)


class Fonts(unittest.TestCase):
    def test_truetype_table_directory(self):
        from fontTools.ttLib import TTFont

        path = "/usr/share/fonts/truetype/dejavu/DejaVuSans.ttf"
        with TTFont(path, lazy=True) as font:
            tables = {tag: (entry.offset, entry.length) for tag, entry in font.reader.tables.items()}
        rows = dump("truetype", path)
        tags = [t.to_bytes(4, "big").decode("latin-1") for t in values(rows, "Tag")]
        self.assertEqual(value(rows, "Tables"), len(tables))
        self.assertEqual(sorted(tags), sorted(tables))
        for tag, offset, length in zip(tags, values(rows, "Offset"), values(rows, "Length")):
            self.assertEqual((offset, length), tables[tag], tag)


class Executables(unittest.TestCase):
    def test_elf64_header_and_program_headers(self):
        path = CLI
        header = run("readelf", "-h", path)
        segments = run("readelf", "-lW", path)
        rows = dump("elf64", path)
        entry = int(re.search(r"Entry point address:\s+(0x[0-9a-f]+)", header).group(1), 16)
        count = int(re.search(r"Number of program headers:\s+(\d+)", header).group(1))
        self.assertEqual(value(rows, "Entry point"), entry)
        self.assertEqual(value(rows, "Program headers"), count)
        listed = re.findall(r"^\s+([A-Z_]+)\s+0x([0-9a-f]+)\s+0x([0-9a-f]+)", segments, re.M)
        self.assertEqual(len(values(rows, "Offset")), count)
        self.assertEqual(values(rows, "Offset"), [int(o, 16) for _, o, _ in listed])
        self.assertEqual(values(rows, "Virtual address"), [int(v, 16) for _, _, v in listed])

    def test_pe32plus_headers_and_sections(self):
        source, path = sample("hello.c"), sample("hello.exe")
        with open(source, "w") as out:
            out.write("int main(void) { return 0; }\n")
        run("x86_64-w64-mingw32-gcc", "-O1", "-s", "-o", path, source)
        headers = run("x86_64-w64-mingw32-objdump", "-p", path)
        sections = re.findall(r"^\s*\d+\s+(\S+)\s+([0-9a-f]{8})\s+([0-9a-f]{16})", run("x86_64-w64-mingw32-objdump", "-h", path), re.M)
        rows = dump("pe32plus", path)
        self.assertEqual(value(rows, "DOS signature"), 0x5A4D)
        self.assertEqual(value(rows, "PE header offset"), 0x80)
        self.assertEqual(value(rows, "Magic"), 0x20B)
        self.assertEqual(value(rows, "Image base"), int(re.search(r"ImageBase\s+([0-9a-f]+)", headers).group(1), 16))
        self.assertEqual(value(rows, "Entry point"), int(re.search(r"AddressOfEntryPoint\s+([0-9a-f]+)", headers).group(1), 16))
        self.assertEqual(value(rows, "Sections"), len(sections))
        names = [n.to_bytes(8, "big").rstrip(b"\0").decode() for n in values(rows, "Name")]
        self.assertEqual(names, [name for name, _, _ in sections])
        self.assertEqual(values(rows, "Virtual address"), [int(vma, 16) - value(rows, "Image base") for _, _, vma in sections])


def cli(*arguments):
    return subprocess.run((CLI,) + arguments, capture_output=True, text=True)


def compile_template(name, text):
    source, path = sample(name + ".txt"), sample(name + ".tmpl")
    with open(source, "w") as out:
        out.write(text)
    run(CLI, "compile", source, path)
    return path


class CommandLine(unittest.TestCase):
    def test_errors_are_one_sentence_with_their_exit_code(self):
        missing = cli("dump", "-t", "bmp", sample("absent.bin"))
        self.assertEqual((missing.returncode, missing.stdout), (2, ""))
        self.assertRegex(missing.stderr, r"^sondrix-cli: cannot read .*absent\.bin\.\n$")
        data = sample("four.bin")
        with open(data, "wb") as out:
            out.write(b"\x00\x01\x02\x03")
        unknown = cli("dump", "--templates", TEMPLATES, "-t", "no-such", data)
        self.assertEqual(unknown.returncode, 3)
        invalid = cli("dump", "-T", compile_template("invalid", "DWRD Width\nXXXX Mystery\n"), data)
        self.assertEqual(invalid.returncode, 4)
        self.assertIn('Error on row 1, field XXXX: "Mystery".', invalid.stderr)

    def test_binding_that_stops_early_still_prints_its_rows(self):
        data = sample("two.bin")
        with open(data, "wb") as out:
            out.write(b"\x12\x34")
        stopped = cli("dump", "--json", "-T", compile_template("stops", "DWRD Width\nLSTE\nDWRD Never\n"), data)
        self.assertEqual(stopped.returncode, 5)
        self.assertEqual([r["caption"] for r in json.loads(stopped.stdout)], ["Width"])
        self.assertIn("binding stopped early", stopped.stderr)

    def test_edit_sets_values_and_inserts_items(self):
        template = compile_template("list", "BCNT Count\nLSTC Item\nUWRD Value\nLSTE\n")
        data, edited = sample("list.bin"), sample("list-edited.bin")
        with open(data, "wb") as out:
            out.write(b"\x01\x00\x05")
        run(CLI, "edit", "-T", template, "--set", "3=700", "--insert", "4", "--set", "5=9", "-o", edited, data)
        with open(edited, "rb") as result:
            self.assertEqual(result.read(), b"\x02\x02\xbc\x00\x09")
        refused = cli("edit", "-T", template, "--set", "1=3", "-o", edited, data)
        self.assertEqual(refused.returncode, 6)

    def test_bundled_templates_decompile_and_compile_to_the_same_bytes(self):
        for name in sorted(os.listdir(TEMPLATES)):
            if not name.endswith(".tmpl"):
                continue
            original = os.path.join(TEMPLATES, name)
            text = sample(name + ".txt")
            with open(text, "w") as out:
                out.write(run(CLI, "decompile", original))
            run(CLI, "compile", text, sample(name))
            with open(original, "rb") as a, open(sample(name), "rb") as b:
                self.assertEqual(a.read(), b.read(), name)


if __name__ == "__main__":
    unittest.main(verbosity=1)
