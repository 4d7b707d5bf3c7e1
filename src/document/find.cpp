#include "document/find.h"

#include <algorithm>
#include <cstring>

#include "document/count_display.h"
#include "document/document_bytes.h"
#include "document/folds.h"
#include "document/instances.h"
#include "document/rows.h"
#include "fieldtypes/hex_bytes.h"
#include "fieldtypes/number_access.h"
#include "shell/number_text.h"
#include "templates/row_parameters.h"

namespace {

char lower(char c) {
    return c >= 'A' && c <= 'Z' ? static_cast<char>(c - 'A' + 'a') : c;
}

// needle is in lower case already.
bool containsFolded(const char* text, size_t length, const std::string& needle) {
    if (needle.size() > length) return false;
    for (size_t at = 0; at + needle.size() <= length; ++at) {
        size_t i = 0;
        while (i < needle.size() && lower(text[at + i]) == needle[i]) ++i;
        if (i == needle.size()) return true;
    }
    return false;
}

// Reading a row's value draws it, so one reader serves every row of a search.
class RowMatcher {
  public:
    explicit RowMatcher(const FindQuery& query) : query_(query) {}
    bool matches(FieldInstance* instance);
    FieldInstance* matchInFold(FieldInstance* fold, bool forward);

  private:
    const FindQuery& query_;
    RowReader reader_;
    Row row_{};
};

FieldInstance* step(Document* document, FieldInstance* at, bool forward) {
    if (!at) return forward ? document->first : document->last;
    return forward ? at->next : at->previous;
}

// Bytes are read in windows this large; a match across two windows is found in the later (earlier).
constexpr int32_t kWindow = 1 << 16;

// Reads windows of a document's bytes in turn, walking from the row read last rather than from the
// first, so that a pass over the document walks its rows once.
class ByteReader {
  public:
    explicit ByteReader(Document* document) : document_(document), row_(document->first) {
        bytes_.resize(kWindow);
        marks_.resize(kWindow);
    }
    // The bytes from `from` on, fewer than asked at the end.
    int32_t read(int64_t from, int32_t count) {
        ByteWindow window{from, count, bytes_.data(), marks_.data()};
        if (document_->placed) return readPlacedBytes(document_, window);
        while (row_->next && rowOffset_ + instanceSize(row_) <= from) {
            rowOffset_ += instanceSize(row_);
            row_ = row_->next;
        }
        while (rowOffset_ > from && row_->previous) {
            row_ = row_->previous;
            rowOffset_ -= instanceSize(row_);
        }
        return readDocumentBytes(row_, rowOffset_, window);
    }
    const unsigned char* bytes() const { return bytes_.data(); }

  private:
    Document* document_;
    FieldInstance* row_;
    int64_t rowOffset_ = 0;
    std::vector<unsigned char> bytes_;
    std::vector<uint8_t> marks_;
};

// The first match starting in [from, to), or -1.
int64_t firstBetween(ByteReader& reader, const std::vector<unsigned char>& pattern, int64_t from, int64_t to) {
    const int64_t length = static_cast<int64_t>(pattern.size());
    for (int64_t at = from; at < to; at += kWindow - length + 1) {
        int32_t read = reader.read(at, kWindow);
        const unsigned char* bytes = reader.bytes();
        const unsigned char* end = bytes + read;
        const unsigned char* found = std::search(bytes, end, pattern.begin(), pattern.end());
        if (found != end && at + (found - bytes) < to) return at + (found - bytes);
        if (read < kWindow) break;
    }
    return -1;
}

// The last match starting in [from, to), or -1.
int64_t lastBetween(ByteReader& reader, const std::vector<unsigned char>& pattern, int64_t from, int64_t to) {
    const int64_t length = static_cast<int64_t>(pattern.size());
    for (int64_t end = to; end > from;) {
        int64_t start = std::max(from, end - (kWindow - length + 1));
        int32_t read = reader.read(start, static_cast<int32_t>(end - start + length - 1));
        const unsigned char* bytes = reader.bytes();
        const unsigned char* found = std::find_end(bytes, bytes + read, pattern.begin(), pattern.end());
        if (found != bytes + read) return start + (found - bytes);
        end = start;
    }
    return -1;
}

}  // namespace

