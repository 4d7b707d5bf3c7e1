#pragma once
// Bytes spelled in hexadecimal, as byte arrays are offered for editing and given to scripts.
#include <cstddef>
#include <cstdint>
#include <string>

// "0a ff 41": two lower-case digits a byte, a space between bytes.
std::string hexBytesText(const unsigned char* bytes, size_t count);

// How many bytes the text spells as pairs of hexadecimal digits in either case, white space around
// and between the pairs allowed; -1 when it spells no bytes.
int64_t hexBytesCount(const char* text);
// The bytes of text that hexBytesCount accepts, into room for as many.
void decodeHexBytes(const char* text, unsigned char* bytes);
