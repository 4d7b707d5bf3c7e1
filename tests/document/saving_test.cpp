#include "document/saving.h"

#include <gtest/gtest.h>

#include <string>

#include "document/changes.h"
#include "document/document_harness.h"

namespace {

using Saving = DocumentTest;

TEST_F(Saving, AnUnchangedDocumentWritesTheBytesItWasBoundFrom) {
    const struct {
        const char* rows;
        const char* bytes;
    } cases[] = {
        {"", "01 02 03"},
        {"WCNT LSTC DWRD PSTR LSTE", "00 02 00 01 01 'a' FF FE 00 09"},
        {"lzct wcnt LSTC UQWD LSTE", "00 00 00 00 03 00 01 02 03 04 05 06 07 08"},
        {"BZCT LSTC hlng LSTE DVDR", "00 01 02 03 04"},
        {"QCNT LSTC LSTE qsiz wskp", "00*8 01 02 03 04 05 06 07 08 09 0A"},
        {"lstr WSTR", "02 00 00 00 'ok' 00 01 '!'"},
        {"UBYT LSTE UBYT", "01 02"},
    };
    for (const auto& c : cases) {
        Document* document = open(c.rows, bytesOf(c.bytes));
        document->saved = false;
        document->needsNewName = true;
        EXPECT_EQ(saveDocument(document, dir.path("out.bin").c_str()),
                  static_cast<int64_t>(bytesOf(c.bytes).size()))
            << c.rows;
        EXPECT_EQ(dir.read("out.bin"), bytesOf(c.bytes)) << c.rows;
        EXPECT_TRUE(document->saved && !document->needsNewName) << c.rows;
        EXPECT_FALSE(dir.exists("out.bin.saving")) << c.rows;
    }
}

TEST_F(Saving, RestBytesFollowTheFileAcrossSavesOverIt) {
    Document* document = open("PSTR", bytesOf("01 'a' 07 08 09"), "same.bin");
    queryscript::answer("abc");
    ASSERT_TRUE(editInstance(document, document->first));
    EXPECT_EQ(saveDocument(document, document->path), 7);
    EXPECT_EQ(dir.read("same.bin"), bytesOf("03 'abc' 07 08 09"));
    queryscript::answer("");
    ASSERT_TRUE(editInstance(document, document->first));
    EXPECT_EQ(saveDocument(document, dir.path("copy.bin").c_str()), 4);
    EXPECT_EQ(saveDocument(document, document->path), 4);
    EXPECT_EQ(dir.read("same.bin"), bytesOf("00 07 08 09"));
    EXPECT_EQ(dir.read("copy.bin"), dir.read("same.bin"));
}

TEST_F(Saving, RestBytesAreNotCopiedFromAFileThatChanged) {
    Document* document = open("UBYT", bytesOf("01 02 03"), "source.bin");
    dir.write("source.bin", bytesOf("01 02 03 04"));
    dir.write("out.bin", bytesOf("05"));
    EXPECT_EQ(saveDocument(document, dir.path("out.bin").c_str()), kResultSourceChanged);
    EXPECT_EQ(dir.read("out.bin"), bytesOf("05"));
    EXPECT_FALSE(dir.exists("out.bin.saving"));
}

TEST_F(Saving, AFailedSaveLeavesTheOldFileAndTheUnsavedMark) {
    FieldTypeProcs procs = findFieldType(makeFieldCode("UBYT"))->procs;
    procs.writeValue = [](FieldInstance*, void*, TIOStream*, int64_t) -> int64_t { return -7; };
    ASSERT_TRUE(registerFieldType(makeFieldCode("BADW"), "fails", 0, &procs));
    dir.write("old.bin", bytesOf("09 09 09"));
    Document* document = open("UBYT BADW", bytesOf("01 02"));
    document->saved = false;
    EXPECT_EQ(saveDocument(document, dir.path("old.bin").c_str()), -7);
    EXPECT_EQ(dir.read("old.bin"), bytesOf("09 09 09"));
    EXPECT_FALSE(dir.exists("old.bin.saving"));
    EXPECT_EQ(saveDocument(document, dir.path("no such dir\\out.bin").c_str()), kResultCannotOpen);
    EXPECT_FALSE(document->saved);
}

}  // namespace
