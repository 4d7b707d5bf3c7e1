#pragma once
// Variable-length numbers in 7-bit groups, the high bit of each group saying that another follows:
// LEB128 (least significant group first; signed takes its sign from bit 6 of the last group) and
// MIDI's variable-length quantity (most significant group first).
#include <cstdint>

enum class VarintKind { UnsignedLeb, SignedLeb, Vlq };

// Ten groups hold 64 bits; a longer run of groups is refused before it is read further.
constexpr int kMaxVarintGroups = 10;

// The number the groups hold (a signed one as two's complement); false when it needs more than
// 64 bits. The last group is the one without the high bit.
bool decodeVarint(VarintKind kind, const unsigned char* groups, int count, uint64_t* number);

// The shortest encoding of the number; the number of groups written.
int encodeVarint(VarintKind kind, uint64_t number, unsigned char groups[kMaxVarintGroups]);
