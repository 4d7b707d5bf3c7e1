#!/usr/bin/python3
"""The bundled templates that find their parts by offsets (ELF, PE, TrueType and OpenType, ICO and CUR,
BMP's pixels), on files that gcc, mingw-w64, fontTools and ImageMagick make, checked against what
readelf, objdump, fontTools and ImageMagick read in the same files and in the files sondrix-cli saves."""
import os
import re
import struct
import sys
import unittest

sys.path.insert(0, os.path.dirname(os.path.abspath(__file__)))
import cli_end_to_end_test as base  # noqa: E402  takes the program and the template folder from the arguments
from cli_end_to_end_test import contents, dump, edited, identify, items, run, sample, shown, value, values, write  # noqa: E402

C_SOURCE = ('const char greeting[] = "Sondrix"; int counter = 7; int buffer[64];'
            "int main(void) { return greeting[counter % 7] + buffer[counter]; }")
WIN_SOURCE = '#include <stdio.h>\nint main(void) { puts("Sondrix"); return 0; }'


def make_font(path):
    """FontBuilder: a TrueType font, or a CFF one for .otf; a character beyond the BMP gives cmap a format 12 subtable."""
    from fontTools.fontBuilder import FontBuilder
    from fontTools.pens.t2CharStringPen import T2CharStringPen
    from fontTools.pens.ttGlyphPen import TTGlyphPen

    cff, order = path.endswith(".otf"), [".notdef", "A"]
    builder = FontBuilder(1000, isTTF=not cff)
    builder.setupGlyphOrder(order)
    builder.setupCharacterMap({0x41: "A", 0x1F600: "A"})
    glyphs = {}
    for name in order:
        pen = T2CharStringPen(600, None) if cff else TTGlyphPen(None)
        pen.moveTo((100, 0)), pen.lineTo((300, 700)), pen.lineTo((500, 0)), pen.closePath()
        glyphs[name] = pen.getCharString() if cff else pen.glyph()
    if cff:
        builder.setupCFF("SondrixTest-Regular", {"FullName": "Sondrix Test"}, glyphs, {})
    else:
        builder.setupGlyf(glyphs)
    builder.setupHorizontalMetrics({name: (600, 100) for name in order})
    builder.setupHorizontalHeader(ascent=800, descent=-200)
    builder.setupNameTable({"familyName": "Sondrix Test", "styleName": "Regular"})
    builder.setupOS2(sTypoAscender=800, usWinAscent=800, usWinDescent=200)
    builder.setupPost()
    builder.save(path)


def make_cursor(path):
    """ImageMagick writes icons only: the icon's type becomes 2 and each entry's planes and bits a hotspot."""
    icon = made("sizes.ico")
    data = bytearray(contents(icon))
    data[2:4] = struct.pack("<H", 2)
    for index in range(struct.unpack_from("<H", data, 4)[0]):
        data[6 + 16 * index + 4:6 + 16 * index + 8] = struct.pack("<HH", HOTSPOTS[index], HOTSPOTS[index] + 1)
    write(path, bytes(data))


HOTSPOTS = (9, 5, 2)
MAKERS = {
    "hello64": lambda p: run("gcc", "-O1", "-o", p, "-x", "c", "-", stdin=C_SOURCE),
    "hello32": lambda p: run("gcc", "-m32", "-O1", "-o", p, "-x", "c", "-", stdin=C_SOURCE),
    "object64.o": lambda p: run("gcc", "-c", "-O1", "-o", p, "-x", "c", "-", stdin=C_SOURCE),
    "big64.o": lambda p: run("objcopy", "-I", "binary", "-O", "elf64-big", made("hello32"), p),
    "big32.o": lambda p: run("objcopy", "-I", "binary", "-O", "elf32-big", made("hello32"), p),
    "hello64.exe": lambda p: run("x86_64-w64-mingw32-gcc", "-O1", "-s", "-o", p, "-x", "c", "-", stdin=WIN_SOURCE),
    "hello32.exe": lambda p: run("i686-w64-mingw32-gcc", "-O1", "-s", "-o", p, "-x", "c", "-", stdin=WIN_SOURCE),
    "glyphs.ttf": make_font,
    "glyphs.otf": make_font,
    "sizes.ico": lambda p: base.magick("-size", "256x256", "gradient:red-blue", "-define", "icon:auto-resize=256,48,16", p),
    "pointer.cur": make_cursor,
}


