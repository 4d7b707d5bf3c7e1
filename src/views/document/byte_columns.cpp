#include "views/document/byte_columns.h"

#include <cstring>

#include "document/document_bytes.h"
#include "shell/drawing_resources.h"

namespace {

struct FontCell {
    HFONT font;
    int32_t width;
    int32_t height;
};

FontCell made{};

FontCell measuredCell(HFONT font) {
    HDC dc = CreateCompatibleDC(nullptr);
    HGDIOBJ old = SelectObject(dc, font);
    // The widest digit, should the font not keep to its pitch; the text is placed cell by cell.
    FontCell cell{font, 1, 1};
    for (char c : "0123456789ABCDEFabcdef?.") {
        SIZE size;
        if (c && GetTextExtentPoint32A(dc, &c, 1, &size)) {
            if (size.cx > cell.width) cell.width = size.cx;
            if (size.cy > cell.height) cell.height = size.cy;
        }
    }
    SelectObject(dc, old);
    DeleteDC(dc);
    return cell;
}

const FontCell& fontCell() {
    if (!made.font) makeBytePaneFont(tmNormal.height);
    return made;
}

}  // namespace

void makeBytePaneFont(int height) {
    HFONT font =
        CreateFontA(height, 0, 0, 0, FW_NORMAL, FALSE, FALSE, FALSE, DEFAULT_CHARSET, OUT_DEFAULT_PRECIS,
                    CLIP_DEFAULT_PRECIS, DEFAULT_QUALITY, FIXED_PITCH | FF_MODERN, "Courier New");
    if (!font) return;
    // Selected only while a pane paints, which this does not come between.
    if (made.font) DeleteObject(made.font);
    made = measuredCell(font);
}

HFONT bytePaneFont() {
    return fontCell().font;
}

ByteColumns::ByteColumns(int64_t total)
    : cell_(fontCell().width), lineHeight_(fontCell().height), digits_(8) {
    uint64_t last = total > 0 ? static_cast<uint64_t>(total - 1) : 0;
    while (digits_ < 16 && last >> (4 * digits_) != 0) ++digits_;
}

int ByteColumns::byteAt(int32_t at) const {
    for (int byte = 0; byte < kBytesPerLine; ++byte) {
        // A hex pair owns the space after it, so that the whole line answers.
        if (at >= x(hexCell(byte)) && at < x(hexCell(byte + 1))) return byte;
        if (at >= x(textCell(byte)) && at < x(textCell(byte + 1))) return byte;
    }
    return -1;
}

void ByteColumns::format(int64_t offset, const unsigned char* bytes, const uint8_t* marks, int count,
                         char* out) const {
    static constexpr char kHexDigits[] = "0123456789ABCDEF";
    std::memset(out, ' ', static_cast<size_t>(cells()));
    out[cells()] = '\0';
    for (int digit = 0; digit < digits_; ++digit)
        out[offsetCell() + digit] =
            kHexDigits[(static_cast<uint64_t>(offset) >> (4 * (digits_ - 1 - digit))) & 15];
    for (int byte = 0; byte < count; ++byte) {
        unsigned char value = bytes[byte];
        bool unknown = (marks[byte] & kByteUnknown) != 0;
        out[hexCell(byte)] = unknown ? '?' : kHexDigits[value >> 4];
        out[hexCell(byte) + 1] = unknown ? '?' : kHexDigits[value & 15];
        out[textCell(byte)] = unknown ? '?' : value >= 0x20 && value < 0x7F ? static_cast<char>(value) : '.';
    }
}
