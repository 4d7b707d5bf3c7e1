#pragma once
// Whether a CASE row's caption names a key's value. The caption lists values, separated by commas
// or spaces, optionally followed by ":" and a label: decimal numbers (a sign allowed), "$1F" or
// "0x1F", characters in single quotes ('IHDR', compared with the key's bytes as they stand in the
// file), or "*" for the case taken when no other matches. A number names the key when it equals the
// key's bytes read as an unsigned or as a signed number, so -1 and 255 both name a one-byte FF.
#include <cstdint>

enum class CaseMatch { None, Value, Default };

CaseMatch matchCase(const char* caption, const unsigned char* keyBytes, int width, bool bigEndian);

// The key bytes of the first value the caption lists, at the key's width and byte order (characters
// as they stand); false for a caption whose first value is the default, or none, or characters of
// another width.
bool caseKeyBytes(const char* caption, int width, bool bigEndian, unsigned char* bytes);

// Whether the text names the case: its label (after ":"), or one of its values, the quotes around
// characters optional; case is ignored for the label only.
bool caseIsNamed(const char* caption, const char* text);

// False when a value spelled as a number does not fit 64 bits: a template with such a CASE row is
// invalid rather than matching the number it would wrap to.
bool caseValuesAreValid(const char* caption);
