#pragma once
// How a row shows a run of bytes it does not spell out: the first of them in hexadecimal, "..." when
// there are more, then the same bytes as characters.
#include <cstdint>

constexpr int kPreviewBytes = 16;
constexpr int kPreviewText = kPreviewBytes * 4 + 8;

// count is at most kPreviewBytes; more says that the run goes on. The length of the text written
// (not terminated) into room for kPreviewText characters.
int formatBytePreview(const unsigned char* bytes, int count, bool more, char* text);
