#!/usr/bin/python3
"""sondrix-cli detect over every sample file the other end-to-end tests make: each bundled template
knows its own files by their leading bytes, alone among the templates, and by their extension."""
import os
import shutil
import sys
import unittest

sys.path.insert(0, os.path.dirname(os.path.abspath(__file__)))
import cli_end_to_end_test as base  # noqa: E402  takes the program and the template folder from the arguments
import archive_formats_test as archives  # noqa: E402
import executable_formats_test as executables  # noqa: E402
from cli_end_to_end_test import CLI, TEMPLATES, cli, sample, write  # noqa: E402

# The template each sample is for, by the end of its name.
EXPECTED = {".bmp": "bmp", ".gif": "gif", ".png": "png", ".ico": "ico", ".cur": "ico", ".tga": "tga",
            ".pcx": "pcx", ".webp": "webp", ".wav": "wav", ".aiff": "aiff", ".aifc": "aiff", ".gz": "gzip",
            ".tar": "tar", ".pcap": "pcap", ".wasm": "wasm", ".mid": "midi", ".jpg": "jpeg", ".class": "class",
            ".exe": "pe32plus", "64": "elf64", "32": "elf32", "64.o": "elf64", "32.o": "elf32", ".ttf": "truetype",
            ".otf": "truetype", ".zip": "zip", ".tif": "tiff"}


def expected(name):
    return next(EXPECTED[end] for end in sorted(EXPECTED, key=len, reverse=True) if name.endswith(end))


def detect(path):
    """(template without .tmpl, why) per line of detect."""
    result = cli("detect", "--templates", TEMPLATES, path)
    assert result.returncode == 0, result.stderr
    return [(line.split()[0].removesuffix(".tmpl"), line.split(None, 1)[1]) for line in result.stdout.splitlines()]


def samples():
    for module in (base, archives, executables):
        for name in module.MAKERS:
            yield name, module.made(name)


class Detect(unittest.TestCase):
    def test_every_sample_by_its_leading_bytes_alone_and_then_by_its_extension(self):
        for name, path in samples():
            with self.subTest(name):
                template = expected(name)
                mystery = sample("mystery")
                shutil.copyfile(path, mystery)
                if template == "tga":  # its files have no signature of their own
                    self.assertEqual(detect(mystery), [])
                    self.assertEqual(detect(path), [("tga", "extension")])
                    continue
                self.assertEqual(detect(mystery), [(template, "content")])
                why = "content, extension" if "." in name else "content"
                self.assertEqual(detect(path)[0], (template, why))

    def test_content_ranks_before_an_extension_that_lies(self):
        png = base.made("blue.png")
        fake = sample("picture.gif")
        shutil.copyfile(png, fake)
        self.assertEqual(detect(fake), [("png", "content"), ("gif", "extension")])
        write(sample("unknown.dat"), b"nothing known")
        self.assertEqual(detect(sample("unknown.dat")), [])

    def test_a_file_that_cannot_be_read_and_a_missing_operand(self):
        self.assertEqual((cli("detect", sample("absent.bin")).returncode, cli("detect").returncode), (2, 1))
        self.assertIn("cannot read", cli("detect", sample("absent.bin")).stderr)


if __name__ == "__main__":
    unittest.main(verbosity=1)
