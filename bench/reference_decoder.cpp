#include "reference_decoder.h"

#include <cstdio>

std::vector<SyntheticRecord> decodeSyntheticFile(const std::string& path) {
    std::vector<SyntheticRecord> records;
    std::FILE* file = std::fopen(path.c_str(), "rb");
    if (!file) return records;
    std::fseek(file, 0, SEEK_END);
    long size = std::ftell(file);
    std::fseek(file, 0, SEEK_SET);
    std::vector<unsigned char> bytes(size > 0 ? static_cast<size_t>(size) : 0);
    size_t got = std::fread(bytes.data(), 1, bytes.size(), file);
    std::fclose(file);
    if (got < 8) return records;
    const unsigned char* at = bytes.data() + 8;
    const unsigned char* end = bytes.data() + got;
    uint32_t count = uint32_t{bytes[4]} << 24 | uint32_t{bytes[5]} << 16 | uint32_t{bytes[6]} << 8 | bytes[7];
    records.reserve(count);
    for (uint32_t i = 0; i < count && end - at >= 16; ++i) {
        SyntheticRecord r;
        r.id = static_cast<int16_t>(at[0] << 8 | at[1]);
        r.flags = at[2];
        r.value = static_cast<int32_t>(uint32_t{at[3]} << 24 | uint32_t{at[4]} << 16 | uint32_t{at[5]} << 8 |
                                       at[6]);
        unsigned length = at[7];
        at += 8;
        if (end - at < static_cast<long>(length) + 8) break;
        r.name.assign(reinterpret_cast<const char*>(at), length);
        at += length;
        r.stamp = 0;
        for (int b = 7; b >= 0; --b) r.stamp = r.stamp << 8 | at[b];
        at += 8;
        records.push_back(std::move(r));
    }
    return records;
}
