#!/usr/bin/python3
"""The zip and tiff templates, whose rows are reached by offsets read from the file: archives written
by Python's zipfile and by zip, images by ImageMagick and Pillow, dumped by sondrix-cli and checked
against what zipfile and Pillow read from the same files; a member renamed and a tag deleted, and the
results read back by them."""
import os
import subprocess
import sys
import unittest
import zipfile
import zlib

sys.path.insert(0, os.path.dirname(os.path.abspath(__file__)))
import cli_end_to_end_test as base  # noqa: E402  (takes the command line's two arguments)
from PIL import Image  # noqa: E402

from cli_end_to_end_test import contents, dump, items, magick, run, sample, shown, value, values, write  # noqa: E402

PAYLOAD = base.PAYLOAD
RAW = bytes(range(256)) * 3


class Unseekable:
    """A stream zipfile cannot go back in, so that it writes a data descriptor after each member."""

    def __init__(self, path):
        self.out = open(path, "wb")

    def write(self, data):
        return self.out.write(data)

    def flush(self):
        self.out.flush()

    def close(self):
        self.out.close()


def make_zip(path):
    """zipfile: a deflated member, a stored one with a comment, a folder; an archive comment."""
    with zipfile.ZipFile(path, "w") as archive:
        archive.writestr("notes.txt", PAYLOAD, zipfile.ZIP_DEFLATED)
        stored = zipfile.ZipInfo("data/raw.bin", (2020, 2, 29, 13, 37, 42))
        stored.comment = b"every byte value, three times"
        archive.writestr(stored, RAW, zipfile.ZIP_STORED)
        archive.writestr("data/empty/", b"")
        archive.comment = b"Made for Sondrix"


def make_streamed_zip(path):
    stream = Unseekable(path)
    with zipfile.ZipFile(stream, "w") as archive:
        archive.writestr("first.txt", PAYLOAD, zipfile.ZIP_DEFLATED)
        archive.writestr("second.bin", RAW, zipfile.ZIP_STORED)
    stream.close()


def make_zip_by_tool(path):
    """zip adds extra fields (times, owner) to the local headers and shorter ones to the central entries."""
    folder = sample("zip-source")
    os.makedirs(folder, exist_ok=True)
    write(os.path.join(folder, "notes.txt"), PAYLOAD)
    write(os.path.join(folder, "raw.bin"), RAW)
    subprocess.run(("zip", "-q", "-r", path, "notes.txt", "raw.bin"), cwd=folder, check=True)


def make_tiff(*arguments):
    return lambda path: magick("-size", "16x8", "gradient:red-blue", "-depth", "8", *arguments, "TIFF:" + path)


def make_tiff_by_pillow(path):
    """Pillow: a resolution (its unit inline) and an orientation, a software name at an offset."""
    image = Image.new("RGB", (5, 3))
    image.putdata([(17 * i, 255 - 17 * i, i) for i in range(15)])
    image.save(path, dpi=(72, 72), tiffinfo={274: 1, 305: "Sondrix test"})


MAKERS = {
    "members.zip": make_zip,
    "streamed.zip": make_streamed_zip,
    "tool.zip": make_zip_by_tool,
    "big-endian.tif": make_tiff("-define", "tiff:endian=msb"),
    "little-endian.tif": make_tiff("-define", "tiff:endian=lsb"),
    "pages.tif": lambda p: magick("-size", "8x4", "xc:red", "xc:blue", "xc:lime", "-depth", "8", "TIFF:" + p),
    "strips.tif": make_tiff("-define", "tiff:rows-per-strip=3", "-define", "tiff:endian=msb"),
    "pillow.tif": make_tiff_by_pillow,
}
ZIPS = [n for n in MAKERS if n.endswith(".zip")]
TIFFS = [n for n in MAKERS if n.endswith(".tif")]


def made(name):
    if not os.path.exists(sample(name)):
        MAKERS[name](sample(name))
    return sample(name)


