#include "cli/row_output.h"

#include <cinttypes>
#include <string>

#include "document/rows.h"
#include "fieldtypes/hex_bytes.h"

namespace {

const char* kindName(RowShape kind) {
    switch (kind) {
        case RowShape::Data:
            return "data";
        case RowShape::Divider:
            return "divider";
        case RowShape::Count:
            return "count";
        case RowShape::Computed:
            return "computed";
        case RowShape::Offset:
            return "offset";
        case RowShape::Size:
            return "size";
        case RowShape::Control:
            return "control";
        case RowShape::ListHeader:
            return "list-header";
        case RowShape::ListEnd:
            return "list-end";
        case RowShape::Rest:
            return "rest";
        case RowShape::Key:
            return "key";
        case RowShape::Case:
            return "case";
    }
    return "control";
}

// Every byte that is not printable ASCII becomes \u00XX, so a script gets each byte back as the
// character of that code (Latin-1) and the JSON stays valid whatever the bytes.
std::string jsonString(const std::string& text) {
    std::string out = "\"";
    for (unsigned char c : text) {
        if (c == '"' || c == '\\') {
            out += '\\';
            out += static_cast<char>(c);
        } else if (c < 0x20 || c >= 0x7f) {
            char escape[8];
            std::snprintf(escape, sizeof escape, "\\u%04x", c);
            out += escape;
        } else {
            out += static_cast<char>(c);
        }
    }
    return out + "\"";
}

// Hexadecimal digits need no escape; a long array goes out in pieces rather than as one string.
void printHexString(std::FILE* out, const unsigned char* bytes, uint64_t count) {
    constexpr uint64_t kPiece = 4096;
    std::fputc('"', out);
    for (uint64_t at = 0; at < count; at += kPiece) {
        if (at > 0) std::fputc(' ', out);
        std::fputs(hexBytesText(bytes + at, count - at < kPiece ? count - at : kPiece).c_str(), out);
    }
    std::fputc('"', out);
}

}  // namespace

bool printRowsAsText(Document* document, const RowRange& range, std::FILE* out) {
    std::fputs(kRowTextHeading, out);
    int64_t number = range.first;
    return visitRowsFrom(document, range.first - 1, [&](const Row& row) {
        std::fputs(rowTextLine(row, static_cast<size_t>(number)).c_str(), out);
        return ++number <= range.last || range.last == 0;
    });
}

bool printRowsAsJson(Document* document, const RowRange& range, std::FILE* out) {
    std::fprintf(out, "[");
    int64_t number = range.first - 1;
    bool read = visitRowsFrom(document, range.first - 1, [&](const Row& row) {
        std::string item = row.itemIndex >= 0 ? std::to_string(row.itemIndex) : "null";
        std::fprintf(out,
                     "%s\n  {\"row\": %zu, \"offset\": %" PRId64 ", \"size\": %" PRId64
                     ", \"depth\": %d, "
                     "\"code\": %s, \"kind\": \"%s\", \"caption\": %s, \"value\": ",
                     number == range.first - 1 ? "" : ",", static_cast<size_t>(number + 1), row.offset,
                     row.size, row.depth,
                     jsonString(row.code).c_str(), kindName(row.kind), jsonString(row.caption).c_str());
        // A byte array whole, as its edit takes it.
        if (row.bytes) {
            printHexString(out, row.bytes, row.byteCount);
        } else {
            std::fputs(jsonString(row.value).c_str(), out);
        }
        std::fprintf(out, ", \"item\": %s}", item.c_str());
        return ++number < range.last || range.last == 0;
    });
    std::fprintf(out, "\n]\n");
    return read;
}
