#include "document/saving.h"

#include <gtest/gtest.h>

#include <string>

#include "document/changes.h"
#include "document/document_harness.h"

namespace {

struct Saving : DocumentTest {};

TEST_F(Saving, AnUnchangedDocumentWritesTheBytesItWasBoundFrom) {
    const struct {
        std::string rows;
        Bytes bytes;
    } cases[] = {
        {"", {1, 2, 3}},
        {"WCNT LSTC DWRD PSTR LSTE", {0, 2, 0, 1, 1, 'a', 0xFF, 0xFE, 0, 9}},
        {"lzct wcnt LSTC UQWD LSTE", {0, 0, 0, 0, 3, 0, 1, 2, 3, 4, 5, 6, 7, 8}},
        {"BZCT LSTC hlng LSTE DVDR", {0, 1, 2, 3, 4}},
        {"QCNT LSTC LSTE qsiz wskp", {0, 0, 0, 0, 0, 0, 0, 0, 1, 2, 3, 4, 5, 6, 7, 8, 9, 10}},
        {"lstr WSTR", {2, 0, 0, 0, 'o', 'k', 0, 1, '!'}},
        {"UBYT LSTE UBYT", {1, 2}},
    };
    for (const auto& c : cases) {
        Document* document = open(c.rows, c.bytes);
        document->saved = false;
        document->needsNewName = true;
        EXPECT_EQ(saveDocument(document, dir.path("out.bin").c_str()), static_cast<int64_t>(c.bytes.size()))
            << c.rows;
        EXPECT_EQ(dir.read("out.bin"), c.bytes) << c.rows;
        EXPECT_TRUE(document->saved) << c.rows;
        EXPECT_FALSE(document->needsNewName) << c.rows;
        EXPECT_FALSE(dir.exists("out.bin.saving")) << c.rows;
    }
}

TEST_F(Saving, RestBytesFollowTheFileAcrossSavesOverIt) {
    Document* document = open("PSTR", {1, 'a', 7, 8, 9}, "same.bin");
    queryscript::answer("abc");
    ASSERT_TRUE(editInstance(document, document->first));
    EXPECT_EQ(saveDocument(document, document->path), 7);
    EXPECT_EQ(dir.read("same.bin"), (Bytes{3, 'a', 'b', 'c', 7, 8, 9}));
    queryscript::answer("");
    ASSERT_TRUE(editInstance(document, document->first));
    EXPECT_EQ(saveDocument(document, dir.path("copy.bin").c_str()), 4);
    EXPECT_EQ(saveDocument(document, document->path), 4);
    EXPECT_EQ(dir.read("same.bin"), (Bytes{0, 7, 8, 9}));
    EXPECT_EQ(dir.read("copy.bin"), dir.read("same.bin"));
}

TEST_F(Saving, RestBytesAreNotCopiedFromAFileThatChanged) {
    Document* document = open("UBYT", {1, 2, 3}, "source.bin");
    dir.write("source.bin", Bytes{1, 2, 3, 4});
    dir.write("out.bin", Bytes{5});
    EXPECT_EQ(saveDocument(document, dir.path("out.bin").c_str()), kResultSourceChanged);
    EXPECT_EQ(dir.read("out.bin"), Bytes{5});
    EXPECT_FALSE(dir.exists("out.bin.saving"));
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
