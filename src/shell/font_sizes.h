#pragma once
// The font sizes of the rows and of the byte pane, in points, kept in the settings file; 0 (or none
// kept) is the size the system gives.
#include <string>

constexpr int kSmallestFontPoints = 6;
constexpr int kLargestFontPoints = 36;

enum class FontUse { Rows, Bytes };

int fontPoints(FontUse use);
void chooseFontPoints(FontUse use, int points);

// A size as typed: a whole number in range, or nothing for the system's (0); false for anything else.
bool parseFontPoints(const std::string& text, int* points);
