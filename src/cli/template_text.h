#pragma once
// The text form of templates: one row per line, the four code characters, a space, the caption.
// Lines starting with '#' and empty lines are comments. Bytes that a text editor would lose or
// change are written as \xHH (and a backslash as \\), so any template file survives
// decompile and compile byte for byte.
#include <string>

class Template;

// Appends the rows of the text to the template. False with a message naming the line otherwise.
bool parseTemplateText(const std::string& text, Template* templ, std::string* error);
std::string templateToText(const Template& templ);
