#!/usr/bin/python3
"""sondrix-cli as a user runs it: its errors and edits, and the bundled templates against sample
files made by Debian's tools, checked against what an independent reader of each format
(ImageMagick, sox, Python's wave, aifc, gzip and tarfile modules, zlib, javap)
says about the same file; and, for every bundled template on every sample, that saving without edits
gives the same bytes."""
import gzip
import io
import json
import math
import os
import re
import struct
import subprocess
import sys
import tarfile
import tempfile
import unittest
import warnings
import wave
import zlib

with warnings.catch_warnings():
    warnings.simplefilter("ignore", DeprecationWarning)
    import aifc

CLI = sys.argv.pop(1)
TEMPLATES = sys.argv.pop(1)
WORK = tempfile.mkdtemp(prefix="sondrix-formats-")
PAYLOAD = b"Sondrix reads every byte.\n" * 20 + b"odd"


def run(*command, stdin=None):
    return subprocess.run(command, input=stdin, check=True, capture_output=True, text=True).stdout


def cli(*arguments):
    return subprocess.run((CLI,) + arguments, capture_output=True, text=True)


def dump(template, path):
    """The rows of the file as sondrix-cli shows them; a dump must bind to the end."""
    return json.loads(run(CLI, "dump", "--templates", TEMPLATES, "-t", template, "--json", path))


def values(rows, caption):
    """Every number shown under captions starting with `caption`, in display order; a number written
    as digits shows its decimal value first."""
    return [int(r["value"][1:], 16) if r["value"].startswith("$") else int(r["value"].split(" ")[0])
            for r in rows if r["kind"] in ("data", "count", "computed") and r["caption"].startswith(caption)]


def value(rows, *captions):
    """The first number under each caption (None without one): a tuple of them for several captions."""
    found = tuple(next(iter(values(rows, caption)), None) for caption in captions)
    return found if len(found) > 1 else found[0]


def chunks(rows, caption):
    """(key, rows) for each key row whose caption starts with `caption`: the rows up to the next one."""
    found = []
    for row in rows:
        if row["kind"] == "key" and row["caption"].startswith(caption):
            found.append((row["value"], []))
        elif found:
            found[-1][1].append(row)
    return found


def of_kind(rows, kind):
    return [r for r in rows if r["kind"] == kind]


def rest_sizes(rows):
    return [r["size"] for r in of_kind(rows, "rest")]


def text(rows):
    return bytes(values(rows, "Character"))


def shown(rows, label):
    """What every data row of the label shows, in display order: its caption, up to a remark in parentheses."""
    return [r["value"] for r in rows if r["kind"] == "data" and re.sub(r" \(.*", "", r["caption"]) == label]


def items(rows, caption):
    """The rows of each item of the lists whose header starts with `caption`, up to the next header or end row
    of that depth; an empty list's header, which stands for no item, gives none."""
    found, depth = [], None
    for row in rows:
        if row["kind"] == "list-header" and row["caption"].startswith(caption):
            found.append([])
            depth = row["depth"]
        elif depth is not None and row["depth"] <= depth:
            depth = None
        elif depth is not None:
            found[-1].append(row)
    return [item for item in found if item]


def sample(name):
    return os.path.join(WORK, name)


def contents(path):
    with open(path, "rb") as f:
        return f.read()


def write(path, data):
    with open(path, "wb" if isinstance(data, bytes) else "w") as f:
        f.write(data)


def magick(*arguments):
    run("/usr/bin/convert", *arguments)


def identify(path, fmt):
    return run("/usr/bin/identify", "-format", fmt, path).split()


def riff_chunk(chunk_id, data, order="<"):
    return chunk_id + struct.pack(order + "I", len(data)) + data


def padded(chunk):
    return chunk + b"\0" * (len(chunk) % 2)


def make_wave(path, name=b"Tone\0", unknown=b"\1\2\3"):
    """Python's wave module writes the header and samples; a LIST/INFO chunk and an unknown chunk are
    added, odd-sized ones with the pad byte after them."""
    with wave.open(path, "wb") as out:
        out.setnchannels(2), out.setsampwidth(2), out.setframerate(22050), out.writeframes(bytes(400))
    info = b"INFO" + riff_chunk(b"ISFT", b"Sondrix\0") + padded(riff_chunk(b"INAM", name))
    form = contents(path)[12:] + riff_chunk(b"LIST", info) + padded(riff_chunk(b"junk", unknown))
    write(path, riff_chunk(b"RIFF", b"WAVE" + form))


def make_aiff(path):
    """Python's aifc module, with a marker; an AIFF file gets an odd-sized NAME chunk by hand, an AIFF-C
    file has FVER and a compression name of its own."""
    with aifc.open(path, "wb") as out:
        out.setnchannels(1), out.setsampwidth(2), out.setframerate(11025), out.setmark(1, 3, b"cue")
        out.writeframes(bytes(60))
    if path.endswith(".aiff"):
        form = contents(path)[12:] + padded(riff_chunk(b"NAME", b"Sondrix tone!", ">"))
        write(path, riff_chunk(b"FORM", b"AIFF" + form, ">"))


def make_gzip(path):
    """Python's gzip module writes a name and a time."""
    with open(path, "wb") as raw, gzip.GzipFile("notes.txt", "wb", fileobj=raw, mtime=1234567890) as out:
        out.write(PAYLOAD)


def make_gzip_by_hand(path):
    """Every optional field: an extra field of two subfields, a name, a comment and a header CRC."""
    deflate = zlib.compressobj(9, zlib.DEFLATED, -15)
    extra = b"AP" + struct.pack("<H", 3) + b"abc" + b"Sx" + struct.pack("<H", 0)
    header = b"\x1f\x8b\x08\x1e" + struct.pack("<IBB", 1700000000, 2, 3) + struct.pack("<H", len(extra)) + extra
    header += b"notes.txt\0" + b"a comment\0"
    header += struct.pack("<H", zlib.crc32(header) & 0xFFFF)
    trailer = struct.pack("<II", zlib.crc32(PAYLOAD), len(PAYLOAD))
    write(path, header + deflate.compress(PAYLOAD) + deflate.flush() + trailer)


def make_tar(form):
    def make(path):
        with tarfile.open(path, "w", format=form) as archive:
            for name, data in (("a-long-folder-name/" * 6 + "notes.txt", PAYLOAD), ("odd.bin", b"\1\2\3")):
                member = tarfile.TarInfo(name)
                member.size, member.mtime, member.uname = len(data), 1600000000 + len(data), "sondrix"
                archive.addfile(member, io.BytesIO(data))
            archive.addfile(tarfile.TarInfo("empty"))
            folder = tarfile.TarInfo("notes")
            folder.type = tarfile.DIRTYPE
            archive.addfile(folder)
    return make


