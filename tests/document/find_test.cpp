#include "document/find.h"

#include <gtest/gtest.h>

#include "document/document_harness.h"

namespace {

using Find = DocumentTest;

int indexOf(Document* document, const FieldInstance* instance) {
    int index = 0;
    for (FieldInstance* at = document->first; at; at = at->next, ++index)
        if (at == instance) return index;
    return -1;
}

FindQuery query(FindKind kind, const char* text) {
    FindQuery made;
    const char* reason = nullptr;
    EXPECT_TRUE(makeFindQuery(kind, text, &made, &reason)) << text << ": " << reason;
    return made;
}

TEST_F(Find, QueriesAreReadOrRefusedWithAReason) {
    EXPECT_EQ(query(FindKind::Number, " $1A ").number, 26);
    EXPECT_EQ(query(FindKind::Number, "-3").number, -3);
    EXPECT_EQ(query(FindKind::Bytes, "89 50 4e 47").bytes, bytesOf("89 50 4E 47"));
    FindQuery text = query(FindKind::Text, "PnG");
    EXPECT_EQ(text.text, "png");
    EXPECT_EQ(text.bytes, bytesOf("'PnG'"));
    const std::pair<FindKind, const char*> refused[] = {
        {FindKind::Text, ""}, {FindKind::Number, "12 13"}, {FindKind::Number, "x"}, {FindKind::Bytes, "8"}};
    for (const auto& [kind, typed] : refused) {
        FindQuery made;
        const char* reason = nullptr;
        EXPECT_FALSE(makeFindQuery(kind, typed, &made, &reason)) << typed;
        EXPECT_NE(reason, nullptr);
    }
}

TEST_F(Find, RowsMatchByCaptionValueOrNumberFromAPlaceAndWrap) {
    Document* document = open("UBYT:Tag DWRD:Width UBYT:Flag DWRD:Height", bytesOf("07 00 10 1A 01 2C"));
    struct Case {
        FindKind kind;
        const char* text;
        int from;  // -1: none
        bool forward;
        int found;  // -1: none
        bool wrapped;
    } cases[] = {
        {FindKind::Text, "WIDTH", -1, true, 1, false},    // a caption, any case
        {FindKind::Text, "16", -1, true, 1, false},       // a value as shown
        {FindKind::Text, "h", 1, true, 3, false},         // past the row it starts from
        {FindKind::Text, "h", 3, true, 1, true},          // round past the end
        {FindKind::Text, "h", 1, false, 3, true},         // and backward past the start
        {FindKind::Text, "width", 1, true, 1, true},      // only the row it starts from
        {FindKind::Text, "nowhere", 2, true, -1, true},
        {FindKind::Number, "26", -1, true, 2, false},
        {FindKind::Number, "$12C", 0, false, 3, true},
        {FindKind::Number, "8", -1, true, -1, false},
    };
    for (const Case& c : cases) {
        RowFound found = findRow(document, query(c.kind, c.text), c.from < 0 ? nullptr : nth(document, c.from),
                                 c.forward);
        EXPECT_EQ(indexOf(document, found.instance), c.found) << c.text << " from " << c.from;
        EXPECT_EQ(found.wrapped, c.wrapped) << c.text << " from " << c.from;
    }
}

TEST_F(Find, BytesAreFoundInWhatSavingWritesFromAPlaceAndWrap) {
    Document* document = open("UBYT DWRD UBYT", bytesOf("89 50 4E 47 50 4E 01"));
    struct Case {
        const char* hex;
        int64_t from;
        bool forward;
        int64_t found;
        bool wrapped;
    } cases[] = {
        {"50 4e", 0, true, 1, false},  {"50 4e", 2, true, 4, false}, {"50 4e", 5, true, 1, true},
        {"50 4e", 3, false, 1, false}, {"50 4e", 0, false, 4, true}, {"4e 01", 6, false, 5, false},
        {"aa", 3, true, -1, true},
    };
    for (const Case& c : cases) {
        BytesFound found = findBytes(document, query(FindKind::Bytes, c.hex), 7, c.from, c.forward);
        EXPECT_EQ(found.offset, c.found) << c.hex << " from " << c.from;
        EXPECT_EQ(found.wrapped, c.wrapped) << c.hex << " from " << c.from;
    }
}

// The rest of a large file is read a window at a time: bytes that straddle two windows are found
// either way.
TEST_F(Find, BytesAcrossTheWindowsOfALargeRestAreFound) {
    Bytes bytes(200000, 0);
    const int64_t at = 65535;
    bytes[at] = 0xAB;
    bytes[at + 1] = 0xCD;
    Document* document = open("UBYT", bytes);
    FindQuery pair = query(FindKind::Bytes, "ab cd");
    EXPECT_EQ(findBytes(document, pair, 200000, 0, true).offset, at);
    EXPECT_EQ(findBytes(document, pair, 200000, 199999, false).offset, at);
    EXPECT_EQ(findBytes(document, pair, 200000, 100000, true).offset, at);
}

}  // namespace
