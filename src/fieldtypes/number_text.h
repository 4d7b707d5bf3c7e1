#pragma once
// Numbers written as digits in a field of fixed length, as TAR writes its octal fields: leading
// spaces or zeros, the digits, then terminator bytes (zeros or spaces); or GNU tar's base-256 form,
// a first byte of 0x80 and the number big-endian in the bytes after it.
#include <cstdint>
#include <string>

enum class NumberForm { Digits, Blank, Base256, NotNumber };

struct NumberText {
    NumberForm form;
    uint64_t value;  // at most INT64_MAX; 0 when blank or no number
    // The bytes a new value is written into: from the field's start up to its terminator bytes (all
    // but the last byte of a blank field), or the bytes after the base-256 mark.
    uint64_t span;
};

// Base 256 is taken only when octal, as GNU tar writes it in octal fields.
NumberText readNumberText(const unsigned char* bytes, uint64_t length, bool octal);

// The largest value the field's span holds; 0 for no number.
uint64_t largestNumber(const NumberText& field, bool octal);

// value is at most largestNumber: it is written into the span in the field's form, digits
// right-aligned and zero-padded; the bytes after the span stay as they are.
void writeNumberText(unsigned char* bytes, const NumberText& field, uint64_t value, bool octal);

// Octal digits after a 0 ("0644"); "0" for 0.
std::string octalText(uint64_t value);
// "420", and for octal "420 (0644)".
std::string decimalAndOctal(uint64_t value, bool octal);

// The field as its row shows it: decimalAndOctal of its number; "" when blank; "8589934592 (base 256)"; for
// bytes of no number "not a number: " and their characters, quoted.
std::string numberTextShown(const unsigned char* bytes, uint64_t length, bool octal);