NOTES = [(2, 60, 100), (2, 64, 80), (2, 60, 0), (2, 64, 0), (10, 36, 127)]  # channel (1 to 16), key, velocity


def make_midi(path):
    """By hand: a tempo track of meta events; a track of NOTES, a note on under running status where its status
    repeats, a program change and a pitch bend each with a running one, and system exclusive data."""
    def vlq(n):
        out = bytes([n & 0x7F])
        while n > 0x7F:
            n >>= 7
            out = bytes([0x80 | n & 0x7F]) + out
        return out

    def meta(kind, data):
        return b"\0\xff" + bytes([kind]) + vlq(len(data)) + data

    tempo = meta(3, b"Tempo") + meta(0x51, (500000).to_bytes(3, "big")) + meta(0x58, bytes([3, 2, 24, 8])) + meta(0x59, b"\xfe\1")
    notes, status = b"", None
    for channel, key, velocity in NOTES:
        notes += vlq(200 * key) + bytes([0x8F + channel] if 0x8F + channel != status else []) + bytes([key, velocity])
        status = 0x8F + channel
    notes += b"\0\xc1\5\0\7\5\xe1\0\x40\5\x7f\x7f\0\xf0\3\x7e\x7f\xf7"
    header = riff_chunk(b"MThd", struct.pack(">HHH", 1, 2, 480), ">")
    write(path, header + riff_chunk(b"MTrk", tempo + meta(0x2F, b""), ">") + riff_chunk(b"MTrk", notes + meta(0x2F, b""), ">"))


def make_progressive_jpeg(path):
    """pnmtojpeg writes a scan for each pass, with Huffman tables before it; a stuffed $FF 00 in one of them."""
    picture = subprocess.run(("/usr/bin/convert", "-size", "23x9", "-seed", "3", "plasma:", "ppm:-"), check=True, capture_output=True).stdout
    write(path, subprocess.run(("pnmtojpeg", "-progressive", "-comment", "scans"), input=picture, check=True, capture_output=True).stdout)


def jpeg_markers(path):
    """Every marker, read by hand: segments by their length, a scan's data up to a $FF that neither a zero nor a
    restart marker follows."""
    data, found, at = contents(path), [], 0
    while at < len(data) and found[-1:] != [0xD9]:
        found.append(data[at + 1])
        at += 2 if found[-1] in (0xD8, 0xD9) else 2 + struct.unpack_from(">H", data, at + 2)[0]
        while found[-1] == 0xDA and not (data[at] == 0xFF and data[at + 1] not in (0, *range(0xD0, 0xD8))):
            at += 1
    return found


def make_class(path):
    """javac compiles a class with a long and a double constant, which take two slots each, and a lambda."""
    write(sample("Sample.java"), "public class Sample implements Runnable { static final long BIG = 1234567890123L; "
          "double scale = 2.5; public void run() { System.out.println(BIG * scale); } "
          "static int twice(int x) { java.util.function.IntSupplier s = () -> x * 2; return s.getAsInt(); } }")
    run("javac", "-d", WORK, sample("Sample.java"))


def make_bitmap_with_gap(path):
    """A palette bitmap with four bytes between its colour table and its pixels, as the offset says."""
    magick(*TWO_COLOURS, "-type", "Palette", "BMP3:" + path)
    data = contents(path)
    offset = struct.unpack_from("<I", data, 10)[0]
    write(path, data[:2] + struct.pack("<I", len(data) + 4) + data[6:10] + struct.pack("<I", offset + 4)
          + data[14:offset] + b"gap!" + data[offset:])


def make_pcap(order, magic):
    """Two packets, an Ethernet frame and a short one, in the byte order and time resolution asked."""
    def make(path):
        frame = bytes.fromhex("ffffffffffff 020000000001 0806") + b"who-has"
        records = b"".join(struct.pack(order + "IIII", 1700000000 + i, 250 * i, len(data), 60) + data
                           for i, data in enumerate((frame, b"\x45\x00")))
        write(path, struct.pack(order + "IHHiIII", magic, 2, 4, 0, 0, 65535, 1) + records)
    return make


def make_wasm(path):
    """clang compiles a module that imports a function and exports two."""
    source = "extern int imported(int); int add(int a, int b) { return a + b + imported(a); } double scale(double x) { return x * 2.5; }"
    run("clang", "--target=wasm32", "-nostdlib", "-O1", "-Wl,--no-entry", "-Wl,--export=add", "-Wl,--export=scale",
        "-Wl,--allow-undefined", "-o", path, "-x", "c", "-", stdin=source)


def make_webp(path):
    """cwebp, img2webp and webpmux: lossy, lossless, alpha, animation and metadata chunks."""
    picture, faded = sample("webp-source.png"), sample("webp-faded.png")
    magick("-size", "7x5", "gradient:red-blue", picture)
    magick("-size", "7x5", "xc:red", "-alpha", "on", "-channel", "A", "-fx", "0.5", faded)
    if "animated" in path:
        run("img2webp", "-d", "80", picture, "-lossy", faded, "-o", path)
        return
    run("cwebp", "-quiet", *(("-lossless",) if "lossless" in path else ()), faded if "alpha" in path else picture, "-o", path)
    if "meta" in path:
        write(sample("meta.xmp"), b"<x:xmpmeta>odd</x:xmpmeta>!")
        run("webpmux", "-set", "xmp", sample("meta.xmp"), path, "-o", path)
        run("webpmux", "-set", "icc", sample("meta.xmp"), path, "-o", path)


def make_bitmap_v4(path):
    """ImageMagick writes a 124-byte BITMAPV5HEADER; its first 108 bytes are a BITMAPV4HEADER."""
    magick("-size", "5x3", "xc:red", "-type", "TrueColor", "BMP:" + path)
    data = contents(path)
    pixels = data[struct.unpack_from("<I", data, 10)[0]:]
    header = b"BM" + struct.pack("<IHHII", 14 + 108 + len(pixels), 0, 0, 14 + 108, 108)
    write(path, header + data[18:14 + 108] + pixels)