def made(name):
    if not os.path.exists(sample(name)):
        MAKERS[name](sample(name))
    return sample(name)


def spans(rows):
    """The sorted, merged [start, end) ranges of the bytes the rows cover, regions' own rows left out."""
    merged = []
    for start, end in sorted((r["offset"], r["offset"] + r["size"]) for r in rows if r["code"] != "ATOF" and r["size"]):
        if merged and start <= merged[-1][1]:
            merged[-1][1] = max(merged[-1][1], end)
        else:
            merged.append([start, end])
    return [tuple(m) for m in merged]


def gaps(ranges, size):
    """The bytes of [0, size) that none of the ranges covers, as merged ranges."""
    covered = spans([{"code": "", "offset": a, "size": b - a} for a, b in ranges])
    found, at = [], 0
    for start, end in covered + [(size, size)]:
        if start > at:
            found.append((at, start))
        at = max(at, end)
    return found


def rests(rows):
    return [(r["offset"], r["offset"] + r["size"]) for r in rows if r["kind"] == "rest"]


def elf_sections(path):
    """(name, type, offset, size) of each section header, as readelf lists them."""
    pattern = r"^\s*\[\s*\d+\]\s+(?:(\S+)\s+)?([A-Z][A-Za-z0-9_+]*)\s+[0-9a-f]{8,16}\s+([0-9a-f]{6,})\s+([0-9a-f]{6,})\s"
    return [(name, kind, int(offset, 16), int(size, 16))
            for name, kind, offset, size in re.findall(pattern, run("readelf", "-S", "-W", path), re.M)]


def elf_segments(path):
    """(offset, virtual address, size in file) of each program header, as readelf lists them."""
    pattern = r"^\s+[A-Z][A-Z0-9_]+\s+0x([0-9a-f]+)\s+0x([0-9a-f]+)\s+0x[0-9a-f]+\s+0x([0-9a-f]+)\s"
    return [tuple(int(n, 16) for n in found) for found in re.findall(pattern, run("readelf", "-l", "-W", path), re.M)]


def objdump_imports(path):
    """{DLL name: [(hint, function)]} as objdump reads the import tables."""
    found = {}
    for block in run("x86_64-w64-mingw32-objdump", "-p", path).split("DLL Name: ")[1:]:
        lines = block.split("\n")
        found[lines[0].strip()] = [(int(h), f) for h, f in re.findall(r"^\t[0-9a-f]+\s+(\d+)\s+(\S+)$", "\n".join(lines[1:]), re.M)]
    return found


