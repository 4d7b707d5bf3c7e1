// Evaluation with a stack of its own, so that nesting costs no call stack. The branches a condition
// does not take are never evaluated: "n != 0 && 100 / n > 2" does not divide by zero.
#include "expressions/expression.h"

#include <initializer_list>

namespace expression {

namespace {

bool checked(Failure* failure, bool overflowed) {
    if (overflowed) *failure = Failure::Overflow;
    return !overflowed;
}

// A row's node keeps the row and its list where other nodes keep operands.
bool namesRow(Op op) {
    return op == Op::Name || op == Op::StartOf || op == Op::EndOf;
}

Failure apply(Op op, int64_t a, int64_t b, int64_t* out) {
    Failure failure = Failure::None;
    switch (op) {
        case Op::Negate:
            if (!checked(&failure, __builtin_sub_overflow(int64_t{0}, a, out))) return failure;
            break;
        case Op::Not:
            *out = !a;
            break;
        case Op::Complement:
            *out = ~a;
            break;
        case Op::Multiply:
            checked(&failure, __builtin_mul_overflow(a, b, out));
            return failure;
        case Op::Add:
            checked(&failure, __builtin_add_overflow(a, b, out));
            return failure;
        case Op::Subtract:
            checked(&failure, __builtin_sub_overflow(a, b, out));
            return failure;
        case Op::Divide:
        case Op::Remainder:
            if (b == 0) return Failure::DivisionByZero;
            if (a == INT64_MIN && b == -1) {
                if (op == Op::Divide) return Failure::Overflow;
                *out = 0;
                break;
            }
            *out = op == Op::Divide ? a / b : a % b;
            break;
        case Op::ShiftLeft:
        case Op::ShiftRight:
            if (b < 0 || b > 63) return Failure::ShiftRange;
            // Bits shifted out of a left shift are gone, as in the formats' own arithmetic.
            *out = op == Op::ShiftLeft ? static_cast<int64_t>(static_cast<uint64_t>(a) << b) : a >> b;
            break;
        case Op::Less:
            *out = a < b;
            break;
        case Op::LessEqual:
            *out = a <= b;
            break;
        case Op::Greater:
            *out = a > b;
            break;
        case Op::GreaterEqual:
            *out = a >= b;
            break;
        case Op::Equal:
            *out = a == b;
            break;
        case Op::NotEqual:
            *out = a != b;
            break;
        case Op::BitAnd:
            *out = a & b;
            break;
        case Op::BitXor:
            *out = a ^ b;
            break;
        case Op::BitOr:
            *out = a | b;
            break;
        default:
            break;
    }
    return failure;
}

}  // namespace

Failure evaluate(const Expression& e, Place& place, int64_t* out) {
    int64_t values[kMaxNodes];
    // A node's frame visits its operands in turn; &&, || and ?: visit their condition first and
    // then only the branch it picks, remembering that branch's node in their own value.
    struct Frame {
        int32_t node;
        int8_t stage;
    };
    Frame stack[kMaxNodes];
    int32_t top = 0;
    stack[top++] = Frame{e.count - 1, 0};
    while (top > 0) {
        Frame& frame = stack[top - 1];
        const Node& node = e.nodes[frame.node];
        int64_t& value = values[frame.node];
        int32_t operands[3] = {node.left, node.right, node.third};
        bool lazy = node.op == Op::And || node.op == Op::Or || node.op == Op::Choose;
        if (!lazy && frame.stage < 3 && !namesRow(node.op)) {
            int32_t next = operands[frame.stage++];
            if (next >= 0) stack[top++] = Frame{next, 0};
            continue;
        }
        if (lazy && frame.stage == 0) {
            frame.stage = 1;
            stack[top++] = Frame{node.left, 0};
            continue;
        }
        if (lazy && frame.stage == 1) {
            frame.stage = 2;
            bool holds = values[node.left] != 0;
            int32_t next = node.op == Op::Choose ? (holds ? node.right : node.third)
                           : (node.op == Op::And) == holds ? node.right
                                                           : -1;
            if (next >= 0) {
                value = next;  // remembers the branch taken
                stack[top++] = Frame{next, 0};
                continue;
            }
            value = node.op == Op::Or;
            --top;
            continue;
        }
        Failure failure = Failure::None;
        switch (node.op) {
            case Op::Literal:
                value = node.value;
                break;
            case Op::Name:
                failure = place.number(static_cast<int32_t>(node.value), node.third, &value);
                break;
            case Op::StartOf:
            case Op::EndOf:
                failure = place.bounds(node.op, static_cast<int32_t>(node.value), node.third, &value);
                break;
            case Op::Crc32:
            case Op::Adler32:
            case Op::ByteSum:
            case Op::FindLast:
            case Op::PeekLittle:
            case Op::PeekBig:
                failure = place.checksum(node.op, values[node.left], values[node.right], &value);
                break;
            case Op::Offset:
            case Op::Index:
            case Op::Start:
            case Op::End:
            case Op::FileSize:
                value = place.property(node.op);
                break;
            case Op::And:
            case Op::Or:
                value = values[value] != 0;
                break;
            case Op::Choose:
                value = values[value];
                break;
            default:
                failure = apply(node.op, values[node.left], node.right >= 0 ? values[node.right] : 0, &value);
                break;
        }
        if (failure != Failure::None) return failure;
        --top;
    }
    *out = values[e.count - 1];
    return Failure::None;
}

bool isNumber(const Expression& e, int64_t* number) {
    if (e.count != 1 || e.nodes[0].op != Op::Literal) return false;
    *number = e.nodes[0].value;
    return true;
}

bool isNamePlusNumber(const Expression& e, int32_t* row, int64_t* added) {
    const Node* root = &e.nodes[e.count - 1];
    auto plainName = [](const Node& node) { return node.op == Op::Name && node.third < 0; };
    if (e.count == 1 && plainName(*root)) {
        *row = static_cast<int32_t>(root->value);
        *added = 0;
        return true;
    }
    if (e.count != 3 || (root->op != Op::Add && root->op != Op::Subtract)) return false;
    const Node& left = e.nodes[root->left];
    const Node& right = e.nodes[root->right];
    const Node* name = plainName(left) ? &left : root->op == Op::Add && plainName(right) ? &right : nullptr;
    const Node& number = name == &left ? right : left;
    if (!name || number.op != Op::Literal || number.value == INT64_MIN) return false;
    *row = static_cast<int32_t>(name->value);
    *added = root->op == Op::Subtract ? -number.value : number.value;
    return true;
}

namespace {

// The names read in the subtree of node `at`, each operand visited once.
int32_t namesUnder(const Expression& e, int32_t at) {
    int32_t pending[kMaxNodes];
    int32_t count = 0;
    int32_t names = 0;
    pending[count++] = at;
    while (count > 0) {
        const Node& node = e.nodes[pending[--count]];
        names += node.op == Op::Name;
        if (namesRow(node.op)) continue;  // their operand fields hold a row, not nodes
        for (int32_t operand : {node.left, node.right, node.third}) {
            if (operand >= 0 && count < kMaxNodes) pending[count++] = operand;
        }
    }
    return names;
}

}  // namespace

bool isNamePlusBase(const Expression& e, int32_t at, int32_t* row, int32_t* list) {
    const Node& root = e.nodes[at];
    const Node* name = nullptr;
    if (root.op == Op::Name) name = &root;
    if (root.op == Op::Add || root.op == Op::Subtract) {
        if (e.nodes[root.left].op == Op::Name) name = &e.nodes[root.left];
        if (root.op == Op::Add && e.nodes[root.right].op == Op::Name) name = &e.nodes[root.right];
    }
    if (!name || namesUnder(e, at) != 1) return false;
    *row = static_cast<int32_t>(name->value);
    *list = name->third;
    return true;
}

}  // namespace expression
