// Times a file whose directory of N entries points at N records stored after it in reverse order:
// binding every region at its offset, saving by place, and an edit that lengthens the first record's
// name, which moves every region after it and sets each offset that points there.
//   offset_bench N DIRECTORY
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <string>
#include <vector>

#include "document/changes.h"
#include "document/document.h"
#include "document/saving.h"
#include "shell/startup.h"
#include "stopwatch.h"
#include "templates/template.h"
#include "timed_binding.h"
#include "views/document/headless/query_script.h"

namespace {

const char* const kDirectoryTemplate[][2] = {
    {"ulng", "Entries"},     {"LSTN", "Entry = Entries"}, {"ulng", "Offset"}, {"ATOF", "Record = Offset"},
    {"ubyt", "Name length"}, {"TEXT", "Name = Name_length"}, {"ulng", "Value"}, {"SKPE", ""},
    {"LSTE", ""},
};

void put32(std::vector<unsigned char>& out, uint32_t n) {
    for (int shift = 0; shift < 32; shift += 8) out.push_back(static_cast<unsigned char>(n >> shift));
}

// The directory, then the records from the last entry's to the first's, so no two follow in order.
int64_t writeDirectoryFile(const std::string& path, uint32_t entries) {
    std::vector<unsigned char> bytes;
    put32(bytes, entries);
    const uint32_t record = 1 + 4 + 4;
    uint32_t first = 4 + 4 * entries;
    for (uint32_t i = 0; i < entries; ++i) put32(bytes, first + (entries - 1 - i) * record);
    for (uint32_t i = entries; i-- > 0;) {
        bytes.push_back(4);
        for (char c : std::string("name")) bytes.push_back(static_cast<unsigned char>(c));
        put32(bytes, i);
    }
    FILE* file = std::fopen(path.c_str(), "wb");
    if (!file) return -1;
    bool written = std::fwrite(bytes.data(), 1, bytes.size(), file) == bytes.size();
    return std::fclose(file) == 0 && written ? static_cast<int64_t>(bytes.size()) : -1;
}

// The first entry's name row: its offset, its region, its name length, then the name.
FieldInstance* firstName(Document* document) {
    FieldInstance* at = document->first;
    for (int i = 0; at && i < 5; ++i) at = at->next;
    return at;
}

}  // namespace

int main(int argc, char** argv) {
    if (argc < 3) {
        std::fprintf(stderr, "usage: %s ENTRIES DIRECTORY\n", argv[0]);
        return 2;
    }
    uint32_t entries = static_cast<uint32_t>(std::strtoul(argv[1], nullptr, 10));
    std::string input = std::string(argv[2]) + "/directory-" + std::to_string(entries) + ".bin";
    std::string output = std::string(argv[2]) + "/directory-saved-" + std::to_string(entries) + ".bin";
    int64_t fileBytes = writeDirectoryFile(input, entries);
    if (fileBytes < 0) return 1;
    startEngine();
    int exitCode = 0;
    {
        Template templ;
        for (const auto& row : kDirectoryTemplate) templ.appendField(row[0], row[1]);
        templ.resolve();
        auto [document, bound, bindSeconds] = bindTimed(input, templ);
        auto start = std::chrono::steady_clock::now();
        int64_t saved = document ? saveDocument(document, output.c_str()) : -1;
        double saveSeconds = secondsSince(start);
        if (bound != 0 || saved != fileBytes) exitCode = 1;
        queryscript::answer("longer name");
        start = std::chrono::steady_clock::now();
        bool edited = document && editInstance(document, firstName(document));
        double editSeconds = secondsSince(start);
        if (!edited || saveDocument(document, output.c_str()) != fileBytes + 7) exitCode = 1;
        std::printf("offset_entries=%u offset_instances=%lld offset_bind_s=%.4f offset_save_s=%.4f "
                    "offset_edit_moving_all_s=%.4f\n",
                    entries, static_cast<long long>(document ? document->instanceCount : 0), bindSeconds,
                    saveSeconds, editSeconds);
        destroyDocument(document);
    }
    stopEngine();
    return exitCode;
}
