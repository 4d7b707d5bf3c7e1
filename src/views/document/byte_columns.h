#pragma once
// Where things stand on a line of the byte pane: the offset, sixteen hex pairs with a wider gap after
// the eighth, then the sixteen characters, all in cells of one fixed-pitch font.
#include <windows.h>

#include <cstdint>

constexpr int kBytesPerLine = 16;

// The pane's fixed-pitch font, made on first use in the rows' height unless made before; it lives
// until the process ends or another is made.
HFONT bytePaneFont();
// Cell height in pixels, as CreateFont takes it (negative: the characters' height).
void makeBytePaneFont(int height);

// Cells of the longest line, with its 16-digit offsets, and its terminating null.
constexpr int kMaxLineCells = 1 + 16 + 2 + 3 * kBytesPerLine + 2 + kBytesPerLine + 2;

class ByteColumns {
  public:
    // For a document of total bytes, whose offsets take as many hex digits as the largest needs.
    explicit ByteColumns(int64_t total);

    int32_t cell() const { return cell_; }
    int32_t lineHeight() const { return lineHeight_; }
    int offsetCell() const { return 1; }
    int offsetDigits() const { return digits_; }
    int hexCell(int byte) const { return hexStart() + 3 * byte + (byte >= kBytesPerLine / 2); }
    int textCell(int byte) const { return textStart() + byte; }
    int cells() const { return textCell(kBytesPerLine) + 1; }
    int32_t x(int cellIndex) const { return cell_ * cellIndex; }
    int32_t width() const { return x(cells()); }
    // The byte of a line under x, in the hex or the text column; -1 for none.
    int byteAt(int32_t x) const;
    // The line as shown, a character a cell: the offset, then the hex pairs and the characters of
    // count bytes, unknown ones as question marks. out holds cells() characters and a null.
    void format(int64_t offset, const unsigned char* bytes, const uint8_t* marks, int count, char* out) const;

  private:
    int hexStart() const { return offsetCell() + digits_ + 2; }
    int textStart() const { return hexCell(kBytesPerLine) + 1; }

    int32_t cell_;
    int32_t lineHeight_;
    int digits_;
};
