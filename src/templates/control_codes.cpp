#include <cstddef>
#include <cstring>

#include "templates/template.h"

namespace {

constexpr char kControlCodes[][5] = {"BCNT", "BLEN", "BSIZ", "BSKP", "BZCT", "CASE", "KEYB", "KEYE", "LCNT",
                                     "LLEN", "LSIZ", "LSKP", "LSTB", "LSTC", "LSTE", "LSTS", "LSTZ", "LZCT",
                                     "OCNT", "QCNT", "QLEN", "QSIZ", "QSKP", "QZCT", "SKPE", "WCNT", "WLEN",
                                     "WSIZ", "WSKP", "WZCT", "BITS", "CALC", "KEYV", "LSTL", "LSTN", "LSTU",
                                     "SECT", "WHEN", "ORDR", "INCL", "ATOF", "LEAD", "EXTN"};
constexpr char kOpeningCodes[][5] = {"LSTB", "LSTC", "LSTS", "LSTZ", "BSIZ", "WSIZ", "LSIZ", "QSIZ", "BSKP",
                                     "WSKP", "LSKP", "QSKP", "KEYB", "KEYV", "LSTL", "LSTN", "LSTU", "SECT",
                                     "WHEN", "ORDR", "ATOF"};
constexpr char kClosingCodes[][5] = {"LSTE", "KEYE", "SKPE"};

template <size_t N>
bool inTable(const char code[4], const char (&table)[N][5]) {
    for (const char* entry : table) {
        if (isCode(code, entry)) return true;
    }
    return false;
}

}  // namespace

bool isCode(const char code[4], const char* upper) {
    if (std::memcmp(code, upper, 4) == 0) return true;
    for (int i = 0; i < 4; ++i) {
        if (code[i] != upper[i] - 'A' + 'a') return false;
    }
    return true;
}

bool isControlCode(const char code[4]) {
    return inTable(code, kControlCodes);
}

bool isOpeningCode(const char code[4]) {
    return inTable(code, kOpeningCodes);
}

bool isClosingCode(const char code[4]) {
    return inTable(code, kClosingCodes);
}

bool isCaseCode(const char code[4]) {
    return isCode(code, "CASE");
}
