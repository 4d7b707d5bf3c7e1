#include "synthetic_file.h"

#include <cstdio>
#include <cstdlib>
#include <random>
#include <sstream>

#include "templates/template.h"

const char* const kSyntheticTemplate = "HLNG LCNT LSTC DWRD HBYT DLNG PSTR uqwd LSTE";

void fillSyntheticTemplate(Template& templ) {
    std::istringstream codes(kSyntheticTemplate);
    std::string code;
    while (codes >> code) templ.appendField(code.c_str(), code.c_str());
    templ.link();
}

int64_t writeSyntheticFile(const std::string& path, uint32_t records) {
    std::FILE* file = std::fopen(path.c_str(), "wb");
    if (!file) return -1;
    std::mt19937 random(20240601);
    int64_t total = 0;
    auto put = [&](const unsigned char* bytes, size_t count) {
        std::fwrite(bytes, 1, count, file);
        total += static_cast<int64_t>(count);
    };
    const unsigned char head[8] = {'S',
                                   'D',
                                   'X',
                                   '1',
                                   static_cast<unsigned char>(records >> 24),
                                   static_cast<unsigned char>(records >> 16),
                                   static_cast<unsigned char>(records >> 8),
                                   static_cast<unsigned char>(records)};
    put(head, sizeof head);
    for (uint32_t i = 0; i < records; ++i) {
        uint32_t value = random();
        uint64_t stamp = 1700000000000ull + i;
        unsigned char record[2 + 1 + 4 + 1 + 16 + 8];
        size_t at = 0;
        record[at++] = static_cast<unsigned char>(i >> 8);
        record[at++] = static_cast<unsigned char>(i);
        record[at++] = static_cast<unsigned char>(random());
        for (int shift = 24; shift >= 0; shift -= 8)
            record[at++] = static_cast<unsigned char>(value >> shift);
        unsigned length = random() % 17;
        record[at++] = static_cast<unsigned char>(length);
        for (unsigned c = 0; c < length; ++c) record[at++] = static_cast<unsigned char>('a' + random() % 26);
        for (int shift = 0; shift < 64; shift += 8) record[at++] = static_cast<unsigned char>(stamp >> shift);
        put(record, at);
    }
    bool ok = std::fclose(file) == 0;
    return ok ? total : -1;
}

int prepareSyntheticInput(int argc, char** argv, const char* stem, const char* extraUsage, SyntheticInput* input) {
    if (argc < 3) {
        std::fprintf(stderr, "usage: %s RECORDS DIRECTORY%s\n", argv[0], extraUsage);
        return 2;
    }
    input->records = static_cast<uint32_t>(std::strtoul(argv[1], nullptr, 10));
    input->path = std::string(argv[2]) + "/" + stem + "-" + std::to_string(input->records) + ".bin";
    input->bytes = writeSyntheticFile(input->path, input->records);
    if (input->bytes >= 0) return 0;
    std::fprintf(stderr, "cannot write %s\n", input->path.c_str());
    return 1;
}