def edit(template, path, *arguments):
    out = sample("edited-" + os.path.basename(path))
    run(base.CLI, "edit", "--templates", base.TEMPLATES, "-t", template, *arguments, "-o", out, path)
    return out


def data_rows(rows, caption):
    return [r for r in rows if r["kind"] == "data" and r["caption"].startswith(caption)]


def central_crcs(rows):
    """The CRC-32 of each central directory entry: checked for stored members, as read for others."""
    directory = value(rows, "Central directory offset")
    return [int(r["value"].split()[0].lstrip("$"), 16) for r in rows
            if r["caption"].startswith("CRC-32 (of the") and r["offset"] >= directory]


def row_number(rows, caption, text):
    """The number of the data row under `caption` that shows `text`."""
    return next(r["row"] for r in data_rows(rows, caption) if r["value"] == text)


class Zip(unittest.TestCase):
    def test_every_member_through_the_central_directory(self):
        for name in ZIPS:
            with self.subTest(name):
                path = made(name)
                rows = dump("zip", path)
                self.assertEqual([r for r in rows if r["kind"] == "rest"], [])
                covered = bytearray(os.path.getsize(path))
                for r in rows:
                    if r["kind"] in ("data", "count", "size", "key"):
                        covered[r["offset"]:r["offset"] + r["size"]] = b"\1" * r["size"]
                self.assertEqual(covered.count(0), 0, "every byte is a row's")
                with zipfile.ZipFile(path) as archive:
                    members = archive.infolist()
                    self.assertEqual(shown(rows, "Archive comment"), [archive.comment.decode()])
                    self.assertEqual(shown(rows, "Name"), [m.filename for m in members])
                    self.assertEqual(shown(rows, "Local name"), [m.filename for m in members])
                    self.assertEqual(values(rows, "Local header offset"), [m.header_offset for m in members])
                    self.assertEqual(central_crcs(rows), [m.CRC for m in members])
                    self.assertEqual(shown(rows, "Comment"), [m.comment.decode() for m in members])
                    data = data_rows(rows, "Data (as compressed)")
                    self.assertEqual(len(data), len(members))
                    for member, row in zip(members, data):
                        compressed = contents(path)[row["offset"]:row["offset"] + row["size"]]
                        plain = zlib.decompress(compressed, -15) if member.compress_type == zipfile.ZIP_DEFLATED else compressed
                        self.assertEqual(plain, archive.read(member), member.filename)
                        if member.compress_size <= 16:
                            self.assertEqual(row["value"], compressed.hex(" "))
                    descriptors = values(rows, "Data descriptor follows") [::2]
                    self.assertEqual(descriptors, [m.flag_bits >> 3 & 1 for m in members])

    def test_saved_unchanged_and_read_by_zipfile(self):
        for name in ZIPS:
            with self.subTest(name):
                out = edit("zip", made(name))
                self.assertEqual(contents(out), contents(made(name)))
                with zipfile.ZipFile(out) as archive:
                    self.assertIsNone(archive.testzip())

    def test_a_stored_member_edited_keeps_its_crc_in_the_entry_and_the_local_header(self):
        for name in ("members.zip", "streamed.zip"):
            with self.subTest(name):
                path = made(name)
                rows = dump("zip", path)
                data = data_rows(rows, "Data (as compressed)")
                with zipfile.ZipFile(path) as archive:
                    stored = [i for i, m in enumerate(archive.infolist()) if m.compress_type == zipfile.ZIP_STORED and m.file_size][0]
                    member = archive.infolist()[stored].filename
                new = bytes(reversed(RAW))
                out = edit("zip", path, "--set", "%d=%s" % (data[stored]["row"], new.hex(" ")))
                with zipfile.ZipFile(out) as archive:
                    self.assertIsNone(archive.testzip())
                    self.assertEqual(archive.read(member), new)
                self.assertEqual(central_crcs(dump("zip", out))[stored], zlib.crc32(new))

    def test_a_member_renamed_longer_moves_what_follows(self):
        for name in ZIPS:
            with self.subTest(name):
                path = made(name)
                rows = dump("zip", path)
                with zipfile.ZipFile(path) as archive:
                    before = {m.filename: archive.read(m) for m in archive.infolist()}
                first = next(iter(before))
                new = "renamed/" + first + ".longer"
                out = edit("zip", path, "--set", "%d=%s" % (row_number(rows, "Name", first), new),
                           "--set", "%d=%s" % (row_number(rows, "Local name", first), new))
                growth = len(new) - len(first)
                self.assertEqual(os.path.getsize(out), os.path.getsize(path) + 2 * growth)
                with zipfile.ZipFile(out) as archive:
                    self.assertIsNone(archive.testzip())
                    self.assertEqual(archive.namelist(), [new] + list(before)[1:])
                    self.assertEqual({m.filename: archive.read(m) for m in archive.infolist()},
                                     {new if n == first else n: d for n, d in before.items()})
                again = dump("zip", out)
                self.assertEqual(values(again, "Name length"), [len(n.encode()) for n in [new] + list(before)[1:]])


