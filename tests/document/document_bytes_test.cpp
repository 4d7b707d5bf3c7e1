#include "document/document_bytes.h"

#include <gtest/gtest.h>

#include "document/document_harness.h"

namespace {

// That every window holds what saving writes is checked after each binding and change in
// binding_test and changes_test.
using DocumentBytes = DocumentTest;

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
