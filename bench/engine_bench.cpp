// Times binding, saving and destroying a document over a synthetic file of N records against a
// plain C++ decoder of the same file, and measures the peak memory per row shown. Binding folds the
// records, so it also times reading every row as dump does, each record bound on its way.
//   engine_bench N DIRECTORY [--bind-only]
// --bind-only binds and stops, for counting instructions under callgrind.
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <string>

#include "document/binding.h"
#include "document/document.h"
#include "document/folds.h"
#include "document/rows.h"
#include "document/saving.h"
#include "process_memory.h"
#include "reference_decoder.h"
#include "shell/startup.h"
#include "stopwatch.h"
#include "synthetic_file.h"
#include "timed_binding.h"

int main(int argc, char** argv) {
    SyntheticInput synthetic;
    if (int failed = prepareSyntheticInput(argc, argv, "synthetic", " [--bind-only]", &synthetic)) return failed;
    uint32_t records = synthetic.records;
    const std::string& input = synthetic.path;
    int64_t fileBytes = synthetic.bytes;
    bool bindOnly = argc > 3 && std::strcmp(argv[3], "--bind-only") == 0;
    std::string output = std::string(argv[2]) + "/saved-" + std::to_string(records) + ".bin";

    startEngine();
    int exitCode = 0;
    {
        int64_t before;
        auto [document, bound, bindSeconds] = bindSyntheticTimed(input, &before);
        int64_t instances = document ? document->instanceCount : 0;
        int64_t rows = document ? documentRows(document) : 0;
        if (bound != 0 || rows != 6 * int64_t{records} + 3) {
            std::fprintf(stderr, "binding gave %lld with %lld rows\n", static_cast<long long>(bound),
                         static_cast<long long>(rows));
            exitCode = 1;
        }
        if (!bindOnly && document) {
            auto start = std::chrono::steady_clock::now();
            int64_t saved = saveDocument(document, output.c_str());
            double saveSeconds = secondsSince(start);
            if (saved != fileBytes) exitCode = 1;

            start = std::chrono::steady_clock::now();
            int64_t visited = 0;
            visitRows(document, [&](const Row&) { ++visited; });
            double visitSeconds = secondsSince(start);
            if (visited != rows) exitCode = 1;
            int64_t peak = peakResidentBytes() - before;

            start = std::chrono::steady_clock::now();
            destroyDocument(document);
            document = nullptr;
            double destroySeconds = secondsSince(start);

            start = std::chrono::steady_clock::now();
            size_t decoded = decodeSyntheticFile(input).size();
            double referenceSeconds = secondsSince(start);
            if (decoded != records) exitCode = 1;

            std::printf("records=%u rows=%lld instances=%lld file_bytes=%lld\n", records,
                        static_cast<long long>(rows), static_cast<long long>(instances),
                        static_cast<long long>(fileBytes));
            std::printf("bind_s=%.4f save_s=%.4f destroy_s=%.4f reference_s=%.4f visit_rows_s=%.4f\n", bindSeconds,
                        saveSeconds, destroySeconds, referenceSeconds, visitSeconds);
            std::printf("bind_over_reference=%.2f save_over_reference=%.2f visit_rows_over_reference=%.2f\n",
                        bindSeconds / referenceSeconds, saveSeconds / referenceSeconds,
                        visitSeconds / referenceSeconds);
            std::printf("peak_bytes_per_row=%.1f\n", static_cast<double>(peak) / static_cast<double>(rows));
        }
        destroyDocument(document);
    }
    stopEngine();
    return exitCode;
}
