#include <gtest/gtest.h>

#include <tuple>

#include "document/changes.h"
#include "document/document_harness.h"
#include "document/history.h"

namespace {

using OffsetBinding = DocumentTest;

// Rows at an offset are read there and shown where the template has them; reading goes on where it
// stood; bytes no row covers are kept at their places after the rows; every byte saves back.
TEST_F(OffsetBinding, RegionsAreReadAtTheirOffsetsAndEveryByteIsKept) {
    const std::tuple<const char*, const char*, const char*> cases[] = {
        {"UBYT:Off ATOF:R=Off UBYT SKPE UBYT", "03 AA BB CC", "UBYT 3;ATOF 3;.UBYT 204;UBYT 170;REST 1"},
        {"UBYT:Off ATOF:R=Off,2 UBYT SKPE", "01 05 06", "UBYT 1;ATOF 1;.UBYT 5;.REST 1"},
        {"UBYT:Off ATOF:R=Off,0 SKPE", "02 05 06", "UBYT 2;ATOF 2;REST 2"},
        // Two offsets to the same bytes, and a region over the rows that follow one another.
        {"ATOF:A=1 UBYT SKPE ATOF:B=1 UBYT SKPE UBYT UBYT", "07 08", "ATOF 1;.UBYT 8;ATOF 1;.UBYT 8;UBYT 7;UBYT 8"},
        // From a base: the start of the region around it.
        {"ATOF:T=2 UBYT:Off ATOF:S=@start+Off UBYT SKPE SKPE", "00 00 01 09", "ATOF 2;.UBYT 1;.ATOF 3;..UBYT 9;REST 2"},
        {"ATOF:End=rfind(0xBEEF,2) UWRD SKPE", "BE EF 00 BE EF 01",
         "ATOF 3;.UWRD 48879;REST 3;REST 1"},
        // Numbers read ahead, in either order: here the offset stored after the row that uses it.
        {"UBYT ATOF:R=le(1,2) UBYT SKPE uwrd CALC:B=be(1,2)", "0A 03 00 77", "UBYT 10;ATOF 3;.UBYT 119;uwrd 3;CALC 768"},
        // A chain of offsets: each item at the offset the one before it holds, until one holds 0.
        {"UBYT:First LSTU:Link=Next==0 ATOF:At=@index?Link.Next:First UBYT:Value UBYT:Next SKPE LSTE", "03 0B 00 0A 01",
         "UBYT 3;LSTU #0;.ATOF 3;..UBYT 10;..UBYT 1;LSTU #1;.ATOF 1;..UBYT 11;..UBYT 0;LSTE"},
    };
    for (auto [rows, bytes, shown] : cases) expectBinds(rows, bytes, shown);
}

// Offsets outside the file, and chains that come back, stop binding with the reason; no byte is lost.
TEST_F(OffsetBinding, BadOffsetsStopBindingWithTheirReason) {
    const std::tuple<const char*, const char*, BindStop, const char*> cases[] = {
        {"UBYT:Off ATOF:R=Off UBYT SKPE", "09 01", BindStop::OffsetPastEnd, "UBYT 9;REST 1"},
        {"UBYT:Off ATOF:R=Off-5 UBYT SKPE", "01 01", BindStop::OffsetPastEnd, "UBYT 1;REST 1"},
        {"UBYT:Off ATOF:R=Off,3 UBYT SKPE", "01 01", BindStop::SectionPastEnd, "UBYT 1;REST 1"},
        {"ATOF:R=1 UBYT SKPE", "01", BindStop::FieldPastFileEnd, "ATOF 1;REST 1"},
        {"UBYT:First LSTU:Link=Next==0 ATOF:At=@index?Link.Next:First UBYT:Next SKPE LSTE", "01 02 01",
         BindStop::OffsetCycle, "UBYT 1;LSTU #0;.ATOF 1;..UBYT 2;LSTU #1;.ATOF 2;..UBYT 1;LSTU #2"},
        {"ATOF:R=rfind(0xFF,1) UBYT SKPE", "01", BindStop::NotFound, "REST 1"},
        {"CALC:X=le(1,4)", "01 02 03 04", BindStop::ReadOutside, "REST 4"},
        {"ATOF:R=0 UBYT", "01", BindStop::MisplacedEnd, "REST 1"},
    };
    for (auto [rows, bytes, reason, shown] : cases) expectStops(rows, bytes, reason, shown);
    Document* fresh = create("UBYT ATOF:R=0 UBYT SKPE UBYT", nullptr);
    bindNew(fresh);
    EXPECT_EQ(fresh->stopReason, BindStop::OffsetWithoutFile);
}

// Inserting or deleting bytes moves the regions after them, and the rows their offsets name follow;
// Undo and Redo move them back and forth.
TEST_F(OffsetBinding, OffsetsFollowTheBytesThatMove) {
    const char* rows = "UBYT:Off BCNT LSTC UBYT LSTE ATOF:R=Off UBYT SKPE";
    Document* document = open(rows, bytesOf("04 01 0A EE 07 EE"));
    ASSERT_TRUE(insertItem(document, nth(document, 2)));
    EXPECT_EQ(saved(document), bytesOf("05 02 00 0A EE 07 EE"));
    EXPECT_EQ(describe(document), "UBYT 5;BCNT 2;LSTC #0;.UBYT 0;LSTC #1;.UBYT 10;LSTE;ATOF 5;.UBYT 7;REST 1;REST 1");
    ASSERT_TRUE(deleteItem(document, nth(document, 2)));
    ASSERT_TRUE(deleteItem(document, nth(document, 2)));
    EXPECT_EQ(saved(document), bytesOf("03 00 EE 07 EE"));
    ASSERT_TRUE(undoChange(document));
    ASSERT_TRUE(undoChange(document));
    ASSERT_TRUE(undoChange(document));
    EXPECT_EQ(saved(document), bytesOf("04 01 0A EE 07 EE"));
    ASSERT_TRUE(redoChange(document));
    EXPECT_EQ(saved(document), bytesOf("05 02 00 0A EE 07 EE"));

    // A base that stays (the file's start) and one that moves with the region (its list's start).
    document = open("UBYT:Off ATOF:T=1 BCNT LSTC UBYT LSTE UBYT:In ATOF:S=@start+In UBYT SKPE SKPE", bytesOf("01 01 05 03 09"));
    ASSERT_TRUE(insertItem(document, nth(document, 3)));
    EXPECT_EQ(saved(document), bytesOf("01 02 00 05 04 09"));

    // Bytes inserted at the start of a region's rows go into it: the region stays where it is.
    document = open("UBYT:Off BCNT ATOF:R=Off LSTC UBYT LSTE SKPE", bytesOf("02 01 0A"));
    ASSERT_TRUE(insertItem(document, nth(document, 3)));
    EXPECT_EQ(saved(document), bytesOf("02 02 00 0A"));
    ASSERT_TRUE(undoChange(document));
    EXPECT_EQ(saved(document), bytesOf("02 01 0A"));

    // After a deletion the base of a region (the next list's first item) stands where the bytes went,
    // as the bytes after it do: undo sets the offset back as it was, not as if the base stayed.
    rows = "UBYT:Off BCNT BCNT LSTC UBYT LSTE LSTC ATOF:At=@start+Off UBYT SKPE LSTE";
    document = open(rows, bytesOf("03 02 01 11 22 AA BB CC 77"));
    ASSERT_TRUE(deleteItem(document, nth(document, 5)));
    EXPECT_EQ(saved(document), bytesOf("03 01 01 11 AA BB CC 77"));
    ASSERT_TRUE(undoChange(document));
    EXPECT_EQ(saved(document), bytesOf("03 02 01 11 22 AA BB CC 77"));
    ASSERT_TRUE(redoChange(document));
    EXPECT_EQ(saved(document), bytesOf("03 01 01 11 AA BB CC 77"));

    // A chain: the link after the change is found through the one before it, whose number follows.
    document = open("UBYT:First LSTU:Link=Next==0 ATOF:At=@index?Link.Next:First UBYT:Next BCNT LSTC UBYT LSTE SKPE LSTE",
                    bytesOf("01 04 01 AA 00 00"));
    ASSERT_TRUE(deleteItem(document, nth(document, 5)));
    EXPECT_EQ(saved(document), bytesOf("01 03 00 00 00"));
}

TEST_F(OffsetBinding, ChangesThatOffsetsCannotFollowAreRefused) {
    const std::tuple<const char*, const char*, int, bool> cases[] = {
        // A computed offset does not follow what it points at.
        {"UBYT:Off BCNT LSTC UBYT LSTE ATOF:R=Off*1 UBYT SKPE", "04 01 0A 07", 2, true},
        // Bytes other rows stand over, through an offset, cannot grow or shrink.
        {"ATOF:R=1 UBYT SKPE BCNT LSTC UBYT LSTE", "01 0A", 3, false},
        // ... nor can bytes come between two rows another region reads one after the other.
        {"BCNT LSTC UBYT LSTE ATOF:R=1 UBYT UBYT SKPE", "02 0A 0B", 3, true},
        // A count that another region's row also reads could not follow in both.
        {"BCNT LSTC UBYT LSTE ATOF:R=0 UBYT SKPE", "01 0A", 1, false},
        // A region at the bytes that would go.
        {"BCNT LSTC UBYT LSTE ATOF:R=1 SKPE", "01 0A", 1, false},
        // An offset that cannot hold its new number.
        {"UBYT:Off BCNT LSTC UBYT*255 LSTE ATOF:R=Off UBYT SKPE", "FF 01 00*255 07", 2, true},
    };
    for (auto [rows, bytes, header, inserting] : cases) {
        Document* document = open(rows, bytesOf(bytes));
        std::string before = describe(document);
        EXPECT_FALSE(inserting ? insertItem(document, nth(document, header)) : deleteItem(document, nth(document, header)))
            << rows;
        EXPECT_NE(changeRefusal(document), nullptr) << rows;
        EXPECT_EQ(describe(document), before) << rows;
        EXPECT_EQ(saved(document), bytesOf(bytes)) << rows;
    }
}

// An edit through one of two rows over the same bytes shows in the other; a length that names a row
// keeps that row's number as the field grows.
TEST_F(OffsetBinding, EditsShowInEveryRowOverTheirBytesAndLengthsFollow) {
    Document* document = open("UBYT:Off ATOF:R=Off UBYT SKPE UBYT", bytesOf("01 05"));
    queryscript::answer("9");
    ASSERT_TRUE(editInstance(document, nth(document, 3)));
    EXPECT_EQ(describe(document), "UBYT 1;ATOF 1;.UBYT 9;UBYT 9");
    EXPECT_EQ(saved(document), bytesOf("01 09"));
    ASSERT_TRUE(undoChange(document));
    EXPECT_EQ(saved(document), bytesOf("01 05"));

    document = open("UBYT:Off UBYT:Len ATOF:R=Off TEXT:Name=Len SKPE", bytesOf("03 02 EE 'ab'"));
    queryscript::answer("abcd");
    ASSERT_TRUE(editInstance(document, nth(document, 3)));
    EXPECT_EQ(saved(document), bytesOf("03 04 EE 'abcd'"));

    // A field that grows moves the regions after it, as an insertion does; Undo moves them back.
    document = open("UBYT:A UBYT:B ATOF:One=A UBYT:Len TEXT:Name=Len SKPE ATOF:Two=B UBYT UBYT SKPE",
                    bytesOf("02 05 02 'ab' 01 02"));
    queryscript::answer("abcd");
    ASSERT_TRUE(editInstance(document, nth(document, 4)));
    EXPECT_EQ(saved(document), bytesOf("02 07 04 'abcd' 01 02"));
    ASSERT_TRUE(undoChange(document));
    EXPECT_EQ(saved(document), bytesOf("02 05 02 'ab' 01 02"));
    queryscript::reset();
}

}  // namespace
