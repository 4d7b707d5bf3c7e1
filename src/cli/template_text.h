#pragma once
// The text form of templates: one row per line, the four code characters, a space, the caption.
// Lines starting with '#' and empty lines are comments. Bytes that a text editor would lose or
// change are written as \xHH (and a backslash as \\), so any template file survives
// decompile and compile byte for byte.
#include <string>
#include <vector>

class Template;

// Appends the rows of the text to the template, and the line of each to *rowLines when given.
// False with a message naming the line otherwise.
bool parseTemplateText(const std::string& text, Template* templ, std::string* error,
                       std::vector<int>* rowLines = nullptr);
std::string templateToText(const Template& templ);
// A row's code as the text form writes it.
std::string codeText(const char code[4]);
