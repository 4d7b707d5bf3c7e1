#pragma once
// Templates made from bytes by a recipe, so that the fuzzer reaches rows whose captions parse:
// each byte picks a row, the names it uses are earlier rows', and every opened section is closed.
#include <cstddef>
#include <cstdint>
#include <string>
#include <vector>

#include "templates/template.h"

namespace recipe {

struct Row {
    const char* code;
    const char* caption;  // "%n" the row's own name, "%k" an earlier one
    const char* closer;   // for rows that open a section
};

constexpr Row kRows[] = {
    {"UBYT", "%n", nullptr},
    {"uwrd", "%n", nullptr},
    {"ULEB", "%n", nullptr},
    {"CALC", "%n = %k * 3 + 1", nullptr},
    {"CALC", "%n = %k ? 100 / %k : %k >> 1", nullptr},
    {"BITS", "%n = 1, 3", nullptr},
    {"BYTS", "%n = %k % 5", nullptr},
    {"TEXT", "%n = 2", nullptr},
    {"CSTR", "%n", nullptr},
    {"PADN", "%n = 4", nullptr},
    {"UPTO", "%n = 0", nullptr},
    {"CHKB", "%n = sum(@start, @offset)", nullptr},
    {"CHKL", "%n = crc32(@start, @offset)", nullptr},
    {"SECT", "%n = %k % 9", "SKPE"},
    {"WHEN", "%n = %k & 1", "SKPE"},
    {"ORDR", "%n = %k & 1", "SKPE"},
    {"LSTN", "%n = %k % 4", "LSTE"},
    {"LSTU", "%n = %k == 0 || @index > 3", "LSTE"},
    {"BCNT", "%n", nullptr},
    {"LSTC", "%n", "LSTE"},
    {"KEYV", "%n = %k & 3", "KEYE"},
    {"CASE", "1", nullptr},
    {"CASE", "*", nullptr},
    {"INCL", "%n = \"part\"", nullptr},
    // Offsets into the file, around the rows that read one after another, past its end and back.
    {"ATOF", "%n = %k", "SKPE"},
    {"ATOF", "%n = %k % 16, %k % 5", "SKPE"},
    {"ATOF", "%n = @offset - %k % 8", "SKPE"},
    {"ATOF", "%n = @filesize - %k % 4", "SKPE"},
    {"ATOF", "%n = @start + %k", "SKPE"},
    {"CLOSE", "", nullptr},
};
constexpr size_t kRowCount = sizeof kRows / sizeof kRows[0];

// Two bytes a row: which row, and which earlier name it reads.
inline void build(Template& templ, const uint8_t* bytes, size_t size) {
    std::vector<const char*> open;
    int names = 0;
    for (size_t i = 0; i + 1 < size; i += 2) {
        const Row& row = kRows[bytes[i] % kRowCount];
        if (std::string(row.code) == "CLOSE") {
            if (!open.empty()) templ.appendField(open.back(), "");
            if (!open.empty()) open.pop_back();
            continue;
        }
        std::string caption;
        for (const char* at = row.caption; *at; ++at) {
            if (at[0] == '%' && (at[1] == 'n' || at[1] == 'k')) {
                int name = at[1] == 'n' ? names : (names ? bytes[i + 1] % names : 0);
                caption += "N" + std::to_string(name);
                ++at;
            } else {
                caption += *at;
            }
        }
        templ.appendField(row.code, caption.c_str());
        ++names;
        if (row.closer) open.push_back(row.closer);
    }
    while (!open.empty()) {
        templ.appendField(open.back(), "");
        open.pop_back();
    }
}

}  // namespace recipe
