#pragma once
// Text of the floating-point field types. A value is its encoding's bytes, least significant first,
// so that bytes no arithmetic type holds exactly (NaN payloads, 80-bit unnormals) pass unchanged.
#include <cstddef>

// IEEE 754 binary32 and binary64, and the 80-bit extended format (15-bit exponent, 64-bit
// significand with an explicit integer bit).
enum class FloatFormat { Single, Double, Extended };

constexpr int kLongestFloat = 10;

int floatWidth(FloatFormat format);

// The shortest decimal text that reads back as the same value (as many digits as the 80-bit format
// needs where long double is narrower); "inf", "-inf" and "nan" for those.
void formatFloat(FloatFormat format, const unsigned char* bytes, char* text, size_t size);

// Reads a decimal number (exponent, "inf" and "nan" too; white space around it) into the bytes. The
// bytes stay as they are when they hold that value already, so accepting the shown text keeps them.
// False, the bytes untouched, when the text is no number.
bool parseFloat(FloatFormat format, const char* text, unsigned char* bytes);
