// Times binding and saving a file of N chunks laid out as PNG lays out its chunks (a length, a type
// that chooses the chunk's rows, the data, a CRC): keyed cases bounded by the length, the bytes of
// unknown chunks kept as rest rows. Prints instances per second and peak bytes per instance.
//   chunk_bench N DIRECTORY
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <string>
#include <vector>

#include "document/binding.h"
#include "document/document.h"
#include "document/saving.h"
#include "process_memory.h"
#include "shell/startup.h"
#include "stopwatch.h"
#include "templates/template.h"
#include "timed_binding.h"

namespace {

const char* const kChunkTemplate[][2] = {
    {"LSTZ", "Chunk"},          {"LLEN", "Length"}, {"KEYB", "Type"},   {"KNAM", "Type"},
    {"CASE", "'HEAD': Header"}, {"ULNG", "Width"},  {"ULNG", "Height"}, {"CASE", "*: Other"},
    {"KEYE", "Type"},           {"HLNG", "CRC"},    {"LSTE", "Chunk"},
};

void put32(std::vector<unsigned char>& out, uint32_t n) {
    for (int shift = 24; shift >= 0; shift -= 8) out.push_back(static_cast<unsigned char>(n >> shift));
}

// Header chunks of 8 bytes alternate with other chunks of 16.
int64_t writeChunkFile(const std::string& path, uint32_t chunks) {
    std::vector<unsigned char> bytes;
    for (uint32_t i = 0; i < chunks; ++i) {
        bool header = i % 2 == 0;
        put32(bytes, header ? 8 : 16);
        for (char c : std::string(header ? "HEAD" : "DATA")) bytes.push_back(static_cast<unsigned char>(c));
        for (int k = 0; k < (header ? 8 : 16); ++k) bytes.push_back(static_cast<unsigned char>(i + k));
        put32(bytes, i * 2654435761u);
    }
    std::FILE* file = std::fopen(path.c_str(), "wb");
    if (!file) return -1;
    size_t written = std::fwrite(bytes.data(), 1, bytes.size(), file);
    std::fclose(file);
    return written == bytes.size() ? static_cast<int64_t>(written) : -1;
}

}  // namespace

int main(int argc, char** argv) {
    if (argc < 3) {
        std::fprintf(stderr, "usage: %s CHUNKS DIRECTORY\n", argv[0]);
        return 2;
    }
    uint32_t chunks = static_cast<uint32_t>(std::strtoul(argv[1], nullptr, 10));
    std::string input = std::string(argv[2]) + "/chunks-" + argv[1] + ".bin";
    std::string output = std::string(argv[2]) + "/chunks-saved-" + argv[1] + ".bin";
    int64_t fileBytes = writeChunkFile(input, chunks);
    if (fileBytes < 0) return 1;

    startEngine();
    int exitCode = 0;
    {
        Template templ;
        for (const auto& row : kChunkTemplate) templ.appendField(row[0], row[1]);
        templ.link();
        resetPeakMemory();
        int64_t before = residentBytes();
        auto [document, bound, bindSeconds] = bindTimed(input, templ);
        int64_t peak = peakResidentBytes() - before;
        int64_t instances = document ? document->instanceCount : 0;
        auto start = std::chrono::steady_clock::now();
        int64_t saved = document ? saveDocument(document, output.c_str()) : kResultNoMemory;
        double saveSeconds = secondsSince(start);
        if (bound != 0 || saved != fileBytes) exitCode = 1;
        std::printf("chunks=%u instances=%lld file_bytes=%lld bind_s=%.4f save_s=%.4f\n", chunks,
                    static_cast<long long>(instances), static_cast<long long>(fileBytes), bindSeconds,
                    saveSeconds);
        std::printf("chunk_instances_per_s=%.0f chunk_peak_bytes_per_instance=%.1f\n",
                    instances / bindSeconds, static_cast<double>(peak) / static_cast<double>(instances));
        destroyDocument(document);
    }
    stopEngine();
    return exitCode;
}
