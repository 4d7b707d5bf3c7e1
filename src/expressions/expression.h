#pragma once
// Expressions in the captions of template rows: 64-bit integer arithmetic over literals, the
// numbers of rows read earlier and the place being bound. A template parses each once; binding
// evaluates it where the row stands.
#include <cstdint>

namespace expression {

enum class Op : uint8_t {
    Literal,
    Name,      // value: the row named; third: for a path, the list row whose last item holds it
    Offset,    // @offset: where the row begins
    Index,     // @index: of the innermost list item
    Start,     // @start: where the innermost section, case or list item began
    End,       // @end: where its data ends
    FileSize,  // @filesize
    Negate,
    Not,
    Complement,
    Multiply,
    Divide,
    Remainder,
    Add,
    Subtract,
    ShiftLeft,
    ShiftRight,
    Less,
    LessEqual,
    Greater,
    GreaterEqual,
    Equal,
    NotEqual,
    BitAnd,
    BitXor,
    BitOr,
    And,
    Or,
    Choose,  // left ? right : third
    // Functions: start(Row) and end(Row), where a row's bytes begin and end (value and third as for
    // Name); crc32, adler32 and sum over the bytes from left up to right; rfind, the last place of
    // the right bytes of left, big-endian; le and be, the number of right bytes at left.
    StartOf,
    EndOf,
    Crc32,
    Adler32,
    ByteSum,
    FindLast,
    PeekLittle,
    PeekBig,
};

struct Node {
    Op op;
    int32_t left, right, third;  // operand nodes
    int64_t value;
};

// The nodes of one expression, operands before the node that takes them; the root is the last.
struct Expression {
    Node* nodes = nullptr;
    int32_t count = 0;
};

// Deeper nesting, or more nodes, make a template invalid rather than cost stack or memory.
constexpr int32_t kMaxDepth = 64;
constexpr int32_t kMaxNodes = 512;

// Finds the row a name stands for: -1 when no earlier row visible from the row being parsed has
// it. `list` receives the list row of a path's first part ("Entry.Size"), else -1.
class Names {
  public:
    virtual ~Names() = default;
    virtual int32_t find(const char* name, int32_t length, int32_t* list) = 0;
};

struct ParseError {
    int32_t column;  // from 0, in the text given to parse
    const char* message;
};

// Parses text[0, length) as one expression, or a list of them separated by commas, into out
// (at most maxOut). The number parsed, or -1 with *error set. Each expression owns its nodes:
// release them with release().
int32_t parseList(const char* text, int32_t length, Names& names, Expression* out, int32_t maxOut,
                  ParseError* error);
void release(Expression& expression);

enum class Failure : uint8_t {
    None,
    DivisionByZero,
    Overflow,
    ShiftRange,  // a shift by less than 0 or more than 63 bits
    Range,       // a checksum's bytes that are not all in the file
    Unbound,     // a row named was not bound where the expression stands
    NotNumber,   // a row named holds no whole number
    NotFound,    // rfind's bytes are not in the file
    Outside,     // le or be reads bytes outside the file
};

// What an evaluation reads from where it stands.
class Place {
  public:
    virtual ~Place() = default;
    // The number of the row's instance bound last where the expression stands; for a path, the one
    // in the last item of the list row. Failure::Unbound or NotNumber when there is none.
    virtual Failure number(int32_t row, int32_t list, int64_t* out) = 0;
    // @offset, @index, @start, @end or @filesize.
    virtual int64_t property(Op which) = 0;
    // Where the row's instance of number() begins (StartOf) or ends (EndOf).
    virtual Failure bounds(Op which, int32_t row, int32_t list, int64_t* out) = 0;
    // Crc32, Adler32 or ByteSum over the bytes [from, to) of the data being read; FindLast: where the
    // last to bytes (1 to 8) of the number from, big-endian, stand in the file; PeekLittle and PeekBig:
    // the unsigned number of the to bytes (1 to 8) at from, in that order.
    virtual Failure checksum(Op which, int64_t from, int64_t to, int64_t* out) = 0;
};

Failure evaluate(const Expression& expression, Place& place, int64_t* out);

// Whether the expression is a number written out; then the number.
bool isNumber(const Expression& expression, int64_t* number);

// Whether the expression is a row's name, plus or minus a number ("Count", "Count - 1", "1 + Count"):
// then the row, and the number added.
bool isNamePlusNumber(const Expression& expression, int32_t* row, int64_t* added);

// Whether the part of the expression under node `at` is a row's name or path plus or minus a part
// that reads no row's number ("Offset", "start(Table) + Offset", "Offset - 8", "IFD.Next"): then the
// row and the list of the path (-1 for a name). Such a row's number moves with the value when
// nothing else does.
bool isNamePlusBase(const Expression& expression, int32_t at, int32_t* row, int32_t* list);

}  // namespace expression
