#pragma once
// The binder's inner workings, shared by the files that split it by concern: numbers, sections and
// data rows (binding.cpp), lists (binding_lists.cpp), key sections and cases (binding_keys.cpp).
#include <cstdint>
#include <unordered_set>

#include "document/binding.h"
#include "document/data_window.h"
#include "document/instances.h"
#include "document/record_stack.h"
#include "document/sizes.h"
#include "expressions/expression.h"
#include "fieldtypes/field_type.h"
#include "shell/pointer_array.h"
#include "templates/template.h"

namespace binding {

constexpr int32_t kQueueStep = 32;
constexpr int32_t kMostNamesakes = 64;  // rows of one name a name looks through while binding
constexpr int32_t kMaxPattern = 16;  // bytes of an UPTO pattern, one a parameter

// One nesting level in progress: the first level, or the item of a list being bound. Its pending
// counts and sizes are the entries of the shared queues from its base on; entries before its head
// have been taken.
struct Level {
    FieldInstance* parent;
    int32_t countBase, countHead;
    int32_t sizeBase, sizeHead;
    int32_t spanBase, keyBase, orderBase;
    // Only for the levels of list items:
    int32_t listRow, endRow;
    char bound;  // 'C' counted, 'S' sized, 'Z' to the end of the data, 'B' to an item of zeros
    FieldInstance* firstHeader;
    FieldInstance* listSource;
    int64_t item, items;  // items only for counted lists
    int64_t itemStart;    // where the item in progress began
    int64_t outerEnd;     // the end of the data around the list
    int64_t listEnd;      // and of the list's own, for lists bounded by a size
    bool outerNonZero, listNonZero;
    bool placedInItem;  // the item read rows at an offset, so it may take no bytes where it stands
};

// Rows that end at a row ahead: a closed size section, or the chosen case of a key section.
struct Span {
    FieldInstance* opener;  // the size or case instance, which learns where the span ends
    int32_t closeRow;
    int32_t resumeRow;  // where binding goes on after closeRow
    int32_t restDepth;
    FieldInstance* restParent;
    bool bounded;
    int64_t end, outerEnd;
    int64_t start;  // where its rows begin, for @start
    // Rows at an offset: where binding goes on after them.
    bool placed = false;
    int64_t resumeAt = 0;
};

// A key section whose key chooses among its cases: the key's bytes as they stand in the file, or
// for a key computed by an expression its number big-endian in as few bytes as hold it.
struct KeySection {
    int32_t row;  // of its KEYB or KEYV
    int32_t endRow;
    bool known;
    bool bigEndian;
    FieldInstance* keyRow;  // null for a computed key
    uint8_t width;
    unsigned char bytes[8];
};

// A section whose byte order an expression chose, up to its closing row.
struct OrderSection {
    int32_t closeRow;  // -1: the order the level's own parent was bound in
    bool littleEndian;
};

struct Queue {
    FieldInstance** entries = nullptr;
    int32_t count = 0;
    int32_t capacity = 0;
    ~Queue() { delete[] entries; }
    bool add(FieldInstance* instance) {
        return shell::appendPointer(entries, count, capacity, kQueueStep, instance);
    }
};

inline bool isListOpener(const FieldInstance* instance) {
    RowRole role = rowKindOf(instance->field->code).role;
    return role == RowRole::CountedList || role == RowRole::SizedList;
}

inline int64_t numberOf(const FieldInstance* instance) {
    return *static_cast<const int64_t*>(instance->value);
}

class Binder : public expression::Place {
  public:
    // window is null when binding without a file; chosenCase as for bind().
    Binder(Document* document, DataWindow* window, int32_t chosenCase = -1)
        : document_(document), window_(window), chosenCase_(chosenCase) {}
    ~Binder() override {
        delete[] latest_;
        delete[] latestStart_;
    }
    Binder(const Binder&) = delete;
    Binder& operator=(const Binder&) = delete;

    // What expressions read where they stand.
    expression::Failure number(int32_t row, int32_t list, int64_t* out) override;
    int64_t property(expression::Op which) override;
    expression::Failure bounds(expression::Op which, int32_t row, int32_t list, int64_t* out) override;
    expression::Failure checksum(expression::Op which, int64_t from, int64_t to, int64_t* out) override;

    int64_t run(int32_t& rowIndex, FieldInstance* parent);
    // Where the bytes that no row took begin after a failure; -1 when at the stream's position.
    int64_t restStart() const { return restStart_; }
    // After a failure: notes the sizes whose sections were still open, which the rest of the file
    // then ends; false without memory.
    bool recordUnclosed(int64_t fileEnd);

  private:
    Level& top() { return levels_.top(); }
    bool pushLevel(FieldInstance* parent);
    int64_t stop(int64_t result, BindStop reason, int32_t row, int32_t& rowIndex);
    // Without a file, the bytes the rows made so far: where a new document's next row will stand.
    int64_t position() const { return window_ ? window_->at() : made_; }

    FieldInstance* append(TemplateField* field, FieldInstance* parent, FieldInstance* partner,
                          FieldInstance* listSource) {
        FieldInstance* instance = appendInstance(document_, field, parent, partner, listSource, &failure_);
        // Only templates with parameters have byte orders and names to remember.
        if (latest_ && instance) noteAppended(field, instance);
        return instance;
    }
    FieldInstance* appendWithNumber(TemplateField* field, FieldInstance* parent, FieldInstance* listSource,
                                    int64_t number);
    FieldInstance* takePendingSize();
    // Ends the data at *end when n more bytes of it are there; false after a failure.
    bool bound(int64_t n, int64_t* end);

