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

# Recipes of rows for the fuzzer's template maker (tests/fuzz/template_recipe.h): a row index and the
# earlier name it reads, for each row; 24 closes the innermost section.
RECIPES = [
    [0, 0, 3, 0, 13, 0, 0, 0, 12, 0, 29, 0, 16, 0, 0, 0, 5, 3, 29, 0, 14, 0, 8, 0, 29, 0],
    [0, 0, 20, 0, 21, 0, 1, 0, 22, 0, 6, 0, 29, 0, 15, 0, 1, 0, 18, 0, 19, 0, 1, 0, 29, 0, 29, 0, 23, 0, 9, 0, 11, 0],
    [0, 0, 17, 0, 2, 0, 7, 0, 29, 0, 4, 1, 10, 0],
    [0, 0, 24, 0, 0, 0, 29, 0, 18, 0, 19, 0, 0, 0, 29, 0, 25, 1, 0, 0, 29, 0, 17, 0, 24, 1, 0, 0, 29, 0, 29, 0],
]


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
    for number, recipe in enumerate(RECIPES):
        changes = bytes([len(SEQUENCES[0])]) + bytes(b for step in SEQUENCES[0] for b in step)
        with open(os.path.join(corpus, "seed-recipe-%d" % number), "wb") as out:
            out.write((len(recipe) | 0x8000).to_bytes(2, "little") + bytes(recipe) + changes + DEFAULT_BYTES)


if __name__ == "__main__":
    main()
