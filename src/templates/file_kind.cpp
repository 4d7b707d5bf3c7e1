#include "templates/file_kind.h"

#include <cctype>
#include <cstring>

#include "expressions/checksums.h"
#include "expressions/expression.h"
#include "fieldtypes/byte_order.h"
#include "platform/file_handle.h"
#include "shell/streams.h"

namespace {

using expression::Failure;
using expression::Op;

constexpr int32_t kMostParameters = 16;  // an EXTN row's

// These rows stand before any row is read: a name in them means nothing.
class NoNames : public expression::Names {
  public:
    int32_t find(const char*, int32_t, int32_t* list) override {
        *list = -1;
        return -1;
    }
};

// The file as a LEAD condition sees it: at its start, with nothing bound.
class HeadPlace : public expression::Place {
  public:
    explicit HeadPlace(const FileHead& head) : head_(head) {}

    Failure number(int32_t, int32_t, int64_t*) override { return Failure::Unbound; }
    int64_t property(Op which) override {
        return which == Op::End || which == Op::FileSize ? head_.fileSize : 0;
    }
    Failure bounds(Op, int32_t, int32_t, int64_t*) override { return Failure::Unbound; }
    Failure checksum(Op which, int64_t from, int64_t to, int64_t* out) override {
        const auto have = static_cast<int64_t>(head_.bytes.size());
        *out = 0;
        if (which == Op::FindLast) return Failure::NotFound;
        if (which == Op::PeekLittle || which == Op::PeekBig) {
            if (to < 1 || to > 8 || from < 0 || from > have - to) return Failure::Outside;
            *out = static_cast<int64_t>(byteorder::fromBytes(&head_.bytes[static_cast<size_t>(from)],
                                                             static_cast<int>(to), which == Op::PeekBig));
            return Failure::None;
        }
        if (from < 0 || from > to || to > have) return Failure::Range;
        RunningChecksum sum(which);
        sum.add(head_.bytes.data() + from, static_cast<size_t>(to - from));
        *out = sum.value();
        return Failure::None;
    }

  private:
    const FileHead& head_;
};

// The numbers a row's caption gives, each evaluated; empty when it does not parse or evaluate.
std::vector<int64_t> parameterValues(const TemplateField* field, const FileHead& head) {
    std::vector<int64_t> values;
    const char* equals = std::strchr(field->caption, '=');
    if (!equals) return values;
    expression::Expression parsed[kMostParameters];
    NoNames names;
    expression::ParseError error{0, nullptr};
    int32_t count = expression::parseList(equals + 1, static_cast<int32_t>(std::strlen(equals + 1)), names, parsed,
                                          kMostParameters, &error);
    HeadPlace place(head);
    for (int32_t i = 0; i < count; ++i) {
        int64_t value;
        if (expression::evaluate(parsed[i], place, &value) == Failure::None) values.push_back(value);
        expression::release(parsed[i]);
    }
    if (static_cast<int32_t>(values.size()) != count) values.clear();
    return values;
}

// Characters written 'tif': the bytes of the number from its first that is not zero, in lower case.
std::string charactersOf(int64_t number) {
    std::string text;
    for (int shift = 56; shift >= 0; shift -= 8) {
        auto c = static_cast<unsigned char>(static_cast<uint64_t>(number) >> shift);
        if (c || !text.empty()) text += static_cast<char>(std::tolower(c));
    }
    return text;
}

}  // namespace

FileHead readFileHead(const char* path) {
    FileHead head;
    TIOFile file(path, platform::kGenericRead, platform::kOpenExisting);
    if (!file.IsOpen()) return head;
    head.opened = true;
    head.fileSize = file.Size();
    head.bytes.resize(static_cast<size_t>(head.fileSize < kFileHeadSize ? head.fileSize : kFileHeadSize));
    int64_t got = file.Read(head.bytes.data(), static_cast<int64_t>(head.bytes.size()));
    head.bytes.resize(static_cast<size_t>(got > 0 ? got : 0));
    return head;
}

bool leadingBytesMatch(const Template& templ, const FileHead& head) {
    for (int32_t i = 0; i < templ.fieldCount; ++i) {
        if (!isCode(templ.fields[i]->code, "LEAD")) continue;
        std::vector<int64_t> holds = parameterValues(templ.fields[i], head);
        if (holds.size() == 1 && holds[0] != 0) return true;
    }
    return false;
}

bool namesExtension(const Template& templ, const std::string& extension) {
    FileHead none;
    for (int32_t i = 0; i < templ.fieldCount; ++i) {
        if (!isCode(templ.fields[i]->code, "EXTN")) continue;
        for (int64_t named : parameterValues(templ.fields[i], none)) {
            if (!extension.empty() && charactersOf(named) == extension) return true;
        }
    }
    return false;
}
