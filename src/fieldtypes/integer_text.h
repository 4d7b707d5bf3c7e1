#pragma once
// Text of the integer field types: how a value is shown and how entered text becomes a number.
#include <cstddef>
#include <cstdint>
#include <string>

#include "fieldtypes/field_type.h"

enum class Presentation { Signed, Unsigned, Hex, Unknown };

// The presentation of one of the eight codes of a width ("BYT", "WRD", "LNG", "QWD" in upper case);
// Unknown for any other code.
Presentation presentationOf(FieldCode code, const char* widthSuffix);

// The value's text as the document shows it ("unknown" for Presentation::Unknown).
void formatInteger(Presentation presentation, int width, uint64_t value, char* text, size_t size);

// Converts like strtol (white space, sign, digits of the base; hexadecimal may start with "0x" or
// "$"), saturating at the limits of 64 bits, then clamps into [minimum, maximum]. False, with
// *number untouched, when the text is not one number: no digits, or anything but white space after them.
bool parseClamped(const char* text, int base, int64_t minimum, int64_t maximum, int64_t* number);

// As parseClamped in base 10, for numbers up to 2^64 - 1: a negative number gives 0.
bool parseUnsignedClamped(const char* text, uint64_t maximum, uint64_t* number);

// Why the text is no number of the base, for the value entry dialog; null when it is one.
const char* refuseNonDecimal(const char* text);
const char* refuseNonHex(const char* text);

// The question under which a number is asked: "Width (0 to 65535)".
std::string rangePrompt(const char* caption, const char* low, const char* high);
