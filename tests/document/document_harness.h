#pragma once
// Documents made from a compact template text ("LCNT LSTC DWRD:Id LSTE": codes, each with an
// optional caption) over bytes written to a file, and a compact text of the rows a document shows.
#include <algorithm>
#include <set>
#include <sstream>

#include "document/binding.h"
#include "document/document_bytes.h"
#include "document/instances.h"
#include "document/rest.h"
#include "document/row_kind.h"
#include "document/saving.h"
#include "fieldtypes/field_harness.h"  // the engine fixture, and what drawing a value needs
#include "support/bytes.h"
#include "support/temp_dir.h"

using testsupport::Bytes;
using testsupport::bytesOf;

inline void fillTemplate(Template& templ, const std::string& rows) {
    std::istringstream words(rows);
    std::string word;
    while (words >> word) {
        std::string code = word.substr(0, word.find(':'));
        std::string caption = word.find(':') == std::string::npos ? code : word.substr(word.find(':') + 1);
        code.resize(4, '\0');
        templ.appendField(code.c_str(), caption.c_str());
    }
}

// What a row shows as its value: the field type's text, a count's or size's number, a list
// header's item index after "#", a case row's caption, the length of a rest row.
inline std::string shownValue(FieldInstance* instance) {
    if (isRestInstance(instance)) return std::to_string(static_cast<RestValue*>(instance->value)->length);
    if (rowKindOf(instance->field->code).role == RowRole::Case) return instance->field->caption;
    if (instance->field->fieldType) return drawnValue(instance);
    if (!instance->value) return "";
    const bool header = rowKindOf(instance->field->code).list != 0;
    return (header ? "#" : "") + std::to_string(*static_cast<int64_t*>(instance->value));
}

// Rows separated by ";", each its depth in dots, its code and, when it has one, its value.
inline std::string describe(const Document* document) {
    std::string text;
    for (FieldInstance* instance = document->first; instance; instance = instance->next) {
        if (!text.empty()) text += ";";
        text += std::string(instance->depth, '.') + std::string(instance->field->code, 4);
        std::string value = shownValue(instance);
        if (!value.empty()) text += " " + value;
    }
    return text;
}

// The instance at an index, counted from the first; null past the last.
inline FieldInstance* nth(Document* document, int index) {
    FieldInstance* instance = document->first;
    while (instance && index-- > 0) instance = instance->next;
    return instance;
}

// Every instance links back to the one before it and to its parent list header before it.
inline bool linksAreSound(const Document* document) {
    const FieldInstance* previous = nullptr;
    std::set<const FieldInstance*> before;
    for (FieldInstance* instance = document->first; instance; instance = instance->next) {
        if (instance->previous != previous) return false;
        if (instance->parent && !before.count(instance->parent)) return false;
        previous = instance;
        before.insert(instance);
    }
    return previous == document->last;
}

struct DocumentTest : EngineFixture {
    testsupport::TempDir dir;
    std::vector<Document*> documents;
    int64_t result = 0;
    int64_t limit = kMaxDocumentInstances;  // the instance limit of the documents opened next

    void TearDown() override {
        for (Document* document : documents) destroyDocument(document);
        EngineFixture::TearDown();
    }

    Document* create(const std::string& rows, const char* path) {
        Template templ;
        fillTemplate(templ, rows);
        templ.link();
        Document* document = createDocument(path, "Untitled", &templ);
        document->instanceLimit = limit;
        documents.push_back(document);
        return document;
    }

    // Binds the bytes, written to a file, to the template.
    Document* open(const std::string& rows, const Bytes& bytes, const std::string& name = "in.bin") {
        dir.write(name, bytes);
        return reopen(rows, name);
    }
    Document* reopen(const std::string& rows, const std::string& name) {
        Document* document = create(rows, dir.path(name).c_str());
        result = bindFile(document);
        return document;
    }

    // The window [from, from + count) as the byte pane asks for it: from the row holding from.
    Bytes window(Document* document, int64_t from, int32_t count, Bytes* marks = nullptr) {
        FieldInstance* row = document->first;
        int64_t offset = 0;
        while (row->next && offset + instanceSize(row) <= from) {
            offset += instanceSize(row);
            row = row->next;
        }
        Bytes bytes(count, 0xEE), marked(count, 0xEE);
        ByteWindow wanted{from, count, bytes.data(), marked.data()};
        int32_t filled = document->placed ? readPlacedBytes(document, wanted) : readDocumentBytes(row, offset, wanted);
        if (marks) *marks = Bytes(marked.begin(), marked.begin() + filled);
        return Bytes(bytes.begin(), bytes.begin() + filled);
    }
    // Where the first window of five bytes, or the one reaching past the end, differs from the bytes
    // saving writes; -1 when none does.
    int64_t windowMismatch(Document* document, const Bytes& saved) {
        for (size_t from = 0; from <= saved.size(); ++from) {
            const size_t end = std::min(saved.size(), from + 5);
            if (window(document, from, 5) != Bytes(saved.begin() + from, saved.begin() + end)) return from;
        }
        return window(document, 0, static_cast<int32_t>(saved.size()) + 3) == saved ? -1 : 0;
    }

    // A table's case: the rows bind the bytes whole, show as `shown`, save them back unchanged, and
    // the byte pane shows what saving writes.
    void expectBinds(const char* rows, const char* bytes, const char* shown) {
        Document* document = open(rows, bytesOf(bytes));
        EXPECT_EQ(result, 0) << rows << " over " << bytes;
        EXPECT_EQ(describe(document), shown) << rows << " over " << bytes;
        EXPECT_EQ(saved(document), bytesOf(bytes)) << rows;
        EXPECT_EQ(windowMismatch(document, bytesOf(bytes)), -1) << rows;
    }
    // A table's case that stops binding for the reason: the rows bound so far show, and no byte is lost.
    void expectStops(const char* rows, const char* bytes, BindStop reason, const char* shown) {
        Document* document = open(rows, bytesOf(bytes));
        EXPECT_EQ(document->stopReason, reason) << rows;
        EXPECT_EQ(describe(document), shown) << rows;
        EXPECT_EQ(saved(document), bytesOf(bytes)) << rows;
        EXPECT_TRUE(linksAreSound(document)) << rows;
    }

    // The bytes saving the document writes now.
    Bytes saved(Document* document, const std::string& name = "saved.bin") {
        if (saveDocument(document, dir.path(name).c_str()) < 0) return {};
        return dir.read(name);
    }
};
