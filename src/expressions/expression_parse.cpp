// Precedence climbing over the text, with the nodes kept in a fixed buffer so that a hostile caption
// costs neither stack nor memory beyond the limits.
#include <cctype>
#include <cstring>
#include <new>

#include "expressions/expression.h"
#include "shell/number_text.h"

namespace expression {

namespace {

struct Binary {
    const char* spelling;
    Op op;
    int precedence;  // higher binds tighter
};

// Two-character operators before the one-character ones they start with.
constexpr Binary kBinaries[] = {
    {"||", Op::Or, 1},         {"&&", Op::And, 2},        {"==", Op::Equal, 6},    {"!=", Op::NotEqual, 6},
    {"<=", Op::LessEqual, 7},  {">=", Op::GreaterEqual, 7}, {"<<", Op::ShiftLeft, 8}, {">>", Op::ShiftRight, 8},
    {"|", Op::BitOr, 3},       {"^", Op::BitXor, 4},      {"&", Op::BitAnd, 5},    {"<", Op::Less, 7},
    {">", Op::Greater, 7},     {"+", Op::Add, 9},         {"-", Op::Subtract, 9},  {"*", Op::Multiply, 10},
    {"/", Op::Divide, 10},     {"%", Op::Remainder, 10},
};

struct Property {
    const char* name;
    Op op;
};

struct Function {
    const char* name;
    Op op;
    bool ofRow;  // its argument names a row; otherwise it takes two values
};

constexpr Function kFunctions[] = {
    {"start", Op::StartOf, true}, {"end", Op::EndOf, true}, {"crc32", Op::Crc32, false},
    {"adler32", Op::Adler32, false}, {"sum", Op::ByteSum, false},
    {"rfind", Op::FindLast, false}, {"le", Op::PeekLittle, false}, {"be", Op::PeekBig, false},
};

constexpr Property kProperties[] = {
    {"offset", Op::Offset}, {"index", Op::Index}, {"start", Op::Start}, {"end", Op::End}, {"filesize", Op::FileSize},
};

bool isNameCharacter(char c) {
    return std::isalnum(static_cast<unsigned char>(c)) || c == '_';
}

class Parser {
  public:
    Parser(const char* text, int32_t length, Names& names) : text_(text), end_(text + length), names_(names) {}

    // The root node of one expression, or -1 with error_ set.
    int32_t expression(int32_t depth) {
        if (depth > kMaxDepth) return fail(at_, "the expression is nested too deeply");
        int32_t condition = binary(1, depth);
        if (condition < 0 || !take("?")) return condition;
        int32_t chosen = expression(depth + 1);
        if (chosen < 0) return -1;
        if (!take(":")) return fail(at_, "\":\" expected");
        int32_t otherwise = expression(depth + 1);
        return otherwise < 0 ? -1 : add(Op::Choose, condition, chosen, otherwise);
    }

    bool atEnd() {
        skipSpace();
        return at_ == end_;
    }
    bool take(const char* spelling) {
        skipSpace();
        size_t n = std::strlen(spelling);
        if (static_cast<size_t>(end_ - at_) < n || std::memcmp(at_, spelling, n) != 0) return false;
        at_ += n;
        return true;
    }
    int32_t column() const { return static_cast<int32_t>(at_ - text_); }
    const ParseError& error() const { return error_; }
    Node* nodes() { return nodes_; }
    int32_t count() const { return count_; }
    void restart() { count_ = 0; }
    int32_t fail(const char* where, const char* message) {
        error_ = ParseError{static_cast<int32_t>(where - text_), message};
        return -1;
    }

  private:
    void skipSpace() {
        while (at_ < end_ && std::isspace(static_cast<unsigned char>(*at_))) ++at_;
    }

    int32_t add(Op op, int32_t left = -1, int32_t right = -1, int32_t third = -1, int64_t value = 0) {
        if (count_ == kMaxNodes) return fail(at_, "the expression is too long");
        nodes_[count_] = Node{op, left, right, third, value};
        return count_++;
    }

    // The binary operator at the text, when it binds at least as tightly as minimum.
    const Binary* peekBinary(int minimum) {
        skipSpace();
        for (const Binary& binary : kBinaries) {
            size_t n = std::strlen(binary.spelling);
            if (static_cast<size_t>(end_ - at_) < n || std::memcmp(at_, binary.spelling, n) != 0) continue;
            // "||" and "&&" were tried first, so a lone "|" or "&" here is the bitwise one.
            return binary.precedence >= minimum ? &binary : nullptr;
        }
        return nullptr;
    }

    int32_t binary(int minimum, int32_t depth) {
        int32_t left = unary(depth);
        while (left >= 0) {
            const Binary* op = peekBinary(minimum);
            if (!op) break;
            at_ += std::strlen(op->spelling);
            int32_t right = binary(op->precedence + 1, depth + 1);
            if (right < 0) return -1;
            left = add(op->op, left, right);
        }
        return left;
    }

    int32_t unary(int32_t depth) {
        if (depth > kMaxDepth) return fail(at_, "the expression is nested too deeply");
        skipSpace();
        if (at_ == end_) return fail(at_, "a value expected");
        const Op ops[] = {Op::Negate, Op::Not, Op::Complement};
        const char* signs = "-!~";
        if (const char* sign = std::strchr(signs, *at_)) {
            ++at_;
            int32_t operand = unary(depth + 1);
            return operand < 0 ? -1 : add(ops[sign - signs], operand);
        }
        if (*at_ == '+') {
            ++at_;
            return unary(depth + 1);
        }
        return primary(depth);
    }