class OffsetFormats(unittest.TestCase):
    def every_byte(self, template, path):
        """The rows of a dump that binds to the end, covering each byte of the file, the ones outside every row and region
        zeros; saved unchanged it is the same file."""
        rows = dump(template, path)
        self.assertEqual(spans(rows), [(0, os.path.getsize(path))], path)
        # What no row or region takes is the padding between the parts.
        self.assertEqual(b"".join(contents(path)[a:b] for r in rows if r["kind"] == "rest" and r["depth"] == 0
                                  for a, b in [(r["offset"], r["offset"] + r["size"])]).strip(b"\0"), b"", path)
        self.assertEqual(contents(edited(template, path)), contents(path), path)
        return rows

    def test_elf_headers_sections_and_their_data(self):
        for name, template in (("hello64", "elf64"), ("hello32", "elf32"), ("object64.o", "elf64"),
                               ("big64.o", "elf64"), ("big32.o", "elf32")):
            with self.subTest(name):
                path = made(name)
                rows, sections, segments = self.every_byte(template, path), elf_sections(path), elf_segments(path)
                self.assertEqual(shown(rows, "Section name"), [n or "" for n, _, _, _ in sections])
                self.assertEqual((values(rows, "Offset"), [int(s) for s in shown(rows, "Size")]),
                                 ([o for _, _, o, _ in sections], [s for _, _, _, s in sections]))
                self.assertEqual(list(zip(values(rows, "Segment offset"), values(rows, "Virtual address"),
                                          values(rows, "Size in file"))), segments)
                # Each section with bytes in the file is one rest row in its region; no other rest row but
                # the alignment between the parts.
                with_data = [(o, o + s) for _, kind, o, s in sections if kind not in ("NULL", "NOBITS") and s]
                self.assertLessEqual(set(with_data), set(rests(rows)))
                header, table = value(rows, "Header size"), (value(rows, "Section header offset"),
                                                             value(rows, "Section header offset") + len(sections) * value(rows, "Section header size"))
                program = [(value(rows, "Program header offset"), value(rows, "Program header offset") + len(segments) * value(rows, "Program header size"))]
                expected = gaps([(0, header), table] + program * bool(segments) + with_data, os.path.getsize(path))
                self.assertEqual(spans([{"code": "", "offset": a, "size": b - a} for a, b in rests(rows) if (a, b) not in with_data]), expected)
        for name, template in (("hello64", "elf64"), ("hello32", "elf32")):
            with self.subTest("renamed section", file=name):
                path = made(name)
                out = edited(template, path, "%d=.cOmment" % next(r["row"] for r in dump(template, path) if r["value"] == ".comment"))
                self.assertEqual([n for n, _, _, _ in elf_sections(out)], [n.replace(".comment", ".cOmment") for n, _, _, _ in elf_sections(path)])

    def test_pe_headers_sections_and_imports(self):
        for name, magic in (("hello64.exe", 0x20B), ("hello32.exe", 0x10B)):
            with self.subTest(name):
                path = made(name)
                rows = self.every_byte("pe32plus", path)
                headers = run("x86_64-w64-mingw32-objdump", "-p", path)
                listed = re.findall(r"^\s*\d+\s+(\S+)\s+([0-9a-f]{8})\s+([0-9a-f]{8,16})\s+[0-9a-f]{8,16}\s+([0-9a-f]{8})",
                                    run("x86_64-w64-mingw32-objdump", "-h", path), re.M)
                base_address, entry = (int(re.search(n + r"\s+([0-9a-f]+)", headers).group(1), 16) for n in ("ImageBase", "AddressOfEntryPoint"))
                self.assertEqual(value(rows, "Magic", "Image base", "Entry point", "Sections"), (magic, base_address, entry, len(listed)))
                self.assertEqual(shown(rows, "Name"), [n for n, _, _, _ in listed])
                self.assertEqual(list(zip(values(rows, "Virtual size"), values(rows, "Virtual address"), values(rows, "Pointer to raw data"))),
                                 [(int(s, 16), int(v, 16) - base_address, int(o, 16)) for _, s, v, o in listed])
                imports = objdump_imports(path)
                found = {}
                for descriptor in items(rows, "Import descriptor"):
                    if shown(descriptor, "DLL name"):
                        found[shown(descriptor, "DLL name")[0]] = list(zip(values(descriptor, "Hint"), shown(descriptor, "Function name")))
                self.assertEqual(found, imports)
                self.assertIn("KERNEL32.dll", found)
        out = edited("pe32plus", path, "%d=kernel32.dll" % next(r["row"] for r in rows if r["value"] == "KERNEL32.dll"))
        self.assertEqual(sorted(objdump_imports(out)), sorted(n.replace("KERNEL32", "kernel32") for n in imports))

    def test_truetype_and_opentype_tables_where_the_directory_puts_them(self):
        from fontTools.ttLib import TTFont

        for path in (made("glyphs.ttf"), made("glyphs.otf"), base.FONT):
            with self.subTest(os.path.basename(path)):
                rows = self.every_byte("truetype", path)
                font = TTFont(path)
                self.assertEqual(sorted((r["value"], value(t, "Offset"), value(t, "Length")) for r, t in
                                        zip([r for r in rows if r["kind"] == "key"], items(rows, "Table record"))),
                                 sorted((tag, e.offset, e.length) for tag, e in font.reader.tables.items()))
                head, hhea, maxp = font["head"], font["hhea"], font["maxp"]
                self.assertEqual(value(rows, "Magic number", "Units per em", "Created", "X max", "Index to location format"),
                                 (head.magicNumber, head.unitsPerEm, head.created, head.xMax, head.indexToLocFormat))
                self.assertEqual(value(rows, "Ascender", "Descender", "Horizontal metrics", "Glyphs", "Max points"),
                                 (hhea.ascent, hhea.descent, hhea.numberOfHMetrics, maxp.numGlyphs, getattr(maxp, "maxPoints", None)))
                names = [(value(r, "Platform"), value(r, "Encoding"), value(r, "Language"), value(r, "Name id"),
                          shown(r, "String")[0] if value(r, "Platform") == 1 else bytes.fromhex(shown(r, "String")[0]).decode("utf-16-be"))
                         for r in items(rows, "Name record")]
                self.assertEqual(names, [(n.platformID, n.platEncID, n.langID, n.nameID, n.toUnicode()) for n in font["name"].names])
                self.assertEqual([(value(r, "Platform"), value(r, "Encoding"), value(r, "Subtable format"), value(r, "Subtable length"))
                                  for r in items(rows, "Encoding record")],
                                 [(t.platformID, t.platEncID, t.format, t.length) for t in font["cmap"].tables])
        path = made("glyphs.otf")
        rows = dump("truetype", path)
        family = next(r for r in items(rows, "Name record") if value(r, "Platform") == 1 and value(r, "Name id") == 1)
        out = edited("truetype", path, "%d=2048" % base.row_of(rows, "Units per em"),
                     "%d=Sondrix Best" % next(r["row"] for r in family if r["kind"] == "data" and r["caption"] == "String"))
        font = TTFont(out)
        self.assertEqual((font["head"].unitsPerEm, font["name"].getName(1, 1, 0, 0).toUnicode()), (2048, "Sondrix Best"))
        self.assertEqual(font["name"].getName(1, 3, 1, 0x409).toUnicode(), "Sondrix Test")

    def test_icon_and_cursor_images_where_their_entries_put_them(self):
        for name, kind in (("sizes.ico", 1), ("pointer.cur", 2), ("multi.ico", 1)):
            with self.subTest(name):
                path = base.made(name) if name in base.MAKERS else made(name)
                rows = self.every_byte("ico", path)
                sizes = [tuple(map(int, size.split("x"))) for size in identify(path, "%wx%h ")]
                self.assertEqual(value(rows, "Type"), kind)
                self.assertEqual([256 if w == 0 else w for w in values(rows, "Width (0")], [w for w, _ in sizes])
                for (width, height), image in zip(sizes, items(rows, "Image")):
                    if any(r["kind"] == "key" and r["value"] == "IHDR" for r in image):
                        # The png template's CRCs are right only over the image's own bytes.
                        self.assertEqual((values(image, "Width")[-1], values(image, "Height")[-1]), (width, height))
                        self.assertTrue(all(v.endswith(" valid") for v in shown(image, "CRC")))
                    else:
                        self.assertEqual(value(image, "Bitmap width", "Bitmap height"), (width, 2 * height))
                        self.assertEqual(len(items(image, "Colour row")) + len(items(image, "Mask row")), 2 * height)
                self.assertEqual(values(rows, "Hotspot X"), list(HOTSPOTS[:len(sizes)]) if kind == 2 else [])
        self.assertIn("PNG", identify(made("sizes.ico"), "%m "))
        # The 16-pixel image's bottom row starts with a blue pixel.
        path = made("sizes.ico")
        rows = dump("ico", path)
        small = next(image for image in items(rows, "Image") if value(image, "Bitmap width") == 16)
        pixels = next(r for r in small if r["caption"] == "Pixels")
        out = edited("ico", path, "%d=ff 00 00 ff %s" % (pixels["row"], pixels["value"][12:]))
        self.assertEqual(run("/usr/bin/convert", out + "[2]", "-format", "%[pixel:p{0,15}] %[pixel:p{1,15}]", "info:").split(),
                         ["srgba(0,0,255,1)", run("/usr/bin/convert", path + "[2]", "-format", "%[pixel:p{1,15}]", "info:")])

    def test_bitmap_pixels_where_the_offset_puts_them(self):
        # The gap before the pixels is its own row; the pixels start where the file header says.
        for name in ("gap.bmp", "palette.bmp", "core.bmp", "rle.bmp", "alpha-v5.bmp"):
            with self.subTest(name):
                path = base.made(name)
                rows = self.every_byte("bmp", path)
                first = next(r for r in rows if r["caption"] in ("Pixels", "Compressed pixels"))
                self.assertEqual(first["offset"], struct.unpack_from("<I", contents(path), 10)[0])


if __name__ == "__main__":
    unittest.main(verbosity=1)
