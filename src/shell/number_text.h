#pragma once
// Numbers as people type them: decimal, or hexadecimal after "$" or "0x".
#include <cstddef>
#include <cstdint>

// The number a token spells, as 64 bits (a negative one after "-" in two's complement); false when
// it is none, and also when its digits need more than 64 bits, which sets *tooBig.
bool parseNumberText(const char* token, size_t length, uint64_t* number, bool* tooBig = nullptr);

// A byte offset: no sign, spaces around it allowed; false when the text is none. An offset beyond
// INT64_MAX gives INT64_MAX, past the end of any document rather than wrapped into it.
bool parseOffsetText(const char* text, int64_t* offset);
