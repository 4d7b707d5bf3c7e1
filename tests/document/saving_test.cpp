#include "document/saving.h"

#include <gtest/gtest.h>

#include <string>

#include "document/document_harness.h"

namespace {

struct Saving : DocumentTest {};

TEST_F(Saving, AnUnchangedDocumentWritesTheBytesItWasBoundFromUpToTheLastBoundField) {
    const struct {
        std::string rows;
        Bytes bytes;
        Bytes saved;
    } cases[] = {
        {"", {1, 2, 3}, {}},
        {"WCNT LSTC DWRD PSTR LSTE",
         {0, 2, 0, 1, 1, 'a', 0xFF, 0xFE, 0, 9},
         {0, 2, 0, 1, 1, 'a', 0xFF, 0xFE, 0}},
        {"lzct wcnt LSTC UQWD LSTE",
         {0, 0, 0, 0, 3, 0, 1, 2, 3, 4, 5, 6, 7, 8},
         {0, 0, 0, 0, 3, 0, 1, 2, 3, 4, 5, 6, 7, 8}},
        {"BZCT LSTC hlng LSTE DVDR", {0, 1, 2, 3, 4}, {0, 1, 2, 3, 4}},
        {"QCNT LSTC LSTE qsiz wskp",
         {0, 0, 0, 0, 0, 0, 0, 0, 1, 2, 3, 4, 5, 6, 7, 8, 9, 10},
         {0, 0, 0, 0, 0, 0, 0, 0, 1, 2, 3, 4, 5, 6, 7, 8, 9, 10}},
        {"lstr WSTR", {2, 0, 0, 0, 'o', 'k', 0, 1, '!'}, {2, 0, 0, 0, 'o', 'k', 0, 1, '!'}},
        // Binding stopped at the misplaced end: only what was bound is saved.
        {"UBYT LSTE UBYT", {1, 2}, {1}},
    };
    for (const auto& c : cases) {
        Document* document = open(c.rows, c.bytes);
        document->saved = false;
        document->needsNewName = true;
        EXPECT_EQ(saveDocument(document, dir.path("out.bin").c_str()), static_cast<int64_t>(c.saved.size()))
            << c.rows;
        EXPECT_EQ(dir.read("out.bin"), c.saved) << c.rows;
        EXPECT_TRUE(document->saved) << c.rows;
        EXPECT_FALSE(document->needsNewName) << c.rows;
        EXPECT_FALSE(dir.exists("out.bin.saving")) << c.rows;
    }
}

TEST_F(Saving, ValuesMissingFromAShortFileAreWrittenAsZero) {
    Document* document = open("WCNT LSTC UBYT LSTE PSTR DLNG", {0, 1, 7, 3, 'a'});
    ASSERT_EQ(saveDocument(document, dir.path("out.bin").c_str()), 11);
    EXPECT_EQ(dir.read("out.bin"), (Bytes{0, 1, 7, 3, 'a', 0, 0, 0, 0, 0, 0}));
}

TEST_F(Saving, SavingOverTheFileThatWasReadReplacesIt) {
    Document* document = open("DWRD", {0x12, 0x34, 0x56}, "same.bin");
    EXPECT_EQ(saveDocument(document, document->path), 2);
    EXPECT_EQ(dir.read("same.bin"), (Bytes{0x12, 0x34}));
}

TEST_F(Saving, AFailedSaveLeavesTheOldFileAndTheUnsavedMark) {
    FieldTypeProcs procs = findFieldType(makeFieldCode("UBYT"))->procs;
    procs.writeValue = [](FieldInstance*, void*, TIOStream*, int64_t) -> int64_t { return -7; };
    ASSERT_TRUE(registerFieldType(makeFieldCode("BADW"), "fails", 0, &procs));
    dir.write("old.bin", Bytes{9, 9, 9});
    Document* document = open("UBYT BADW", {1, 2});
    document->saved = false;
    EXPECT_EQ(saveDocument(document, dir.path("old.bin").c_str()), -7);
    EXPECT_EQ(dir.read("old.bin"), (Bytes{9, 9, 9}));
    EXPECT_FALSE(document->saved);
    EXPECT_FALSE(dir.exists("old.bin.saving"));

    EXPECT_EQ(saveDocument(document, dir.path("no such dir\\out.bin").c_str()), kResultCannotOpen);
    EXPECT_FALSE(document->saved);
}

}  // namespace