bool makeFindQuery(FindKind kind, const char* text, FindQuery* query, const char** reason) {
    query->kind = kind;
    query->text.clear();
    query->bytes.clear();
    switch (kind) {
        case FindKind::Text:
            if (!*text) {
                *reason = "Type the text to find.";
                return false;
            }
            query->bytes.assign(text, text + std::strlen(text));
            for (const char* c = text; *c; ++c) query->text += lower(*c);
            return true;
        case FindKind::Number: {
            uint64_t number;
            size_t start = std::strspn(text, " \t");
            size_t length = std::strcspn(text + start, " \t");
            if (length == 0 || text[start + length + std::strspn(text + start + length, " \t")] != '\0' ||
                !parseNumberText(text + start, length, &number)) {
                *reason = "That is no number: type 26, -3, $1A or 0x1A.";
                return false;
            }
            query->number = static_cast<int64_t>(number);
            return true;
        }
        case FindKind::Bytes: {
            int64_t count = hexBytesCount(text);
            if (count <= 0 || count > kWindow / 2) {
                *reason = "Those are no bytes: type pairs of hexadecimal digits, as 89 50 4E 47.";
                return false;
            }
            query->bytes.resize(static_cast<size_t>(count));
            decodeHexBytes(text, query->bytes.data());
            return true;
        }
    }
    return false;
}

namespace {

bool RowMatcher::matches(FieldInstance* instance) {
    if (query_.kind == FindKind::Number) {
        int64_t number;
        return (numberOfValue(instance, &number) || shownNumber(instance, &number)) && number == query_.number;
    }
    // Most rows are passed over on their caption and value alone; only a rest row words its caption
    // when drawn.
    const char* caption;
    int32_t captionLength;
    shownCaption(instance->field, &caption, &captionLength);
    if (containsFolded(caption, static_cast<size_t>(captionLength), query_.text)) return true;
    reader_.read(instance, 0, row_);
    return containsFolded(row_.value.data(), row_.value.size(), query_.text) ||
           containsFolded(row_.caption.data(), row_.caption.size(), query_.text);
}

// The first row of the fold that matches (the last, backward), bound in place; null for none. Its
// items are bound apart to be looked at.
FieldInstance* RowMatcher::matchInFold(FieldInstance* fold, bool forward) {
    int64_t found = -1;
    int64_t row = 0;
    visitFoldedRows(fold, 0, 0, [&](FieldInstance* folded, int64_t) {
        if (matches(folded)) found = row;
        ++row;
        return !forward || found < 0;
    });
    return found >= 0 ? unfoldRow(fold, found) : nullptr;
}

}  // namespace

RowFound findRow(Document* document, const FindQuery& query, FieldInstance* from, bool forward) {
    RowMatcher matcher(query);
    bool wrapped = false;
    FieldInstance* at = from;
    for (;;) {
        at = step(document, at, forward);
        if (!at) {
            // Past the end once: from the other end up to from itself.
            if (wrapped || !from) return {nullptr, wrapped};
            wrapped = true;
            at = step(document, nullptr, forward);
        }
        if (isFoldInstance(at)) {
            FieldInstance* found = matcher.matchInFold(at, forward);
            if (found) return {found, wrapped};
            continue;  // the search never starts at a fold, so it does not end at one
        }
        if (matcher.matches(at)) return {at, wrapped};
        if (at == from) return {nullptr, wrapped};
    }
}

BytesFound findBytes(Document* document, const FindQuery& query, int64_t total, int64_t from, bool forward) {
    if (query.bytes.empty() || !document->first || total <= 0) return {-1, false};
    ByteReader reader(document);
    from = std::clamp<int64_t>(from, 0, total - 1);
    if (forward) {
        int64_t found = firstBetween(reader, query.bytes, from, total);
        if (found >= 0) return {found, false};
        return {firstBetween(reader, query.bytes, 0, from), true};
    }
    int64_t found = lastBetween(reader, query.bytes, 0, from + 1);
    if (found >= 0) return {found, false};
    return {lastBetween(reader, query.bytes, from + 1, total), true};
}
