// Edges of binding, saving and editing that the other document tests pass by: a window seeking
// backwards, rows whose field type cannot write or edit, and fields that cannot be read.
#include <gtest/gtest.h>

#include <cstdint>
#include <string>

#include "document/changes.h"
#include "document/data_window.h"
#include "document/document_harness.h"
#include "fieldtypes/memory_stream.h"

namespace {

struct Edges : DocumentTest {};

TEST_F(Edges, TheWindowSeeksFromEachOriginWithinItsEnd) {
    MemoryStream file(Bytes(10, 1));
    DataWindow window(&file, 8);
    const struct {
        int64_t offset;
        int origin;
        int64_t result;  // 0 for a seek refused
        int64_t at;
    } seeks[] = {
        {6, 0, 6, 6},  {-4, 1, 2, 2},        {-3, 2, 5, 5},        {4, 1, 0, 5},
        {-6, 1, 0, 5}, {INT64_MAX, 1, 0, 5}, {INT64_MIN, 2, 0, 5}, {INT64_MIN + 1, 1, 0, 5},
    };
    for (const auto& s : seeks) {
        EXPECT_EQ(window.Seek(s.offset, s.origin), s.result) << s.offset << " from " << s.origin;
        EXPECT_EQ(window.at(), s.at) << s.offset << " from " << s.origin;
    }
}

// Such a row still takes its bytes when the file is read; saving leaves it out, editing passes it by.
TEST_F(Edges, RowsOfATypeThatCannotWriteOrEditAreLeftOutOfTheSavedFile) {
    FieldTypeProcs procs = findFieldType(makeFieldCode("UBYT"))->procs;
    procs.writeValue = nullptr;
    procs.editValue = nullptr;
    ASSERT_TRUE(registerFieldType(makeFieldCode("NOWR"), "cannot write", 0, &procs));
    Document* document = open("UBYT NOWR UBYT", {1, 2, 3});
    EXPECT_EQ(result, 0);
    EXPECT_EQ(document->instanceCount, 3);
    EXPECT_FALSE(editInstance(document, document->first->next));
    EXPECT_TRUE(document->saved);
    EXPECT_EQ(saved(document), (Bytes{1, 3}));
}

// The field is not shown and its bytes stay in the rest; running out of memory is told apart.
TEST_F(Edges, AFieldThatCannotBeReadStopsBindingWithItsReason) {
    FieldTypeProcs failing = findFieldType(makeFieldCode("UBYT"))->procs;
    failing.readValue = [](FieldInstance*, void*, TIOStream*, int64_t) { return kResultBadStructure; };
    ASSERT_TRUE(registerFieldType(makeFieldCode("BADR"), "unreadable", 0, &failing));
    failing.readValue = [](FieldInstance*, void*, TIOStream*, int64_t) { return kResultNoMemory; };
    ASSERT_TRUE(registerFieldType(makeFieldCode("NOMM"), "no memory", 0, &failing));
    const struct {
        const char* rows;
        int64_t result;
        BindStop reason;
    } cases[] = {{"UBYT BADR", kResultBadStructure, BindStop::UnreadableField},
                 {"UBYT NOMM", kResultNoMemory, BindStop::OutOfMemory}};
    for (const auto& c : cases) {
        Document* document = open(c.rows, {1, 2, 3});
        EXPECT_EQ(result, c.result) << c.rows;
        EXPECT_EQ(document->stopReason, c.reason) << c.rows;
        EXPECT_EQ(describe(document), "UBYT 1;REST 2") << c.rows;
    }
}

}  // namespace
