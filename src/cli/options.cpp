#include "cli/options.h"

#include <cstdlib>

const char* const kUsage =
    "usage: sondrix-cli dump (-t NAME | -T FILE.tmpl) [--templates DIR] [--json] [--rows FROM:TO] FILE\n"
    "       sondrix-cli edit (-t NAME | -T FILE.tmpl) [--templates DIR] [--set ROW=TEXT]... [--insert "
    "ROW[:CASE]]...\n"
    "                        [--delete ROW]... -o OUT FILE\n"
    "       sondrix-cli templates [--templates DIR]\n"
    "       sondrix-cli detect [--templates DIR] FILE\n"
    "       sondrix-cli compile IN.txt OUT.tmpl\n"
    "       sondrix-cli decompile IN.tmpl\n"
    "\n"
    "Rows are numbered from 1 as dump prints them; edits apply in the order given. An item inserted\n"
    "with :CASE takes that case of its key section (its label or one of its values).\n"
    "Exit codes: 0 done, 1 bad command line, 2 a file cannot be read or written,\n"
    "3 the template cannot be found or read, 4 the template is invalid, 5 binding stopped early,\n"
    "6 a row cannot be edited or a list item not inserted or deleted.\n"
    "detect prints the templates that suit the file, best first, and why: its leading bytes\n"
    "(content), its extension, or both.\n";

namespace {

bool parseRow(const std::string& text, int64_t* row) {
    char* end = nullptr;
    *row = std::strtoll(text.c_str(), &end, 10);
    return !text.empty() && end && *end == 0 && *row >= 1;
}

bool takeValue(int argc, char** argv, int* i, std::string* value, std::string* error) {
    if (*i + 1 >= argc) {
        *error = std::string(argv[*i]) + " needs a value";
        return false;
    }
    *value = argv[++*i];
    return true;
}

bool parseEdit(const std::string& flag, const std::string& value, Options* options, std::string* error) {
    Edit edit{flag == "--set" ? Edit::Set : flag == "--insert" ? Edit::Insert : Edit::Delete, 0, ""};
    std::string row = value;
    if (edit.kind == Edit::Set) {
        size_t equals = value.find('=');
        if (equals == std::string::npos) {
            *error = "--set takes ROW=TEXT";
            return false;
        }
        row = value.substr(0, equals);
        edit.text = value.substr(equals + 1);
    } else if (edit.kind == Edit::Insert && value.find(':') != std::string::npos) {
        row = value.substr(0, value.find(':'));
        edit.text = value.substr(value.find(':') + 1);
    }
    if (!parseRow(row, &edit.row)) {
        *error = flag + " takes a row number from 1, not \"" + row + "\"";
        return false;
    }
    options->edits.push_back(edit);
    return true;
}

// FROM:TO, either left out for the first or the last row; a lone number is that row.
bool parseRowRange(const std::string& value, Options* options, std::string* error) {
    size_t colon = value.find(':');
    std::string from = value.substr(0, colon);
    std::string to = colon == std::string::npos ? from : value.substr(colon + 1);
    bool valid = (from.empty() || parseRow(from, &options->firstRow)) && (to.empty() || parseRow(to, &options->lastRow));
    if (!valid || value.empty() || (options->lastRow != 0 && options->lastRow < options->firstRow)) {
        *error = "--rows takes FROM:TO, rows numbered from 1, as 100:200, 100: or :200";
        return false;
    }
    return true;
}

}  // namespace

bool parseOptions(int argc, char** argv, Options* options, std::string* error) {
    if (argc < 2) {
        *error = "no command given";
        return false;
    }
    options->command = argv[1];
    for (int i = 2; i < argc; ++i) {
        std::string arg = argv[i];
        std::string value;
        if (arg == "--json") {
            options->json = true;
        } else if (arg == "--rows") {
            if (!takeValue(argc, argv, &i, &value, error) || !parseRowRange(value, options, error)) return false;
        } else if (arg == "-t" || arg == "-T" || arg == "--templates" || arg == "-o" || arg == "--set" ||
                   arg == "--insert" || arg == "--delete") {
            if (!takeValue(argc, argv, &i, &value, error)) return false;
            if (arg == "-t") options->templateName = value;
            if (arg == "-T") options->templateFile = value;
            if (arg == "--templates") options->templatesDir = value;
            if (arg == "-o") options->output = value;
            if ((arg == "--set" || arg == "--insert" || arg == "--delete") &&
                !parseEdit(arg, value, options, error))
                return false;
        } else if (arg.size() > 1 && arg[0] == '-') {
            *error = "unknown option " + arg;
            return false;
        } else {
            options->operands.push_back(arg);
        }
    }
    return true;
}