TWO_COLOURS = ("-size", "4x3", "xc:red", "xc:blue", "+append")
MAKERS = {
    "red.bmp": lambda p: magick("-size", "5x3", "xc:red", "-type", "TrueColor", "BMP3:" + p),
    "palette.bmp": lambda p: magick(*TWO_COLOURS, "-type", "Palette", "BMP3:" + p),
    "red-v4.bmp": make_bitmap_v4,
    "palette-v5.bmp": lambda p: magick(*TWO_COLOURS, "xc:lime", "+append", "-type", "Palette", "-define", "bmp:format=bmp4", p),
    "alpha-v5.bmp": lambda p: magick("-size", "5x3", "xc:red", "-alpha", "on", "-channel", "A", "-fx", "0.5", "BMP:" + p),
    "green.gif": lambda p: magick("-size", "7x4", "xc:green", p),
    "blue.png": lambda p: magick("-size", "9x2", "gradient:blue-red", "PNG24:" + p),
    "palette.png": lambda p: magick(*TWO_COLOURS, "-set", "comment", "Sondrix test", "-density", "28", "-units", "PixelsPerCentimeter", "-type", "Palette", "PNG8:" + p),
    "multi.ico": lambda p: magick("-size", "48x48", "xc:orange", "-define", "icon:auto-resize=48,32,16", p),
    "core.bmp": lambda p: magick(*TWO_COLOURS, "-type", "Palette", "BMP2:" + p),
    "gap.bmp": make_bitmap_with_gap,
    "rle.bmp": lambda p: magick(*TWO_COLOURS, "-type", "Palette", "-compress", "RLE", "BMP3:" + p),
    "masks.bmp": lambda p: magick(*TWO_COLOURS, "-define", "bmp:subtype=RGB565", "BMP3:" + p),
    "raw.tga": lambda p: magick(*TWO_COLOURS, "-compress", "none", p),
    "palette.tga": lambda p: magick(*TWO_COLOURS, "-type", "Palette", "-compress", "none", p),
    "rle.tga": lambda p: magick(*TWO_COLOURS, "-compress", "RLE", p),
    "grey.pcx": lambda p: magick("-size", "5x3", "gradient:", "-type", "Grayscale", p),
    "palette.pcx": lambda p: magick(*TWO_COLOURS, "-type", "Palette", p),
    "colour.pcx": lambda p: magick(*TWO_COLOURS, "-type", "TrueColor", p),
    "lossy.webp": make_webp,
    "lossless.webp": make_webp,
    "alpha.webp": make_webp,
    "animated.webp": make_webp,
    "meta.webp": make_webp,
    "tone.wav": make_wave,
    "float.wav": lambda p: run("sox", "-n", "-r", "8000", "-c", "1", "-e", "floating-point", "-b", "32", p, "synth", "0.001", "sine", "440"),
    "extensible.wav": lambda p: run("sox", "-n", "-r", "8000", "-c", "3", "-b", "24", p, "synth", "0.001", "sine", "440"),
    "tone.aiff": make_aiff,
    "tone.aifc": make_aiff,
    "notes.gz": make_gzip,
    "by-hand.gz": make_gzip_by_hand,
    "ustar.tar": make_tar(tarfile.USTAR_FORMAT),
    "gnu.tar": make_tar(tarfile.GNU_FORMAT),
    "pax.tar": make_tar(tarfile.PAX_FORMAT),
    "big-endian.pcap": make_pcap(">", 0xA1B2C3D4),
    "little-endian.pcap": make_pcap("<", 0xA1B23C4D),
    "module.wasm": make_wasm,
    "song.mid": make_midi,
    "comment.jpg": lambda p: magick("-size", "32x16", "-seed", "3", "plasma:", "-set", "comment", "Sondrix test", p),
    "progressive.jpg": make_progressive_jpeg,
    "Sample.class": make_class,
    "hello.exe": lambda p: run("x86_64-w64-mingw32-gcc", "-O1", "-s", "-o", p, "-x", "c", "-", stdin="int main(void) { return 0; }"),
}
FONT = "/usr/share/fonts/truetype/dejavu/DejaVuSans.ttf"


def made(name):
    """The sample `name`, made by its maker the first time it is asked for."""
    if not os.path.exists(sample(name)):
        MAKERS[name](sample(name))
    return sample(name)


def png_chunks(path):
    """(type, offset of the type, length) of every chunk, read by hand."""
    data, found, at = contents(path), [], 8
    while at < len(data):
        length, kind = struct.unpack_from(">I4s", data, at)
        found.append((kind.decode("latin-1"), at + 4, length))
        at += 12 + length
    return data, found


def edited(template, path, *changes):
    """The file saved after `sondrix-cli edit --set` of each ROW=TEXT change."""
    out = sample("edited-" + os.path.basename(path))
    run(CLI, "edit", "--templates", TEMPLATES, "-t", template, *(a for c in changes for a in ("--set", c)), "-o", out, path)
    return out


def row_of(rows, caption, index=0):
    """The row number of the `index`th data row whose caption starts with `caption`."""
    return [r["row"] for r in rows if r["kind"] == "data" and r["caption"].startswith(caption)][index]


