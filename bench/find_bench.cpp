// Times Find over a document of N synthetic records (six rows each) when nothing matches, so that
// every row (or byte) is looked at once: text in captions and values, a number, hexadecimal bytes.
//   find_bench N DIRECTORY
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <string>

#include "document/document.h"
#include "document/find.h"
#include "document/folds.h"
#include "shell/startup.h"
#include "stopwatch.h"
#include "synthetic_file.h"
#include "timed_binding.h"

namespace {

struct Search {
    const char* name;
    FindKind kind;
    const char* text;
};

}  // namespace

int main(int argc, char** argv) {
    SyntheticInput synthetic;
    if (int failed = prepareSyntheticInput(argc, argv, "find", "", &synthetic)) return failed;
    uint32_t records = synthetic.records;
    const std::string& input = synthetic.path;
    int64_t fileBytes = synthetic.bytes;
    startEngine();
    int exitCode = 0;
    {
        int64_t before;
        auto [document, bound, bindSeconds] = bindSyntheticTimed(input, &before);
        if (!document || bound != 0) {
            std::fprintf(stderr, "binding gave %lld\n", static_cast<long long>(bound));
            return 1;
        }
        const int64_t rows = documentRows(document);
        std::printf("records=%u rows=%lld file_bytes=%lld bind_s=%.3f\n", records, static_cast<long long>(rows),
                    static_cast<long long>(fileBytes),
                    bindSeconds);
        const Search searches[] = {{"text", FindKind::Text, "no such text"},
                                   {"number", FindKind::Number, "-123456789"},
                                   {"bytes", FindKind::Bytes, "de ad be ef 01"}};
        for (const Search& search : searches) {
            FindQuery query;
            const char* reason = nullptr;
            makeFindQuery(search.kind, search.text, &query, &reason);
            auto start = std::chrono::steady_clock::now();
            bool found = search.kind == FindKind::Bytes
                             ? findBytes(document, query, fileBytes, 0, true).offset >= 0
                             : findRow(document, query, document->first, true).instance != nullptr;
            double seconds = secondsSince(start);
            if (found) exitCode = 1;
            std::printf("find_%s_s=%.3f ns_per_row=%.0f\n", search.name, seconds,
                        seconds * 1e9 / static_cast<double>(rows));
        }
        destroyDocument(document);
    }
    stopEngine();
    return exitCode;
}
