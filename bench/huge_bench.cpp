// A synthetic file of N records (10^8 make 2.4 GB) as a user meets it: binding until the first
// screen of rows can be read, the last rows, the row holding a byte near the end, an edit of a name
// there, and saving, which must stream: the saved file is the file but for the edit. Memory is the
// peak over all of it, which must not grow with N.
//   huge_bench N DIRECTORY
#include <chrono>
#include <cstdio>
#include <cstring>
#include <string>
#include <vector>

#include "document/binding.h"
#include "document/changes.h"
#include "document/document.h"
#include "document/folds.h"
#include "document/instances.h"
#include "document/places.h"
#include "document/rows.h"
#include "document/saving.h"
#include "platform/file_handle.h"
#include "process_memory.h"
#include "shell/streams.h"
#include "shell/startup.h"
#include "stopwatch.h"
#include "synthetic_file.h"
#include "templates/template.h"
#include "timed_binding.h"
#include "views/document/headless/query_script.h"

namespace {

using Clock = std::chrono::steady_clock;

// Rows from `from` on, as a screen shows them.
int64_t readScreen(Document* document, int64_t from) {
    int64_t rows = 0;
    visitRowsFrom(document, from, [&](const Row&) { return ++rows < 60; });
    return rows;
}

// Whether `length` bytes of file a from offset a equal those of file b from offset b, read in blocks.
bool sameBytes(const std::string& a, int64_t atA, const std::string& b, int64_t atB, int64_t length) {
    TIOFile first(a.c_str(), platform::kGenericRead, platform::kOpenExisting);
    TIOFile second(b.c_str(), platform::kGenericRead, platform::kOpenExisting);
    bool same = first.IsOpen() && second.IsOpen() && first.Seek(atA, 0) == atA && second.Seek(atB, 0) == atB;
    constexpr int64_t kBlock = 1 << 20;
    std::vector<unsigned char> blocks[2] = {std::vector<unsigned char>(kBlock), std::vector<unsigned char>(kBlock)};
    while (same && length > 0) {
        int64_t want = length < kBlock ? length : kBlock;
        same = first.Read(blocks[0].data(), want) == want && second.Read(blocks[1].data(), want) == want &&
               std::memcmp(blocks[0].data(), blocks[1].data(), static_cast<size_t>(want)) == 0;
        length -= want;
    }
    return same;
}

}  // namespace

int main(int argc, char** argv) {
    SyntheticInput synthetic;
    if (int failed = prepareSyntheticInput(argc, argv, "huge", "", &synthetic)) return failed;
    std::string saved = std::string(argv[2]) + "/huge-saved.bin";
    startEngine();
    int exitCode = 0;
    {
        int64_t before;
        auto start = Clock::now();
        auto [document, bound, bindSeconds] = bindSyntheticTimed(synthetic.path, &before);
        int64_t firstScreen = document ? readScreen(document, 0) : 0;
        double firstScreenSeconds = secondsSince(start);
        int64_t rows = document ? documentRows(document) : 0;
        if (bound != 0 || rows != 6 * int64_t{synthetic.records} + 3 || firstScreen != 60) exitCode = 1;

        start = Clock::now();
        int64_t lastScreen = document ? readScreen(document, rows - 60) : 0;
        double lastScreenSeconds = secondsSince(start);

        // The name of the record before the last: showing it binds its record in place.
        start = Clock::now();
        FieldInstance* name = document ? showRow(document, rows - 9) : nullptr;
        double showSeconds = secondsSince(start);
        bool edited = false;
        int64_t nameAt = name ? placeOf(document, name) : 0;
        int64_t nameBytes = name ? instanceSize(name) : 0;
        const char* newName = "edited in a huge file";
        if (name && std::strncmp(name->field->code, "PSTR", 4) == 0) {
            queryscript::answer(newName);
            edited = editInstance(document, name);
        }
        start = Clock::now();
        int64_t savedBytes = edited ? saveDocument(document, saved.c_str()) : -1;
        double saveSeconds = secondsSince(start);
        int64_t peak = peakResidentBytes() - before;
        // The file but for the name: the bytes before it, and after it, a few bytes further on.
        int64_t newBytes = 1 + static_cast<int64_t>(std::strlen(newName));
        bool sameOutside = savedBytes == synthetic.bytes - nameBytes + newBytes &&
                           sameBytes(synthetic.path, 0, saved, 0, nameAt) &&
                           sameBytes(synthetic.path, nameAt + nameBytes, saved, nameAt + newBytes,
                                     synthetic.bytes - nameAt - nameBytes);
        if (lastScreen != 60 || !edited || !sameOutside) exitCode = 1;

        std::printf("records=%u rows=%lld file_bytes=%lld\n", synthetic.records, static_cast<long long>(rows),
                    static_cast<long long>(synthetic.bytes));
        std::printf("bind_s=%.3f first_screen_s=%.3f last_screen_s=%.4f show_row_near_end_s=%.4f save_s=%.3f\n",
                    bindSeconds, firstScreenSeconds, lastScreenSeconds, showSeconds, saveSeconds);
        std::printf("saved_same_outside_edit=%s saved_bytes=%lld peak_bytes=%lld peak_bytes_per_row=%.4f\n",
                    sameOutside ? "yes" : "no", static_cast<long long>(savedBytes),
                    static_cast<long long>(peak), static_cast<double>(peak) / static_cast<double>(rows));
        destroyDocument(document);
    }
    stopEngine();
    std::remove(saved.c_str());
    std::remove(synthetic.path.c_str());
    return exitCode;
}
