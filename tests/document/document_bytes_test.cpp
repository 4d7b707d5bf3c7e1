#include "document/document_bytes.h"

#include <gtest/gtest.h>

#include <functional>
#include <string>

#include "document/changes.h"
#include "document/document_harness.h"
#include "document/instances.h"
#include "views/document/headless/query_script.h"

namespace {

struct DocumentBytes : DocumentTest {
    // The window [from, from + count) as the pane would ask for it: from the row holding from.
    Bytes window(Document* document, int64_t from, int32_t count, Bytes* marks = nullptr) {
        FieldInstance* row = document->first;
        int64_t offset = 0;
        while (row->next && offset + instanceSize(row) <= from) {
            offset += instanceSize(row);
            row = row->next;
        }
        Bytes bytes(count, 0xEE), marked(count, 0xEE);
        int32_t filled = readDocumentBytes(row, offset, {from, count, bytes.data(), marked.data()});
        bytes.resize(filled);
        marked.resize(filled);
        if (marks) *marks = marked;
        return bytes;
    }
};

TEST_F(DocumentBytes, EveryWindowHoldsWhatSavingWrites) {
    const struct {
        std::string rows;
        Bytes bytes;
        std::function<void(Document*)> change;
    } cases[] = {
        {"WCNT LSTC DWRD PSTR LSTE", {0, 2, 0, 1, 1, 'a', 0xFF, 0xFE, 0, 9, 7, 7, 7}, nullptr},
        {"PSTR UBYT",
         {1, 'a', 5, 1, 2, 3, 4, 5, 6, 7, 8, 9, 10, 11, 12, 13, 14, 15, 16, 17, 18, 19},
         [](Document* document) {
             queryscript::answer("longer");
             editInstance(document, document->first);
         }},
        {"WCNT LSTC DWRD LSTE hlng",
         {0, 1, 0x12, 0x34, 1, 2, 3, 4, 9, 9},
         [](Document* document) { insertItem(document, nth(document, 1)); }},
    };
    for (const auto& c : cases) {
        Document* document = open(c.rows, c.bytes);
        if (c.change) c.change(document);
        const Bytes saved = this->saved(document);
        ASSERT_FALSE(saved.empty()) << c.rows;
        for (size_t from = 0; from <= saved.size(); ++from) {
            const size_t end = std::min(saved.size(), from + 5);
            EXPECT_EQ(window(document, from, 5), Bytes(saved.begin() + from, saved.begin() + end))
                << c.rows << " from " << from;
        }
        EXPECT_EQ(window(document, 0, static_cast<int32_t>(saved.size()) + 3), saved) << c.rows;
    }
}

TEST_F(DocumentBytes, BytesCarryTheMarksOfTheirRow) {
    Document* document = open("UBYT DWRD UBYT", {1, 2, 3, 4});
    nth(document, 1)->flags |= kInstanceSelected | kInstanceCurrent;
    nth(document, 2)->flags |= kInstanceSelected;
    Bytes marks;
    window(document, 0, 4, &marks);
    const uint8_t both = kInstanceSelected | kInstanceCurrent;
    EXPECT_EQ(marks, (Bytes{0, both, both, kInstanceSelected}));
}

TEST_F(DocumentBytes, RestBytesOfAChangedSourceAndFailedFieldsAreUnknown) {
    FieldTypeProcs procs = findFieldType(makeFieldCode("UBYT"))->procs;
    procs.writeValue = [](FieldInstance*, void*, TIOStream*, int64_t) -> int64_t { return -7; };
    ASSERT_TRUE(registerFieldType(makeFieldCode("BADW"), "fails", 0, &procs));
    Document* document = open("UBYT BADW UBYT", {1, 2, 3, 4, 5, 6});
    Bytes marks;
    EXPECT_EQ(window(document, 0, 8, &marks).size(), 6u);
    EXPECT_EQ(marks, (Bytes{0, kByteUnknown, 0, 0, 0, 0}));
    dir.write("in.bin", Bytes{1, 2, 3, 4, 5, 6, 7});
    window(document, 2, 4, &marks);
    EXPECT_EQ(marks, (Bytes{0, kByteUnknown, kByteUnknown, kByteUnknown}));
}

}  // namespace
