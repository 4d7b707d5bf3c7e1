#include "document/rows.h"

#include <gtest/gtest.h>

#include "document/document_harness.h"

namespace {

using Rows = DocumentTest;

// Copy takes the lines `sondrix-cli dump` prints, numbered and placed among all rows.
TEST_F(Rows, SelectedRowsAreCopiedAsTheDumpPrintsThem) {
    Document* document = open("UBYT:Tag BCNT:Count LSTC:Items UBYT:Value LSTE", bytesOf("07 01 2A"));
    nth(document, 1)->flags |= kInstanceSelected;
    nth(document, 3)->flags |= kInstanceSelected;
    EXPECT_EQ(selectedRowsText(document),
              "    2  00000001       1  Count  1\n"
              "    4  00000002       1    Value  42\n");
}

}  // namespace
