#pragma once
// The benchmark's file: a 4-byte magic, a big-endian 32-bit count N, then N records of a DWRD id,
// an HBYT flags byte, a DLNG value, a PSTR name of 0 to 16 bytes and a uqwd stamp.
#include <cstdint>
#include <string>

// The template rows that describe the file, in the test's compact form.
extern const char* const kSyntheticTemplate;

class Template;
// Appends those rows to an empty template, each captioned with its code, and links it.
void fillSyntheticTemplate(Template& templ);

// Writes the file; the bytes written, or -1.
int64_t writeSyntheticFile(const std::string& path, uint32_t records);

// The file a benchmark run on "RECORDS DIRECTORY ..." works on: written there as stem-RECORDS.bin.
struct SyntheticInput {
    uint32_t records;
    std::string path;
    int64_t bytes;
};
// Reads the two arguments and writes the file; 0, or the exit code after saying why (2 for a bad
// command line with usage, 1 for a file that cannot be written). extraUsage follows the two in usage.
int prepareSyntheticInput(int argc, char** argv, const char* stem, const char* extraUsage, SyntheticInput* input);