# Tags whose value is a number each, as Pillow gives them.
NUMBERS = (256, 257, 258, 259, 262, 274, 277, 278, 296)


class Tiff(unittest.TestCase):
    def directories(self, rows):
        """(tags, numbers of the NUMBERS tags, strips as (offset, size)) of every IFD of the dump."""
        found = []
        for ifd in items(rows, "IFD"):
            entries = items(ifd, "Entry")
            tags = [value(entry, "Tag") for entry in entries]
            numbers = {tag: tuple(values(entry, "Number")) for tag, entry in zip(tags, entries) if tag in NUMBERS}
            strips = [(r["offset"], r["size"]) for r in data_rows(ifd, "Image data")]
            found.append((tags, numbers, strips))
        return found

    def pillow(self, path):
        with Image.open(path) as image:
            found = []
            for page in range(image.n_frames):
                image.seek(page)
                tags = image.tag_v2
                numbers = {t: tuple(tags[t]) if isinstance(tags[t], tuple) else (tags[t],) for t in tags if t in NUMBERS}
                found.append((sorted(tags), numbers, list(zip(tags[273], tags[279]))))
            return found

    def test_every_directory_entry_and_strip_in_both_byte_orders(self):
        for name in TIFFS:
            with self.subTest(name):
                path = made(name)
                rows = dump("tiff", path)
                self.assertEqual(value(rows, "Byte order"), int.from_bytes(contents(path)[:2], "big"))
                # The tags in the order the file has them, which is ascending.
                self.assertEqual(self.directories(rows), self.pillow(path))
                # Bytes no row takes: only a pad byte after a value of odd length.
                self.assertEqual(set(r["size"] for r in rows if r["kind"] == "rest") - {1}, set())
                with Image.open(path) as image:
                    self.assertEqual(len(items(rows, "IFD")), image.n_frames)
                self.assertEqual(contents(edit("tiff", path)), contents(path))

    def test_deleting_an_inline_tag_keeps_the_pixels(self):
        # pages.tif: the first of three directories, so the chain after it follows.
        for name, tag in (("big-endian.tif", 274), ("pillow.tif", 296), ("pillow.tif", 274), ("pages.tif", 274)):
            with self.subTest(name=name, tag=tag):
                path = made(name)
                rows = dump("tiff", path)
                entry = next(r for r in rows if r["kind"] == "list-header" and r["caption"] == "Entry"
                             and value(rows[r["row"]:r["row"] + 1], "Tag") == tag)
                out = edit("tiff", path, "--delete", str(entry["row"]))
                with Image.open(path) as before, Image.open(out) as after:
                    self.assertEqual(after.tobytes(), before.tobytes())
                    self.assertNotIn(tag, after.tag_v2)
                    self.assertEqual(set(after.tag_v2), set(before.tag_v2) - {tag})
                    self.assertEqual(value(dump("tiff", out), "Entries"), len(after.tag_v2))


if __name__ == "__main__":
    unittest.main(verbosity=1)
