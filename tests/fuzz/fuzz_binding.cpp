// Any template over any file: binding never crashes, and saving unchanged gives back the file byte
// for byte. After edits and insertions, the saved file binds again to the rows the document showed.
// The input is a template file's length (two bytes, little-endian), the template file, two bytes that
// choose the changes, then the file's bytes.

#include <cstdint>
#include <fstream>
#include <iterator>
#include <string>
#include <vector>

#include "cli/rows.h"
#include "document/binding.h"
#include "document/changes.h"
#include "document/document.h"
#include "document/saving.h"
#include "scratch_files.h"
#include "shell/debug_log.h"
#include "shell/startup.h"
#include "templates/template.h"
#include "views/document/headless/query_script.h"

namespace {

using scratch::check;

constexpr const char* kAnswers[] = {"7", "", "abcdef", "-1", "0x7fff"};

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

FieldInstance* nth(Document* document, unsigned index) {
    if (document->instanceCount == 0) return nullptr;
    index %= static_cast<unsigned>(document->instanceCount);
    FieldInstance* at = document->first;
    while (at && index-- > 0) at = at->next;
    return at;
}

Document* bound(const Template& templ, const char* path) {
    Document* document = createDocument(path, "fuzz", &templ);
    check(document != nullptr, "no document");
    document->instanceLimit = 4096;  // keeps each run short
    bindFile(document);
    return document;
}

}  // namespace

extern "C" int LLVMFuzzerInitialize(int*, char***) {
    templatePath = scratch::file("fuzz_binding", "tmpl");
    filePath = scratch::file("fuzz_binding", "bin");
    savedPath = scratch::file("fuzz_binding", "saved");
    startEngine();
    return 0;
}

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    static unsigned runs = 0;
    if (++runs % 4096 == 0) shell::truncateDebugLog();  // misplaced closing codes log a line each
    if (size < 4) return 0;
    size_t templateSize = data[0] | static_cast<size_t>(data[1]) << 8;
    if (size < 4 + templateSize) return 0;
    scratch::write(templatePath, data + 2, templateSize);
    Template templ;
    if (templ.load(templatePath) != 0 || templ.resolve() != 0) return 0;
    const uint8_t* edits = data + 2 + templateSize;
    std::vector<unsigned char> file(edits + 2, data + size);
    scratch::write(filePath, file.data(), file.size());

    Document* document = bound(templ, filePath);
    check(saveDocument(document, savedPath) >= 0, "saving failed");
    check(readFile(savedPath) == file, "saving unchanged changed the file");

    for (int i = 0; i < 2; ++i) {
        FieldInstance* at = nth(document, edits[i]);
        if (!at) break;
        queryscript::reset();
        queryscript::answer(kAnswers[edits[i] % (sizeof kAnswers / sizeof kAnswers[0])]);
        if (!insertItem(document, at)) editInstance(document, at);
    }
    queryscript::reset();
    bool complete = document->stopReason == BindStop::None;
    std::string shown = rowsOf(document);
    check(saveDocument(document, savedPath) >= 0, "saving after changes failed");
    destroyDocument(document);
    Document* again = bound(templ, savedPath);
    if (complete) check(rowsOf(again) == shown, "the saved file reads back other rows");
    destroyDocument(again);
    return 0;
}