    // Each returns the next row, or -1 after a failure (in failure_ and reason_).
    int32_t bindNumber(int32_t row, const RowInfo& info);
    int32_t bindSection(int32_t row, const RowInfo& info);
    int32_t closeSpan();
    int32_t bindCountedList(int32_t row, const RowInfo& info);
    int32_t bindDataList(int32_t row, const RowInfo& info);
    int32_t startItems(int32_t row, const RowInfo& info, FieldInstance* header, int64_t items);
    int32_t finishItem();
    bool canFold();
    int32_t openKeySection(int32_t row, const RowInfo& info);
    void closeKeySection(const RowInfo& info);
    int32_t bindCase(int32_t row, const RowInfo& info);
    bool keyFromRow(FieldInstance* key);
    int32_t chooseCase(KeySection& section, int32_t row);

    // Expressions (binding_expressions.cpp). Each evaluation that fails stops binding with its reason.
    bool startExpressions();
    bool evaluate(int32_t row, int32_t which, int64_t* out);
    bool isLive(const FieldInstance* instance);
    bool isItemBefore(const FieldInstance* header, const FieldInstance* current);
    int32_t bindDerived(int32_t row);
    FieldInstance* countNamed(int32_t row);
    int32_t bindCondition(int32_t row, const RowInfo& info);
    int32_t bindByteOrder(int32_t row, const RowInfo& info);
    bool listEnds(const Level& item, bool* ends);
    // A data row whose length its caption gives: its bytes, read from the file or made of zeros.
    int32_t bindBoundedData(int32_t row, FieldInstance* instance, void* value);
    bool boundedLength(int32_t row, int64_t* length);
    bool patternLength(int32_t row, int64_t* length);
    int32_t bindData(int32_t row);
    int32_t bindStructure(int32_t row);
    // Rows at an offset (binding_offsets.cpp).
    int32_t bindPlaced(int32_t row, const RowInfo& info);
    bool leadsBack(int32_t row, int64_t target);
    FieldInstance* rowNamedBy(int32_t row, int32_t which, bool plusBase);
    expression::Failure findLast(int64_t pattern, int64_t width, int64_t* out);
    expression::Failure peek(expression::Op order, int64_t at, int64_t width, int64_t* out);
    // Inline: it is binding's commonest step.
    int32_t readData(int32_t row, FieldInstance* instance, void* value) {
        const FieldType* type = instance->field->fieldType;
        if (!window_) made_ += instanceSize(instance);
        if (!window_ || !type->procs.readValue) return row + 1;
        int64_t result = type->procs.readValue(instance, value, window_, rowStart_);
        // A read that came back short means the data ended inside the field.
        if (result >= 0 && !window_->takeShortMark()) return row + 1;
        return failRead(type, instance, value, result);
    }
    // A field that is not all there is not shown: its bytes stay in the rest.
    int32_t failRead(const FieldType* type, FieldInstance* instance, void* value, int64_t result);
    int32_t bindParameterData(int32_t row, FieldInstance* instance, void* value, const RowKind& kind);
    void noteAppended(TemplateField* field, FieldInstance* instance);
    int32_t bindListEnd(int32_t row, int32_t& rowIndex, bool& levelDone);
    int32_t bindCloser(int32_t row, const RowInfo& info, int32_t& rowIndex, bool& levelDone);

    int32_t fail(int64_t result, BindStop reason) {
        failure_ = result;
        reason_ = reason;
        return -1;
    }
    // A row whose bytes are not all there: its bytes go to the rest.
    int32_t failPastEnd() {
        restStart_ = rowStart_;
        bool atFileEnd = window_->end() == fileEnd_;
        return fail(kResultPastEnd, atFileEnd ? BindStop::FieldPastFileEnd : BindStop::FieldPastSectionEnd);
    }

    Document* document_;
    DataWindow* window_;
    const RowInfo* infos_ = nullptr;
    TemplateField** fields_ = nullptr;
    RecordStack<Level> levels_;
    RecordStack<Span> spans_;
    RecordStack<KeySection> keys_;
    RecordStack<OrderSection> orders_;
    Queue counts_;
    Queue sizes_;
    int64_t failure_ = 0;
    BindStop reason_ = BindStop::None;
    int64_t fileEnd_ = 0;
    int64_t rowStart_ = 0;
    int64_t restStart_ = -1;
    // The instance each template row made last, for expressions to read; null without expressions.
    FieldInstance** latest_ = nullptr;
    int64_t* latestStart_ = nullptr;  // and where its bytes began
    int32_t chosenCase_;
    int64_t made_ = 0;  // bytes of the rows bound without a file
    // Targets that items of lists ended by a condition went to, by list, row and offset: an item
    // that goes back to one would repeat the list for ever.
    struct Visit {
        const FieldInstance* list;
        int32_t row;
        int64_t target;
        bool operator==(const Visit& other) const {
            return list == other.list && row == other.row && target == other.target;
        }
    };
    struct VisitHash {
        size_t operator()(const Visit& visit) const {
            return std::hash<const void*>()(visit.list) ^ std::hash<int64_t>()(visit.target * 31 + visit.row);
        }
    };
    std::unordered_set<Visit, VisitHash> visited_;
    // The instance the name stands for where the binder is, or null.
    const FieldInstance* named(int32_t row, int32_t list);
    const FieldInstance* namedInstance(int32_t row, int32_t list);
};

}  // namespace binding
