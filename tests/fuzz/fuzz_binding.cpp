// Any template over any file: binding never crashes, and saving unchanged gives back the file byte
// for byte. After any edits, insertions, deletions, undos, redos and saves, in place or elsewhere,
// each saved file binds again to exactly the rows the document showed, bindings that stopped early
// included. The input is a template file's length (two bytes, little-endian), the template file, the
// number of changes, two bytes for each change, then the file's bytes. A length with its top bit set
// gives instead a recipe of that many bytes for a template of rows whose captions parse (expressions,
// conditions, checks, byte orders, structures of the library's "part", rows at offsets).

#include <cstdint>
#include <fstream>
#include <iterator>
#include <string>
#include <vector>

#include "document/rows.h"
#include "document/binding.h"
#include "document/changes.h"
#include "document/document.h"
#include "document/folds.h"
#include "document/history.h"
#include "document/saving.h"
#include "scratch_files.h"
#include "shell/debug_log.h"
#include "shell/startup.h"
#include "shell/strings.h"
#include "template_recipe.h"
#include "templates/template.h"
#include "templates/template_library.h"
#include "views/document/headless/query_script.h"

namespace {

using scratch::check;

constexpr const char* kAnswers[] = {"7", "", "abcdef", "-1", "0x7fff", "0", "300"};
constexpr size_t kAnswerCount = sizeof kAnswers / sizeof kAnswers[0];

const char* templatePath;
const char* filePath;
const char* savedPath;

std::vector<unsigned char> readFile(const char* path) {
    std::ifstream in(path, std::ios::binary);
    return {std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()};
}

std::string rowsOf(Document* document) {
    std::string text;
    visitRows(document, [&](const Row& row) {
        text += row.code + " " + std::to_string(row.depth) + " " + std::to_string(row.size) + " " +
                row.value + ";";
    });
    return text;
}

// An instance; a row of a fold's is bound in place first, as showing it does.
FieldInstance* nth(Document* document, unsigned index) {
    if (document->instanceCount == 0) return nullptr;
    FieldInstance* at = document->first;
    for (unsigned left = index % static_cast<unsigned>(document->instanceCount); at && left > 0; --left) at = at->next;
    return at && isFoldInstance(at) ? unfoldRow(at, index % foldRows(at)) : at;
}

int64_t foldAbove = kFoldItemsAbove;

Document* bound(const Template& templ, const char* path) {
    Document* document = createDocument(path, "fuzz", &templ);
    check(document != nullptr, "no document");
    document->instanceLimit = 4096;  // keeps each run short
    document->foldAbove = foldAbove;
    bindFile(document);
    return document;
}

// Saves where asked and binds the saved file again: the rows must be the ones shown.
void saveAndCompare(Document* document, const Template& templ, const char* path) {
    std::string shown = rowsOf(document);
    check(saveDocument(document, path) >= 0, "saving failed");
    Document* again = bound(templ, path);
    check(rowsOf(again) == shown, "the saved file reads back other rows");
    destroyDocument(again);
}

void change(Document* document, const Template& templ, uint8_t kind, uint8_t target) {
    FieldInstance* at = nth(document, target);
    switch (kind % 8) {
        case 0:
        case 1:
            if (!at) return;
            queryscript::reset();
            queryscript::answer(kAnswers[kind / 8 % kAnswerCount]);
            editInstance(document, at);
            queryscript::reset();
            return;
        case 2:
            if (at) insertItem(document, at);
            return;
        case 3:
            if (at) deleteItem(document, at);
            return;
        case 4:
            undoChange(document);
            return;
        case 5:
            redoChange(document);
            return;
        case 6:
            saveAndCompare(document, templ, document->path);
            return;
        default:
            saveAndCompare(document, templ, savedPath);
            return;
    }
}

}  // namespace

extern "C" int LLVMFuzzerInitialize(int*, char***) {
    templatePath = scratch::file("fuzz_binding", "tmpl");
    filePath = scratch::file("fuzz_binding", "bin");
    savedPath = scratch::file("fuzz_binding", "saved");
    startEngine();
    // A structure that uses itself while its first bit says so.
    Template* part = new Template;
    part->name = DupString("part.tmpl");
    part->appendField("UBYT", "More");
    part->appendField("WHEN", "Again = More & 1");
    part->appendField("INCL", "Next = \"part\"");
    part->appendField("SKPE", "");
    templateLibrary.add(part);
    return 0;
}

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    static unsigned runs = 0;
    if (++runs % 4096 == 0) shell::truncateDebugLog();  // misplaced closing codes log a line each
    if (size < 3) return 0;
    size_t templateSize = (data[0] | static_cast<size_t>(data[1]) << 8) & 0x7FFF;
    bool fromRecipe = data[1] & 0x80;
    if (size < 3 + templateSize) return 0;
    size_t changes = data[2 + templateSize] % 16;
    // Lists of more than one to four items fold, in three runs of four.
    foldAbove = data[2 + templateSize] & 0x30 ? 1 + (data[2 + templateSize] >> 6) : kFoldItemsAbove;
    const uint8_t* steps = data + 3 + templateSize;
    if (size < 3 + templateSize + 2 * changes) return 0;
    Template templ;
    if (fromRecipe) {
        recipe::build(templ, data + 2, templateSize);
    } else {
        scratch::write(templatePath, data + 2, templateSize);
        if (templ.load(templatePath) != 0) return 0;
    }
    if (templ.resolve() != 0) return 0;
    std::vector<unsigned char> file(steps + 2 * changes, data + size);
    scratch::write(filePath, file.data(), file.size());

    Document* document = bound(templ, filePath);
    check(saveDocument(document, savedPath) >= 0, "saving failed");
    check(readFile(savedPath) == file, "saving unchanged changed the file");
    for (size_t i = 0; i < changes; ++i) change(document, templ, steps[2 * i], steps[2 * i + 1]);
    saveAndCompare(document, templ, savedPath);
    destroyDocument(document);
    return 0;
}
