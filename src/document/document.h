#pragma once
// A file seen through a template: a doubly linked list of field instances in display order, with
// parent links for list items.
#include <cstdint>

#include "document/slot_arena.h"

class Template;
class TIOStream;
struct TemplateField;

struct FieldInstance {
    TemplateField* field;
    FieldInstance* parent;
    FieldInstance* partner;
    FieldInstance* listSource;
    int32_t depth;
    uint32_t flags;  // bit 0 selected, bit 1 current
    void* value;
    int64_t height;  // a fold's is that of all the rows it stands for
    FieldInstance* previous;
    FieldInstance* next;
    // What binding found an opening instance to cover, so that changes never guess it from depths:
    // for a list header, the last instance of its item (the header itself for an item without rows;
    // null for the first header of a list without items); for a closed size and a chosen case, the
    // last instance of its section (itself for an empty one). Null while binding never closed it.
    FieldInstance* extentLast;
};

constexpr uint32_t kInstanceSelected = 1;
constexpr uint32_t kInstanceCurrent = 2;
// Set by binding in a section whose byte order an expression chose: the instance reads and writes
// its numbers in that order (little-endian with the second flag), whatever the case of its code.
constexpr uint32_t kInstanceOrderChosen = 4;
constexpr uint32_t kInstanceLittleEndian = 8;
constexpr uint32_t kInstanceOrder = kInstanceOrderChosen | kInstanceLittleEndian;

// Results of binding and saving: 0 (or a byte count) for success, else one of these.
constexpr int64_t kResultCannotOpen = -1;
constexpr int64_t kResultBadStructure = -2;
constexpr int64_t kResultWriteFailed = -3;
constexpr int64_t kResultNoFieldType = -4;
constexpr int64_t kResultNoValue = -5;
constexpr int64_t kResultNoMemory = -9;
constexpr int64_t kResultInstanceLimit = -10;
constexpr int64_t kResultPastEnd = -11;        // a field runs past the end of its data
constexpr int64_t kResultSourceChanged = -12;  // the file that rest rows copy from is not as it was
constexpr int64_t kResultChangedOnDisk = -13;  // a save in place over a file another program wrote since
constexpr int64_t kResultUnreadable = -14;     // a field's bytes hold no value of its type

// A hostile count cannot make a document hold more instances than this; items that fold take
// one instance for any number of them.
constexpr int64_t kMaxDocumentInstances = 16777216;

// Lists with more items than this fold all but their first item (folds.h).
constexpr int64_t kFoldItemsAbove = 65536;

// Why the last binding stopped before the end of the template; bindStopReason words it.
enum class BindStop : int32_t {
    None,
    InstanceLimit,
    OutOfMemory,
    MissingCount,
    MissingSize,
    ListWithoutEnd,
    MisplacedEnd,
    NoFieldType,
    NoValue,
    UnreadableField,
    FieldPastFileEnd,
    FieldPastSectionEnd,
    NegativeSize,
    SectionPastEnd,
    EmptyItem,
    DivisionByZero,
    Overflow,
    ShiftRange,
    UnboundName,
    NotANumber,
    NoBitSource,
    BadMultiple,
    BadPattern,
    ChecksumRange,
    ReuseTooDeep,
    NotFound,
    OffsetPastEnd,
    OffsetCycle,
    OffsetWithoutFile,
    ReadOutside,
};

struct TemplateRows;
struct SourceFile;
struct History;

struct Document {
    Template* templ;  // the document's own clone
    FieldInstance* first;
    FieldInstance* last;
    char* path;
    char* displayName;
    bool needsNewName;
    bool saved;

    // The engine's own bookkeeping.
    int64_t instanceCount = 0;
    int64_t instanceLimit = kMaxDocumentInstances;
    BindStop stopReason = BindStop::None;
    int32_t stopRow = -1;     // the template row binding stopped at
    int64_t stopOffset = 0;   // and where in the file that row began
    TemplateRows* rows = nullptr;  // made when first needed
    SourceFile* source = nullptr;  // the file rest rows copy from
    History* history = nullptr;    // of changes, for Undo and Redo
    bool hasBoundedRows = false;   // some size number must follow what it bounds
    bool hasDataLists = false;     // a list runs to the end of its data, so nothing may follow it there
    // Sizes whose section binding stopped inside: their numbers follow the bytes that change in them.
    struct Unclosed* unclosed = nullptr;
    FieldInstance* restOfFile = nullptr;  // the bytes after the last row binding laid out
    char refusal[200] = {};  // why the last change was refused; empty when it was not
    int64_t layouts = 0;     // how often an edit or its undoing put a new binding in place
    bool missingBytes = false;     // bytes of the file could not be kept: saving would lose them
    // Some rows stand at an offset of their own: the rows' places in the file are not their order.
    bool placed = false;
    int64_t foldAbove = kFoldItemsAbove;  // lists with more items fold all but their first
    SlotArena instances{sizeof(FieldInstance)};
    SlotArena numbers{sizeof(int64_t)};
};

// A document on a clone of the template, without instances; path may be null (a new document).
// Null without memory.
Document* createDocument(const char* path, const char* displayName, const Template* libraryTemplate);
// Frees the instances with their values, the strings and the template clone.
void destroyDocument(Document* document);