    int32_t primary(int32_t depth) {
        const char* start = at_;
        if (*at_ == '(') {
            ++at_;
            int32_t inner = expression(depth + 1);
            if (inner >= 0 && !take(")")) return fail(at_, "\")\" expected");
            return inner;
        }
        if (*at_ == '\'') return characters();
        if (*at_ == '@') return property();
        if (*at_ == '$' || std::isdigit(static_cast<unsigned char>(*at_))) return number();
        if (const Function* f = function()) return call(*f, depth);
        if (isNameCharacter(*at_)) return name();
        return fail(start, "a value expected");
    }

    int32_t number() {
        const char* start = at_;
        if (*at_ == '$') ++at_;
        while (at_ < end_ && isNameCharacter(*at_)) ++at_;
        uint64_t value = 0;
        bool tooBig = false;
        if (!parseNumberText(start, static_cast<size_t>(at_ - start), &value, &tooBig))
            return fail(start, tooBig ? "the number does not fit 64 bits" : "not a number");
        return add(Op::Literal, -1, -1, -1, static_cast<int64_t>(value));
    }

    // Up to eight characters, the first the most significant byte: 'IHDR' is $49484452.
    int32_t characters() {
        const char* start = at_++;
        uint64_t value = 0;
        int n = 0;
        for (; at_ < end_ && *at_ != '\''; ++at_, ++n) value = value << 8 | static_cast<unsigned char>(*at_);
        if (at_ == end_) return fail(start, "the characters have no closing quote");
        ++at_;
        if (n == 0 || n > 8) return fail(start, "one to eight characters expected between the quotes");
        return add(Op::Literal, -1, -1, -1, static_cast<int64_t>(value));
    }

    int32_t property() {
        const char* start = at_++;
        const char* word = at_;
        while (at_ < end_ && isNameCharacter(*at_)) ++at_;
        size_t n = static_cast<size_t>(at_ - word);
        for (const Property& p : kProperties) {
            if (std::strlen(p.name) == n && std::memcmp(p.name, word, n) == 0) return add(p.op);
        }
        return fail(start, "no such property (@offset, @index, @start, @end, @filesize)");
    }

    // A word followed by "(" is a function; no caption names one.
    const Function* function() {
        const char* end = at_;
        while (end < end_ && isNameCharacter(*end)) ++end;
        const char* open = end;
        while (open < end_ && std::isspace(static_cast<unsigned char>(*open))) ++open;
        if (open == end_ || *open != '(') return nullptr;
        size_t n = static_cast<size_t>(end - at_);
        for (const Function& f : kFunctions) {
            if (std::strlen(f.name) == n && std::memcmp(f.name, at_, n) == 0) return &f;
        }
        return nullptr;
    }

    int32_t call(const Function& f, int32_t depth) {
        at_ += std::strlen(f.name);
        take("(");
        int32_t node;
        if (f.ofRow) {
            skipSpace();
            if (at_ == end_ || !isNameCharacter(*at_)) return fail(at_, "a row's name expected");
            int32_t row = name();
            if (row < 0) return -1;
            nodes_[row].op = f.op;
            node = row;
        } else {
            int32_t from = expression(depth + 1);
            if (from < 0) return -1;
            if (!take(",")) return fail(at_, "\",\" expected");
            int32_t to = expression(depth + 1);
            if (to < 0) return -1;
            node = add(f.op, from, to);
        }
        if (node >= 0 && !take(")")) return fail(at_, "\")\" expected");
        return node;
    }

    int32_t name() {
        const char* start = at_;
        while (at_ < end_ && (isNameCharacter(*at_) || (*at_ == '.' && at_ + 1 < end_ && isNameCharacter(at_[1]))))
            ++at_;
        int32_t list = -1;
        int32_t row = names_.find(start, static_cast<int32_t>(at_ - start), &list);
        if (row < 0) return fail(start, "no earlier row has this name");
        return add(Op::Name, -1, -1, list, row);
    }

    const char* text_;
    const char* at_ = text_;
    const char* end_;
    Names& names_;
    Node nodes_[kMaxNodes];
    int32_t count_ = 0;
    ParseError error_{0, nullptr};
};

}  // namespace

void release(Expression& expression) {
    delete[] expression.nodes;
    expression = Expression{};
}

int32_t parseList(const char* text, int32_t length, Names& names, Expression* out, int32_t maxOut,
                  ParseError* error) {
    Parser* parser = new (std::nothrow) Parser(text, length, names);
    if (!parser) {
        *error = ParseError{0, "there is not enough memory"};
        return -1;
    }
    int32_t parsed = 0;
    for (;;) {
        parser->restart();
        parser->atEnd();  // past the spaces, so that an error points at the value
        int32_t start = parser->column();
        if (parsed == maxOut) {
            parser->fail(text + start, "too many values");
            break;
        }
        if (parser->expression(0) < 0) break;
        Node* nodes = new (std::nothrow) Node[parser->count()];
        if (!nodes) {
            parser->fail(text + start, "there is not enough memory");
            break;
        }
        std::memcpy(nodes, parser->nodes(), sizeof(Node) * parser->count());
        out[parsed++] = Expression{nodes, parser->count()};
        if (parser->take(",")) continue;
        if (parser->atEnd()) {
            delete parser;
            return parsed;
        }
        parser->fail(text + parser->column(), "an operator or \",\" expected");
        break;
    }
    *error = parser->error();
    delete parser;
    for (int32_t i = 0; i < parsed; ++i) release(out[i]);
    return -1;
}

}  // namespace expression
