#include <gtest/gtest.h>

#include <cstring>
#include <map>
#include <string>

#include "expressions/checksums.h"
#include "expressions/expression.h"

namespace {

using expression::Failure;

// Names A to E are rows 0 to 4 holding 10, 3, -1, 0 and 7; "L.A" reaches into list row 9; "U" is
// row 5, never bound; "T" is row 6, bound but holding text.
struct Rows : expression::Names, expression::Place {
    int32_t find(const char* name, int32_t length, int32_t* list) override {
        std::string text(name, static_cast<size_t>(length));
        *list = text == "L.A" ? 9 : -1;
        if (text == "L.A") return 0;
        if (text.size() == 1 && std::strchr("ABCDEUT", text[0])) return static_cast<int32_t>(std::strchr("ABCDEUT", text[0]) - "ABCDEUT");
        return -1;
    }
    Failure number(int32_t row, int32_t list, int64_t* out) override {
        const int64_t values[] = {10, 3, -1, 0, 7};
        ++reads;
        if (row == 5) return Failure::Unbound;
        if (row == 6) return Failure::NotNumber;
        *out = list == 9 ? 100 : values[row];
        return Failure::None;
    }
    int64_t property(expression::Op which) override {
        const std::map<expression::Op, int64_t> properties = {{expression::Op::Offset, 40},
                                                               {expression::Op::Index, 2},
                                                               {expression::Op::Start, 32},
                                                               {expression::Op::End, 64},
                                                               {expression::Op::FileSize, 1000}};
        return properties.at(which);
    }
    // Row r's bytes are [10 r, 10 r + 5).
    Failure bounds(expression::Op which, int32_t row, int32_t, int64_t* out) override {
        *out = row * 10 + (which == expression::Op::EndOf ? 5 : 0);
        return row == 5 ? Failure::Unbound : Failure::None;
    }
    // Over the bytes of "123456789".
    Failure checksum(expression::Op which, int64_t from, int64_t to, int64_t* out) override {
        if (from < 0 || from > to || to > 9) return Failure::Range;
        RunningChecksum sum(which);
        sum.add(reinterpret_cast<const unsigned char*>("123456789") + from, static_cast<size_t>(to - from));
        *out = sum.value();
        return Failure::None;
    }
    int reads = 0;
};

// The value of the text, or the failure; a parse error as "column N: message".
std::string valueOf(const std::string& text, Rows* rows = nullptr) {
    Rows own;
    Rows& r = rows ? *rows : own;
    expression::Expression e[4];
    expression::ParseError error{};
    int32_t n = expression::parseList(text.data(), static_cast<int32_t>(text.size()), r, e, 4, &error);
    if (n < 0) return "column " + std::to_string(error.column) + ": " + error.message;
    std::string result;
    for (int32_t i = 0; i < n; ++i) {
        int64_t value = 0;
        Failure failure = expression::evaluate(e[i], r, &value);
        result += (i ? "," : "") + (failure == Failure::None ? std::to_string(value)
                                                             : "failure " + std::to_string(static_cast<int>(failure)));
        expression::release(e[i]);
    }
    return result;
}

TEST(Expressions, EvaluateWithCPrecedenceAndAssociativity) {
    const std::pair<const char*, const char*> cases[] = {
        {"1 + 2 * 3", "7"},          {"(1 + 2) * 3", "9"},        {"10 - 4 - 3", "3"},
        {"100 / 10 / 5", "2"},       {"-7 / 2", "-3"},            {"-7 % 3", "-1"},
        {"2 << 3 + 1", "32"},        {"1 << 63 >> 63", "-1"},     {"$F0 | $0F & $3C", "252"},
        {"6 ^ 3", "5"},              {"~0", "-1"},                {"!5 + !0", "1"},
        {"--3", "3"},                {"+4", "4"},                 {"1 < 2 == 1", "1"},
        {"3 >= 3 && 2 <= 1", "0"},   {"0 || 5 > 4", "1"},         {"1 != 1 | 4", "4"},
        {"1 ? 2 : 3 ? 4 : 5", "2"},  {"0 ? 2 : 0 ? 4 : 5", "5"},  {"0x1F + $1f + 31", "93"},
        {"'IHDR'", "1229472850"},    {"'a'", "97"},               {"A * B + C", "29"},
        {"A > B ? A : B", "10"},     {"L.A", "100"},              {"@offset - @start", "8"},
        {"@end + @filesize + @index", "1066"}, {"1, A, 2 + 3", "1,10,5"},
        {"9223372036854775807", "9223372036854775807"},
        {"crc32(0, 9)", "3421780262"}, {"adler32(0, 9)", "152961502"}, {"sum(0, 9)", "477"},
        {"crc32(3, 3) + adler32(0, 0)", "1"}, {"sum(start(A), start(A) + 2) + end(B)", "114"},
        {"crc32 (0, 1) == crc32(0, 1)", "1"},
    };
    for (auto [text, value] : cases) EXPECT_EQ(valueOf(text), value) << text;
}

// Failures are results, never crashes or undefined arithmetic; branches not taken are not evaluated.
TEST(Expressions, FailOnDivisionOverflowAndRowsWithoutNumbers) {
    const std::pair<const char*, Failure> cases[] = {
        {"1 / D", Failure::DivisionByZero},
        {"1 % 0", Failure::DivisionByZero},
        {"9223372036854775807 + 1", Failure::Overflow},
        {"-9223372036854775807 - 2", Failure::Overflow},
        {"4611686018427387904 * 2", Failure::Overflow},
        {"(0 - 9223372036854775807 - 1) / -1", Failure::Overflow},
        {"-(0 - 9223372036854775807 - 1)", Failure::Overflow},
        {"1 << 64", Failure::ShiftRange},
        {"1 >> C", Failure::ShiftRange},
        {"U + 1", Failure::Unbound},
        {"T", Failure::NotNumber},
        {"crc32(5, 2)", Failure::Range},
        {"sum(0, 10)", Failure::Range},
        {"start(U)", Failure::Unbound},
    };
    for (auto [text, failure] : cases)
        EXPECT_EQ(valueOf(text), "failure " + std::to_string(static_cast<int>(failure))) << text;
    const std::pair<const char*, const char*> guarded[] = {
        {"D != 0 && 100 / D > 2", "0"}, {"D == 0 || 100 / D", "1"}, {"D ? 1 / D : 42", "42"},
        {"B ? 30 / B : 1 / D", "10"},   {"(0 - 9223372036854775807 - 1) % -1", "0"},
    };
    for (auto [text, value] : guarded) EXPECT_EQ(valueOf(text), value) << text;
    Rows rows;
    EXPECT_EQ(valueOf("0 && A || 1 || B", &rows), "1");
    EXPECT_EQ(rows.reads, 0);
}

// Errors name the column where the text stops making sense.
TEST(Expressions, ParseErrorsGiveTheColumnAndTheReason) {
    const std::pair<const char*, const char*> cases[] = {
        {"", "column 0: a value expected"},
        {"1 +", "column 3: a value expected"},
        {"(1 + 2", "column 6: \")\" expected"},
        {"1 ? 2", "column 5: \":\" expected"},
        {"1 2", "column 2: an operator or \",\" expected"},
        {"Nobody + 1", "column 0: no earlier row has this name"},
        {"@nothing", "column 0: no such property (@offset, @index, @start, @end, @filesize)"},
        {"'abc", "column 0: the characters have no closing quote"},
        {"''", "column 0: one to eight characters expected between the quotes"},
        {"'123456789'", "column 0: one to eight characters expected between the quotes"},
        {"18446744073709551616", "column 0: the number does not fit 64 bits"},
        {"12ab", "column 0: not a number"},
        {"1, 2, 3, 4, 5", "column 12: too many values"},
        {"#", "column 0: a value expected"},
        {"crc32(1)", "column 7: \",\" expected"},
        {"sum(1, 2", "column 8: \")\" expected"},
        {"start(+)", "column 6: a row's name expected"},
        {"end(Nobody)", "column 4: no earlier row has this name"},
    };
    for (auto [text, error] : cases) EXPECT_EQ(valueOf(text), error) << text;
}

// A hostile caption costs neither stack nor memory beyond the limits.
TEST(Expressions, DeepAndLongTextsAreRefusedWithinTheLimits) {
    EXPECT_EQ(valueOf(std::string(40, '(') + "1" + std::string(40, ')')), "1");
    EXPECT_EQ(valueOf(std::string(100000, '(') + "1"), "column 65: the expression is nested too deeply");
    EXPECT_EQ(valueOf(std::string(100000, '-') + "1"), "column 65: the expression is nested too deeply");
    std::string sum = "1";
    for (int i = 0; i < 300; ++i) sum += "+1";
    EXPECT_EQ(valueOf(sum), "column 513: the expression is too long");
    EXPECT_EQ(valueOf(sum.substr(0, 2 * 200 + 1)), "201");
}

}  // namespace

namespace {

// Offsets follow a change through the one row they name, when the rest of the expression reads no
// row's number; through a path too.
TEST(Expressions, AnOffsetFollowsOnlyThroughARowPlusABase) {
    const std::pair<const char*, int32_t> cases[] = {
        {"A", 0},     {"start(B) + A", 0}, {"A - 8", 0},   {"@start + L.A", 0}, {"8 + C", 2},
        {"8 - A", -1}, {"A * 2", -1},       {"A + B", -1}, {"-A", -1},          {"7", -1},
    };
    Rows rows;
    for (auto [text, named] : cases) {
        expression::Expression e;
        expression::ParseError error{};
        ASSERT_EQ(expression::parseList(text, static_cast<int32_t>(std::strlen(text)), rows, &e, 1, &error), 1) << text;
        int32_t row = -1, list = -1;
        bool follows = expression::isNamePlusBase(e, e.count - 1, &row, &list);
        EXPECT_EQ(follows ? row : -1, named) << text;
        EXPECT_EQ(follows && list == 9, std::strstr(text, "L.A") != nullptr) << text;
        expression::release(e);
    }
}

}  // namespace
