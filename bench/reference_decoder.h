#pragma once
// The yardstick: plain C++ that reads the whole file into memory and decodes it into a vector of
// structs, as a hand-written reader for this one format would.
#include <cstdint>
#include <string>
#include <vector>

struct SyntheticRecord {
    int16_t id;
    uint8_t flags;
    int32_t value;
    std::string name;
    uint64_t stamp;
};

// The records decoded, or an empty vector when the file cannot be read.
std::vector<SyntheticRecord> decodeSyntheticFile(const std::string& path);
