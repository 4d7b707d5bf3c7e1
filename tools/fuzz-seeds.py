#!/usr/bin/env python3
"""Writes fuzz_binding's starting corpus: each template (a compiled .tmpl, or a seed .txt of rows with a
"bytes" line) with its file and a few sequences of changes.

usage: fuzz-seeds.py TEMPLATE... CORPUS_DIR"""
import os
import sys

# Kind and target bytes: edits, insertions, deletions, undo, redo, saves in place and elsewhere.
SEQUENCES = [
    [(2, 1), (8, 2), (6, 0), (4, 0), (7, 0)],
    [(3, 4), (6, 0), (4, 0), (6, 0), (5, 0), (7, 0)],
    [(16, 3), (2, 7), (24, 5), (4, 0), (4, 0), (5, 0)],
]
DEFAULT_BYTES = bytes(range(64)) * 4


def compiled(rows):
    out = bytearray()
    for line in rows:
        code, _, caption = line.partition(" ")
        out += bytes([len(caption)]) + caption.encode("latin-1") + code.encode("latin-1")
    return bytes(out)


def seed(path):
    if path.endswith(".tmpl"):
        return open(path, "rb").read(), DEFAULT_BYTES
    lines = [l.rstrip("\n") for l in open(path, encoding="latin-1") if l.strip() and not l.startswith("#")]
    data = [l for l in lines if l.startswith("bytes ")]
    rows = [l for l in lines if not l.startswith("bytes ")]
    return compiled(rows), bytes.fromhex(data[0][6:]) if data else DEFAULT_BYTES


def main():
    *templates, corpus = sys.argv[1:]
    for path in templates:
        template, file = seed(path)
        for number, steps in enumerate(SEQUENCES):
            changes = bytes([len(steps)]) + bytes(b for step in steps for b in step)
            name = os.path.join(corpus, "seed-%s-%d" % (os.path.basename(path), number))
            with open(name, "wb") as out:
                out.write(len(template).to_bytes(2, "little") + template + changes + file)


if __name__ == "__main__":
    main()
