#pragma once
// The command line of sondrix-cli, parsed into one record.
#include <cstdint>
#include <string>
#include <vector>

struct Edit {
    enum Kind { Set, Insert, Delete } kind;
    int64_t row;  // as dump numbers rows, from 1
    std::string text;  // what --set stores, or the case --insert names
};

struct Options {
    std::string command;
    std::string templateName;  // -t: a library template by name
    std::string templateFile;  // -T: a template file
    std::string templatesDir = "TMPL";
    std::string output;  // -o
    bool json = false;
    int64_t firstRow = 1;  // --rows FROM:TO, as dump numbers rows; 0 for TO: to the last
    int64_t lastRow = 0;
    std::vector<Edit> edits;
    std::vector<std::string> operands;
};

// False with a message when the command line is malformed.
bool parseOptions(int argc, char** argv, Options* options, std::string* error);

extern const char* const kUsage;