class SampleFormats(unittest.TestCase):
    def whole(self, template, path):
        """The rows of a dump that describes every byte of the file: no rest row, sizes adding up."""
        rows = dump(template, path)
        self.assertEqual(rest_sizes(rows), [], path)
        self.assertEqual(sum(r["size"] for r in rows), os.path.getsize(path), path)
        return rows

    def test_bitmap_every_header_variant_and_pixel_row(self):
        # Header size, colour table entries and whether the pixels are rows of the stride.
        for name, header, colours, rows_of_pixels in (
                ("red.bmp", 40, 0, True), ("palette.bmp", 40, 2, True), ("red-v4.bmp", 108, 0, True),
                ("palette-v5.bmp", 124, 16, True), ("alpha-v5.bmp", 124, 0, True), ("core.bmp", 12, 2, True),
                ("gap.bmp", 40, 2, True), ("rle.bmp", 40, 256, False), ("masks.bmp", 40, 0, True)):
            with self.subTest(name):
                path = made(name)
                rows = self.whole("bmp", path)
                width, height = map(int, identify(path, "%w %h"))
                bits = struct.unpack_from("<H", contents(path), 24 if header == 12 else 28)[0]
                self.assertEqual(value(rows, "File size", "Header size", "Width", "Height", "Bits per pixel"),
                                 (os.path.getsize(path), header, width, height, bits))
                self.assertEqual(len(items(rows, "Colour")), colours)
                pixels = [r["size"] for r in rows if r["caption"] == "Pixels"]
                self.assertEqual(pixels, [(width * bits + 31) // 32 * 4] * height if rows_of_pixels else [])
                self.assertEqual(shown(rows, "Gap"), [b"gap!".hex(" ")] if name == "gap.bmp" else [])
        # The first row of the file is the bottom one: a blue pixel at its left.
        path = made("red.bmp")
        first = row_of(dump("bmp", path), "Pixels")
        out = edited("bmp", path, "%d=ff 00 00 %s" % (first, "00 00 ff " * 4 + "00"))
        self.assertEqual(run("/usr/bin/convert", out, "-format", "%[pixel:p{0,2}] %[pixel:p{1,2}] %[pixel:p{0,1}]", "info:").split(),
                         ["srgb(0,0,255)", "srgb(255,0,0)", "srgb(255,0,0)"])

    def test_gif_every_block(self):
        path = made("green.gif")
        rows = dump("gif", path)
        screen = tuple(map(int, identify(path, "%W %H")))  # the logical screen
        texts = {r["caption"]: r["value"] for r in rows if r["kind"] == "data"}
        self.assertEqual((texts["Signature"], texts["Version"]), ("GIF", "89a"))
        self.assertEqual(value(rows, "Width", "Height"), screen)
        # Every byte is a row of its own, blocks up to the trailer: no rest row.
        self.assertEqual(rest_sizes(rows), [])
        self.assertEqual(sum(r["size"] for r in rows), os.path.getsize(path))
        introducers = [r["value"] for r in rows if r["caption"].startswith("Introducer")]
        self.assertIn("$2c", introducers)
        self.assertEqual(introducers[-1], "$3b")

    def test_png_every_chunk(self):
        for name in ("blue.png", "palette.png"):
            with self.subTest(name):
                path = made(name)
                rows = dump("png", path)
                data, expected = png_chunks(path)
                found = chunks(rows, "Type")
                self.assertEqual(value(rows, "Signature"), 0x89504E470D0A1A0A)
                self.assertEqual([k for k, _ in found], [kind for kind, _, _ in expected])
                for (kind, at, length), (_, chunk) in zip(expected, found):
                    crc = next(r for r in chunk if r["caption"] == "CRC")
                    self.assertEqual(crc["offset"], at + 4 + length, kind)
                    self.assertEqual(crc["value"], "$%08x valid" % zlib.crc32(data[at:crc["offset"]]), kind)
                self.assertEqual(rest_sizes(rows), [])
                header = identify(path, "%[png:IHDR.width,height] %[png:IHDR.bit-depth-orig] %[png:IHDR.color-type-orig]")
                self.assertEqual(value(rows, "Width", "Height", "Bit depth", "Colour type"), tuple(int(v.rstrip(",")) for v in header))
        entries = [r for r in of_kind(rows, "list-header") if r["caption"] == "Palette entry"]
        self.assertEqual(identify(path, "%[png:PLTE.number_colors]"), [str(len(entries))])
        self.assertEqual(value(rows, "Gamma"), round(float(identify(path, "%[gamma]")[0]) * 100000))
        physical = value(rows, "Pixels per unit, X", "Pixels per unit, Y", "Unit")
        self.assertEqual(identify(path, "%[png:pHYs]"), ["x_res=%d," % physical[0], "y_res=%d," % physical[1], "units=%d" % physical[2]])
        texts = [(shown(chunk, "Keyword")[0], shown(chunk, "Text")[0]) for kind, chunk in chunks(rows, "Type") if kind == "tEXt"]
        self.assertIn(("comment", run("/usr/bin/identify", "-format", "%c", path)), texts)

    def test_png_edits_keep_every_crc(self):
        path = made("palette.png")
        rows = dump("png", path)
        density = next(r for r in rows if r["caption"] == "Pixels per unit, X axis")
        comment = next(r for kind, chunk in chunks(rows, "Type") if kind == "tEXt" for r in chunk
                       if r["caption"] == "Text" and r["value"] == run("/usr/bin/identify", "-format", "%c", path))
        edited = sample("edited.png")
        new_comment = "x" * len(comment["value"])
        # A new tEXt chunk before the last one: its header takes the first row numbers, then its keyword and text.
        last = [r for r in of_kind(rows, "list-header") if r["caption"] == "Chunk"][-1]["row"]
        run(CLI, "edit", "--templates", TEMPLATES, "-t", "png", "--set", "%d=%d" % (density["row"], int(density["value"]) + 1),
            "--set", "%d=%s" % (comment["row"], new_comment), "--insert", "%d:tEXt" % last,
            "--set", "%d=Author" % (last + 4), "--set", "%d=Sondrix team" % (last + 5), "-o", edited, path)
        data, found = png_chunks(edited)
        for kind, at, length in found:
            self.assertEqual(struct.unpack_from(">I", data, at + 4 + length)[0], zlib.crc32(data[at:at + 4 + length]), kind)
        self.assertEqual(identify(edited, "%[png:pHYs] %c")[:1] + identify(edited, "%c"),
                         ["x_res=%d," % (int(density["value"]) + 1), new_comment])
        self.assertEqual(run("/usr/bin/identify", "-format", "%[Author]", edited), "Sondrix team")
        # A new width: the header's CRC follows, so a reader that checks it takes the header (the pixel
        # data no longer fits it, so only the header is read).
        width = next(r for r in rows if r["caption"] == "Width")
        run(CLI, "edit", "--templates", TEMPLATES, "-t", "png", "--set", "%d=%d" % (width["row"], int(width["value"]) + 1),
            "-o", edited, path)
        self.assertEqual(run("/usr/bin/identify", "-ping", "-format", "%w", edited), str(int(width["value"]) + 1))

    def test_wave_every_chunk_and_pad_byte(self):
        for name, chunk_ids, tag in (("tone.wav", ["fmt ", "data", "LIST", "junk"], 1), ("float.wav", ["fmt ", "fact", "data"], 3),
                                     ("extensible.wav", ["fmt ", "fact", "data"], 0xFFFE)):
            with self.subTest(name):
                path = made(name)
                channels, rate, width = (int(run("soxi", option, path)) for option in ("-c", "-r", "-b"))
                frames = int(run("soxi", "-s", path))
                rows = self.whole("wav", path)
                found = dict(chunks(rows, "Id"))
                self.assertEqual(list(found), chunk_ids)
                self.assertEqual(value(rows, "Format tag", "Channels", "Sample rate", "Byte rate", "Bits per sample"),
                                 (tag, channels, rate, rate * channels * width // 8, width))
                self.assertEqual([r["size"] for r in found["data"] if r["caption"] == "Samples"], [frames * channels * width // 8])
        self.assertEqual((value(rows, "Valid bits per sample"), shown(rows, "Sub-format")[0][:6]), (24, "01 00 "))
        rows = dump("wav", made("tone.wav"))
        self.assertEqual(shown(rows, "Text"), ["Sondrix", "Tone"])
        self.assertEqual([r["size"] for r in rows if r["caption"].startswith("Pad")], [0, 0, 0, 1, 0, 1])
        # A sample value of the first frame, read back by Python's wave module.
        path = made("tone.wav")
        out = edited("wav", path, "%d=%s" % (row_of(rows, "Samples"), (b"\x34\x12" + bytes(398)).hex()))
        with wave.open(out, "rb") as reader:
            self.assertEqual(struct.unpack("<hh", reader.readframes(1)), (0x1234, 0))

    def test_aiff_every_chunk_and_pad_byte(self):
        for name, ids in (("tone.aiff", ["COMM", "SSND", "MARK", "NAME"]), ("tone.aifc", ["FVER", "COMM", "SSND", "MARK"])):
            with self.subTest(name):
                path = made(name)
                with aifc.open(path, "rb") as reader:
                    channels, width, rate, frames = reader.getparams()[:4]
                    compression, markers = (reader.getcomptype(), reader.getcompname()), reader.getmarkers()
                rows = self.whole("aiff", path)
                found = dict(chunks(rows, "Id"))
                self.assertEqual(list(found), ids)
                self.assertEqual(value(rows, "Channels", "Sample frames", "Bits per sample", "Sample rate"),
                                 (channels, frames, 8 * width, rate))
                self.assertEqual([r["size"] for r in rows if r["caption"] == "Samples"], [frames * channels * width])
                self.assertEqual(list(zip(values(rows, "Id"), values(rows, "Position"), shown(rows, "Name"))),
                                 [(i, at, n.decode()) for i, at, n in markers])
        self.assertEqual(shown(rows, "Compression type") + shown(rows, "Compression name"), [c.decode() for c in compression])
        with aifc.open(edited("aiff", path, "%d=22050" % row_of(rows, "Sample rate")), "rb") as reader:
            self.assertEqual(reader.getframerate(), 22050)
        rows = dump("aiff", made("tone.aiff"))
        self.assertEqual((shown(rows, "Text"), [r["size"] for r in rows if r["caption"].startswith("Pad")][-1]), (["Sondrix tone!"], 1))

    def test_gzip_header_fields_and_trailer(self):
        for name in ("notes.gz", "by-hand.gz"):
            with self.subTest(name):
                path = made(name)
                rows = self.whole("gzip", path)
                with gzip.open(path) as reader:
                    data, mtime = reader.read(), reader.mtime
                self.assertEqual(value(rows, "Modification time", "CRC-32", "Uncompressed size"), (mtime, zlib.crc32(data), len(data)))
                self.assertEqual(zlib.decompress(bytes.fromhex(shown(rows, "Compressed data")[0]), -15), data)
                self.assertEqual(shown(rows, "Name"), ["notes.txt"])
        self.assertEqual((shown(rows, "Id"), shown(rows, "Data"), shown(rows, "Comment")), (["AP", "Sx"], ["61 62 63", ""], ["a comment"]))
        crc = next(r for r in rows if r["caption"].startswith("CRC-16"))
        self.assertEqual(value([crc], ""), zlib.crc32(contents(path)[:crc["offset"]]) & 0xFFFF)
        with gzip.open(edited("gzip", path, "%d=1000" % row_of(rows, "Modification time"))) as reader:
            self.assertEqual((reader.read(), reader.mtime), (data, 1000))

    def test_tar_members_in_every_form(self):
        for name in ("ustar.tar", "gnu.tar", "pax.tar"):
            with self.subTest(name):
                path = made(name)
                rows = self.whole("tar", path)
                with tarfile.open(path) as archive:
                    expected = [(m.name, m.size, m.mtime, archive.extractfile(m).read() if m.isfile() else b"") for m in archive]
                members = items(rows, "Member")
                real = [m for m in members if not shown(m, "Records") + shown(m, "Long name")]
                headers = [(values(m, "Size")[0], values(m, "Modification time")[0], bytes.fromhex(shown(m, "Data")[0])) for m in real]
                self.assertEqual(headers, [(size, mtime, data) for _, size, mtime, data in expected])
                # The long name is where each form keeps it.
                long_name = expected[0][0]
                prefix, rest = shown(real[0], "Prefix") + [""], shown(real[0], "Name")[0]
                kept = {"ustar.tar": prefix[0] + "/" + rest, "gnu.tar": (shown(members[0], "Long name") + [""])[0],
                        "pax.tar": (shown(members[0], "Records") + [""])[0]}[name]
                self.assertEqual(kept.split(" path=")[-1].rstrip("\n"), long_name)
                # After the members, the two zero blocks, then the record's zeros.
                end = next(r for r in rows if r["caption"] == "End (two zero blocks)")
                self.assertEqual((end["size"], os.path.getsize(path) - end["offset"]), (1024, 1024 + rows[-1]["size"]))
        # A new time: the header's checksum follows, so tarfile reads it back.
        path = made("ustar.tar")
        self.assertTrue(all(v.endswith(" valid") for v in shown(dump("tar", path), "Checksum")))
        with tarfile.open(edited("tar", path, "%d=1000" % row_of(rows, "Modification time"))) as archive:
            self.assertEqual([m.mtime for m in archive][:2], [1000, expected[1][2]])

    def test_targa_and_pcx_every_byte(self):
        for name, template, rows_of_pixels in (("raw.tga", "tga", True), ("palette.tga", "tga", True), ("rle.tga", "tga", False),
                                               ("grey.pcx", "pcx", False), ("palette.pcx", "pcx", False), ("colour.pcx", "pcx", False)):
            with self.subTest(name):
                path = made(name)
                rows = self.whole(template, path)
                width, height = map(int, identify(path, "%w %h"))
                self.assertEqual(value(rows, "Width", "Height"), (width, height))
                if rows_of_pixels:
                    self.assertEqual([r["size"] for r in rows if r["caption"] == "Pixels"], [width * value(rows, "Pixel depth") // 8] * height)
        self.assertEqual(len(items(dump("tga", made("palette.tga")), "Colour map entry")), 2)
        self.assertEqual(value(rows, "Colour planes", "Palette at the end"), (3, 0))
        rows = dump("pcx", made("palette.pcx"))
        self.assertEqual((value(rows, "Palette at the end"), len(items(rows, "Palette entry"))), (1, 256))

    def test_pcap_both_byte_orders(self):
        for name, order in (("big-endian.pcap", "Big"), ("little-endian.pcap", "Little")):
            with self.subTest(name):
                rows = self.whole("pcap", made(name))
                self.assertTrue(of_kind(rows, "case")[0]["caption"].endswith(order + "-endian"))
                self.assertEqual(value(rows, "Major version", "Minor version", "Snapshot length", "Link type"), (2, 4, 65535, 1))
                self.assertEqual((values(rows, "Seconds"), values(rows, "Fraction"), values(rows, "Captured length")),
                                 ([1700000000, 1700000001], [0, 250], [21, 2]))
                self.assertEqual((shown(rows, "Source"), value(rows, "Type"), shown(rows, "Payload"), shown(rows, "Data")),
                                 (["02 00 00 00 00 01"], 0x0806, [b"who-has".hex(" ")], ["45 00"]))

    def test_webp_every_chunk(self):
        for name, ids in (("lossy.webp", ["VP8 "]), ("lossless.webp", ["VP8L"]), ("alpha.webp", ["VP8X", "ALPH", "VP8 "]),
                          ("animated.webp", ["VP8X", "ANIM", "ANMF", "VP8L", "ANMF", "ALPH", "VP8 "]), ("meta.webp", ["VP8X", "ICCP", "VP8 ", "XMP "])):
            with self.subTest(name):
                path = made(name)
                rows = self.whole("webp", path)
                self.assertEqual([r["value"] for r in rows if r["kind"] == "key"], ids)
                width, height = map(int, identify(path, "%w %h ")[:2])
                if "VP8X" in ids:
                    self.assertEqual(value(rows, "Canvas width minus 1", "Canvas height minus 1"), (width - 1, height - 1))
                else:
                    self.assertIn(value(rows, "Width", "Height"), [(width, height), (width - 1, height - 1)])
        self.assertEqual(value(rows, "XMP present", "ICC profile present", "Animation present"), (1, 1, 0))
        self.assertEqual((shown(rows, "XMP"), [r["size"] for r in rows if r["caption"].startswith("Pad")][-1]),
                         (["<x:xmpmeta>odd</x:xmpmeta>!"], 1))
        frames = items(dump("webp", made("animated.webp")), "Frame chunk")
        self.assertEqual([int(r["value"]) for frame in frames for r in of_kind(frame, "size")],
                         [r["size"] for frame in frames for r in frame if r["caption"] == "Data"])

    def test_wasm_sections(self):
        path = made("module.wasm")
        rows = self.whole("wasm", path)
        data, at, sections = contents(path), 8, []
        while at < len(data):  # each section's id and size, read by hand
            section, size, shift, at = data[at], 0, 0, at + 1
            while True:
                size |= (data[at] & 0x7F) << shift
                shift, at = shift + 7, at + 1
                if data[at - 1] < 0x80:
                    break
            sections.append((section, size))
            at += size
        self.assertEqual(list(zip(values(rows, "Id"), [int(r["value"]) for r in of_kind(rows, "size")])), sections)
        self.assertEqual(value(rows, "Magic", "Version"), (0x0061736D, 1))
        self.assertEqual((shown(rows, "Module"), shown(rows, "Name")[:4], value(rows, "Functions")),
                         (["env"], ["imported", "memory", "add", "scale"], 2))

    def test_midi_events_under_running_status(self):
        rows = self.whole("midi", made("song.mid"))
        self.assertEqual([k for k, _ in chunks(rows, "Type")], ["MThd", "MTrk", "MTrk"])
        self.assertEqual(value(rows, "Format", "Tracks", "Ticks per quarter note"), (1, 2, 480))
        events = items(rows, "Event")
        self.assertEqual([(value(e, "Channel"), value(e, "Key"), value(e, "Velocity")) for e in events if value(e, "Key")], NOTES)
        self.assertEqual([value(e, "Delta time") for e in events if value(e, "Key")], [200 * key for _, key, _ in NOTES])
        self.assertEqual((values(rows, "Program"), values(rows, "Bend"), shown(rows, "Text"), shown(rows, "Data")),
                         ([5, 7], [0, 8191], ["Tempo"], ["7e 7f f7"]))
        self.assertEqual(value(rows, "Beats per minute", "Numerator", "Beat (", "Sharps", "Mode"), (120, 3, 4, -2, 1))
        self.assertEqual(values(rows, "Type"), [3, 0x51, 0x58, 0x59, 0x2F, 0x2F])

    def test_jpeg_every_segment_and_scan(self):
        # ImageMagick's baseline file has one scan, pnmtojpeg's progressive one a scan for each pass.
        for name, comment, progressive in (("comment.jpg", "Sondrix test", False), ("progressive.jpg", "scans", True)):
            with self.subTest(name):
                path = made(name)
                rows = self.whole("jpeg", path)
                markers = values(rows, "Marker")
                # A progressive file's last scan reads the end-of-image marker itself.
                self.assertEqual(markers + values(rows, "Next marker")[-1:], jpeg_markers(path))
                self.assertEqual((markers[:3], markers.count(0xDA) > 1), ([0xD8, 0xE0, 0xFE], progressive))
                self.assertEqual(value(rows, "Width", "Height"), tuple(map(int, identify(path, "%w %h"))))
                self.assertEqual(shown(rows, "Comment"), [comment])
        out = edited("jpeg", path, "%d=SCANS" % row_of(rows, "Comment"))
        self.assertEqual(run("/usr/bin/identify", "-format", "%c", out), "SCANS")

    def test_class_constant_pool_and_methods(self):
        path = made("Sample.class")
        rows = self.whole("class", path)
        verbose, methods = run("javap", "-v", path), run("javap", "-p", path)
        pool = [(int(slot), tag) for slot, tag in re.findall(r"^\s+#(\d+) = (\w+)", verbose, re.M)]
        self.assertEqual(values(rows, "Slot"), [slot for slot, _ in pool])
        self.assertEqual(value(rows, "Constant pool count"), values(rows, "Next slot")[-1])
        self.assertLessEqual({"Long", "Double"}, {tag for _, tag in pool})
        texts = {value(c, "Slot"): shown(c, "Text")[0] for c in items(rows, "Constant") if value(c, "Tag") == 1}
        names = [texts[value(m, "Name")] for m in items(rows, "Method")]
        self.assertEqual(names, ["<init>" if n == "Sample" else n for n in re.findall(r"(\S+)\(", methods)])

    def test_inserting_into_a_bounded_list_grows_every_size_around_it(self):
        path, edited = sample("even.wav"), sample("even-edited.wav")
        make_wave(path, b"Tones\0", b"\1\2\3\4")
        template = compile_template("riff-text", RIFF_TEXT)
        rows = json.loads(run(CLI, "dump", "--json", "-T", template, path))
        text_list = next(r for r in rows if r["caption"] == "Text")  # of ISFT, the first item
        end = next(r for r in rows[text_list["row"]:] if r["kind"] == "list-end" and r["depth"] == text_list["depth"])
        run(CLI, "edit", "-T", template, "--insert", str(end["row"]), "--insert", str(end["row"] + 2), "-o", edited, path)
        after = json.loads(run(CLI, "dump", "--json", "-T", template, edited))

        def sizes(path, rows):  # of the form, the LIST chunk and its first item, where the dump puts them
            chunk = dict(chunks(rows, "Id"))["LIST"]
            found = [rows[1], next(r for r in chunk if r["caption"] == "Size"), chunks(chunk, "Item id")[0][1][0]]
            return [struct.unpack_from("<I", contents(path), r["offset"])[0] for r in found]

        self.assertEqual(sizes(edited, after), [size + 2 for size in sizes(path, rows)])
        self.assertEqual(text(chunks(after, "Item id")[0][1]), b"Sondrix\0\0\0")
        with wave.open(edited, "rb") as a, wave.open(path, "rb") as b:
            self.assertEqual((a.getparams(), a.readframes(100)), (b.getparams(), b.readframes(100)))


# RIFF with its INFO texts as lists of characters, which can grow; no chunk has a pad byte.
RIFF_TEXT = """HLNG RIFF id
lsiz Size of the form
HLNG Form type
LSTZ Chunk
KEYB Chunk
KNAM Id
llen Size
CASE 'LIST': List
HLNG List type
LSTZ Item
KEYB Item
KNAM Item id
llen Size
CASE *: Text
LSTZ Text
UBYT Character
LSTE
KEYE
LSTE
CASE *: Other chunk
KEYE
LSTE
SKPE
"""


def compile_template(name, text):
    write(sample(name + ".txt"), text)
    run(CLI, "compile", sample(name + ".txt"), sample(name + ".tmpl"))
    return sample(name + ".tmpl")


class CommandLine(unittest.TestCase):
    def test_edits_change_the_file_and_failures_say_why_with_their_exit_code(self):
        data, out = sample("list.bin"), sample("list-edited.bin")
        write(data, b"\x01\x00\x05")
        edit = ("edit", "-T", compile_template("list", "BCNT Count\nLSTC Item\nUWRD Value\nLSTE\n"), "-o", out, data)
        # In the second, the first item goes and its header passes to the second.
        for edits, expected in ((("--set", "3=700", "--insert", "4", "--set", "5=9"), b"\x02\x02\xbc\x00\x09"),
                                (("--insert", "4", "--set", "5=6", "--delete", "2"), b"\x01\x00\x06")):
            run(CLI, *edit, *edits)
            self.assertEqual(contents(out), expected)
        write(sample("unknown.txt"), b"DWRD Width\n# a comment\nXXXX Mystery\nLSTE\n")
        # Arguments, exit code, what standard error says and the captions of the rows printed.
        for arguments, code, says, shows in [
            (("compile", sample("unknown.txt"), sample("unknown.tmpl")), 0,
             r"^sondrix-cli: .*unknown\.txt, line 3: row 2, XXXX, is neither a field type nor a control code; "
             r"it is written all the same\.\n$", []),
            (("dump", "-t", "bmp", sample("absent.bin")), 2, r"^sondrix-cli: cannot read .*absent\.bin\.\n$", []),
            (("dump", "--templates", TEMPLATES, "-t", "no-such", data), 3, "no template named no-such", []),
            (("dump", "-T", compile_template("invalid", "DWRD Width\nXXXX Mystery\n"), data), 4, 'Error on row 1, field XXXX: "Mystery"\\.', []),
            (("dump", "--json", "-T", compile_template("stops", "DWRD Width\nLSTE Closer\nDWRD Never\n"), data), 5,
             r'binding stopped early\. Row 1 "Closer" at offset \$2: The template ends a list', ["Width", "1 more byte"]),
            (edit + ("--set", "1=3"), 6, r"row 1 cannot be edited\. Nothing was saved", []),
            (("edit", "-T", compile_template("zeros", "LSTB Item\nUBYT Value\nLSTE\n"), "-o", out, data, "--insert", "1"), 6,
             "row 1: An item of zeros would end this list. Nothing was saved", []),
            # Text that is no number is refused as the value dialog refuses it, never stored as 0.
            (edit + ("--set", "3=abc"), 6, r"row 3 cannot be edited\. Nothing was saved", []),
            (edit + ("--set", "3=12abc"), 6, r"row 3 cannot be edited\. Nothing was saved", []),
            (edit + ("--set", "3="), 6, r"row 3 cannot be edited\. Nothing was saved", []),
            (edit + ("--delete", "3"), 6, "row 3 is no list item that can be deleted", []),
        ]:
            with self.subTest(arguments=arguments):
                result = cli(*arguments)
                self.assertEqual(result.returncode, code)
                self.assertRegex(result.stderr, says)
                self.assertEqual([r["caption"] for r in json.loads(result.stdout or "[]")], shows)
        self.assertEqual(contents(sample("unknown.tmpl")), b"\x05WidthDWRD\x07MysteryXXXX\x00LSTE")

    def test_long_lists_print_any_range_of_rows_and_edit_deep_inside(self):
        records = 70000  # more than a list binds before it folds the rest
        data, out = sample("records.bin"), sample("records-edited.bin")
        body = b"".join(struct.pack(">H", i % 65536) + bytes([i % 7]) + b"n" * (i % 7) for i in range(records))
        write(data, struct.pack(">I", records) + body)
        template = compile_template("records", "LCNT Records\nLSTC Record\nUWRD Id\nPSTR Name\nLSTE\n")
        whole = json.loads(run(CLI, "dump", "-T", template, "--json", data))
        self.assertEqual(len(whole), 1 + 3 * records + 1)
        for wanted in ("200000:200005", "7", ":3", "209999:"):
            first, _, last = wanted.partition(":") if ":" in wanted else (wanted, "", wanted)
            expected = whole[int(first or 1) - 1:int(last) if last else None]
            self.assertEqual(json.loads(run(CLI, "dump", "-T", template, "--json", "--rows", wanted, data)), expected)
        text = run(CLI, "dump", "-T", template, "--rows", "150001:150001", data).splitlines()
        self.assertRegex(text[1], r"^150001  [0-9a-f]{8}\s+6\s+Name  nnnnn$")  # record 49,999's name
        row = whole[150000]
        run(CLI, "edit", "-T", template, "--set", "%d=hello!!" % row["row"], "-o", out, data)
        before, after = contents(data), contents(out)
        start = row["offset"]
        self.assertEqual(after[:start], before[:start])
        self.assertEqual(after[start:start + 8], b"\x07hello!!")
        self.assertEqual(after[start + 8:], before[start + row["size"]:])
        self.assertNotEqual(cli("dump", "-T", template, "--rows", "5:4", data).returncode, 0)

    def test_text_and_variable_length_numbers_keep_their_bytes_until_edited_and_sizes_follow(self):
        data, out = sample("varints.bin"), sample("varints-edited.bin")
        write(data, b"\x05ab\x00\x81\x00\x80\x00")
        template = compile_template("varints", "BSIZ Length\nCSTR Name\nUVLQ Delta\nSKPE\nULEB Count\n")
        self.assertEqual([(r["code"], r["value"]) for r in json.loads(run(CLI, "dump", "--json", "-T", template, data))
                          if r["kind"] == "data"],
                         [("CSTR", "ab"), ("UVLQ", "128"), ("ULEB", "0")])
        run(CLI, "edit", "-T", template, "-o", out, data)
        self.assertEqual(contents(out), contents(data), "a redundant 80 00 is written back as read")
        run(CLI, "edit", "-T", template, "-o", out, data, "--set", "2=hello", "--set", "3=300", "--set", "4=624485")
        self.assertEqual(contents(out), b"\x08hello\x00\x82\x2c\xe5\x8e\x26")
        result = cli("edit", "-T", template, "-o", out, data, "--set", "3=268435456")
        self.assertEqual((result.returncode, re.search(r"row 3 cannot be edited", result.stderr) is not None), (6, True))

    def test_floats_are_shown_and_edited_as_decimal_numbers_in_their_byte_order(self):
        data, out = sample("floats.bin"), sample("floats-edited.bin")
        # 44100 as AIFF stores it: exponent 16383 + 15, significand $ac44 at the top.
        rate = struct.pack(">HQ", 16383 + 15, 0xAC44 << 48)
        write(data, struct.pack(">f", 0.1) + struct.pack("<d", -1.5e3) + rate)
        template = compile_template("floats", "SNGL Gain\ndoub Scale\nEXTD Rate\n")
        rows = json.loads(run(CLI, "dump", "--json", "-T", template, data))
        self.assertEqual([r["value"] for r in rows], ["0.1", "-1500", "44100"])
        run(CLI, "edit", "-T", template, "-o", out, data, "--set", "1=0.25", "--set", "2=-inf", "--set", "3=22050")
        edited = contents(out)
        (gain,), (scale,) = struct.unpack(">f", edited[:4]), struct.unpack("<d", edited[4:12])
        exponent, significand = struct.unpack(">HQ", edited[12:])
        self.assertEqual((gain, scale), (0.25, -math.inf))
        self.assertEqual(significand * 2.0 ** (exponent - 16383 - 63), 22050)
        result = cli("edit", "-T", template, "-o", out, data, "--set", "2=1,5")
        self.assertEqual(result.returncode, 6)
        self.assertRegex(result.stderr, r"row 2 cannot be edited\. Nothing was saved")

    def test_bounded_fields_are_dumped_whole_and_edited_in_their_length(self):
        data, out = sample("bounded.bin"), sample("bounded-edited.bin")
        letters = bytes(range(0x41, 0x55))
        write(data, b"\x14" + letters + b"\x06ab\0\0\0\0" + b"\x080000644\0" + b"\x0a1234      ")
        template = compile_template("bounded", "BSIZ Size\nBYTS Data = 20\nSKPE\nBSIZ Size\nTEXT Name = 6\nSKPE\n"
                                               "BSIZ Size\nOTXT Mode = 8\nSKPE\nBSIZ Size\nDTXT Length = 10\nSKPE\n")
        rows = json.loads(run(CLI, "dump", "--json", "-T", template, data))
        self.assertEqual([(r["code"], r["value"]) for r in rows if r["kind"] == "data"],
                         [("BYTS", letters.hex(" ")), ("TEXT", "ab"), ("OTXT", "420 (0644)"), ("DTXT", "1234")])
        self.assertIn("  41 42 43 44 45 46 47 48 49 4a 4b 4c 4d 4e 4f 50 ...  ABCDEFGHIJKLMNOP\n",
                      run(CLI, "dump", "-T", template, data))
        run(CLI, "edit", "-T", template, "-o", out, data, "--set", "2=" + bytes(20).hex(), "--set", "4=xyz",
            "--set", "6=0755", "--set", "8=99")
        self.assertEqual(contents(out), b"\x14" + bytes(20) + b"\x06xyz\0\0\0" + b"\x080000755\0" + b"\x0a0099      ")
        for refused in ("2=41", "6=010000000", "4=seven!!"):
            self.assertEqual(cli("edit", "-T", template, "-o", out, data, "--set", refused).returncode, 6, refused)

    def test_json_dump_gives_back_every_byte_of_codes_key_names_and_strings(self):
        data = sample("bytes.bin")
        tag, name = b"\x00A\xff\x7f", b"\xe9\x00\x80\n\"\\z"
        write(data, tag + bytes([len(name)]) + name + b"\x01\x00\x05")
        template = compile_template("bytes", "KEYB Chunk\nKNAM Tag\nCASE *\nPSTR Name\nKEYE\n"
                                             "BCNT Count\nLSTC Item\nUWRD Value\nLSTE\n")
        result = cli("dump", "--json", "-T", template, data)
        self.assertEqual(result.returncode, 0, result.stderr)
        self.assertTrue(all(" " <= c <= "~" or c == "\n" for c in result.stdout), "printable ASCII only")
        rows = json.loads(result.stdout)
        # Each character stands for one byte of its code.
        self.assertEqual([(r["code"].encode("latin-1"), r["kind"], r["value"].encode("latin-1")) for r in rows],
                         [(b"KNAM", "key", tag), (b"CASE", "case", b""), (b"PSTR", "data", name),
                          (b"BCNT", "count", b"1"), (b"LSTC", "list-header", b"[0]"), (b"UWRD", "data", b"5"),
                          (b"LSTE", "list-end", b"[end]")])
        text = subprocess.run((CLI, "dump", "-T", template, data), check=True, capture_output=True).stdout
        self.assertIn(b"  Tag  .A..\n", text, "as the view draws a key name")

    def test_every_bundled_template_saves_every_sample_unchanged_and_decompiles_to_itself(self):
        files, saved = [made(name) for name in MAKERS] + [CLI, FONT], sample("saved")
        for name in sorted(n for n in os.listdir(TEMPLATES) if n.endswith(".tmpl")):
            original = os.path.join(TEMPLATES, name)
            self.assertEqual(contents(original), contents(compile_template(name, run(CLI, "decompile", original))), name)
            for path in files:
                with self.subTest(template=name, file=os.path.basename(path)):
                    result = cli("edit", "--templates", TEMPLATES, "-T", original, "-o", saved, path)  # for the structures it uses
                    self.assertEqual(result.returncode, 0, result.stderr)
                    self.assertTrue(contents(path) == contents(saved))


if __name__ == "__main__":
    unittest.main(verbosity=1)
