#include "cli/options.h"

#include <cstdlib>

const char* const kUsage =
    "usage: sondrix-cli dump (-t NAME | -T FILE.tmpl) [--templates DIR] [--json] FILE\n"
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

bool parseRow(const std::string& text, long* row) {
    char* end = nullptr;
    *row = std::strtol(text.c_str(), &end, 10);
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
