#pragma once
// Numbers as people type them: decimal, or hexadecimal after "$" or "0x".
#include <cstddef>
#include <cstdint>

// The number a token spells, as 64 bits (a negative one after "-" in two's complement); false when
// it is none or does not fit 64 bits.
bool parseNumberText(const char* token, size_t length, uint64_t* number);

// A byte offset: no sign, spaces around it allowed; false when the text is none.
bool parseOffsetText(const char* text, int64_t* offset);
