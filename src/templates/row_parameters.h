#pragma once
// Parameters in captions: a code that takes them has a caption "Label = expression, ...", its
// label shown and the expressions parsed once by the template. Expressions name earlier rows by
// their labels up to a remark in parentheses: each run of characters other than letters, digits and
// "_" read as one "_", "_" at either end dropped, case ignored ("Bits per pixel (1 to 32)" is
// Bits_per_pixel).
#include <cstdint>

#include "templates/template.h"

struct ParameterCount {
    int8_t least, most;  // 0 and 0 for codes that take none
};

ParameterCount parameterCountOf(const char code[4]);
// Data codes whose first parameter is their length: the binder ends their data there.
bool takesLength(const char code[4]);
// Check codes (CHKB, CHKW, CHKL, CHKQ, CHKO): their last parameter is what their number should be.
bool isCheckCode(const char code[4]);

// The row's label: its caption up to the first "=" (all of it when there is none), without the
// spaces at its ends.
void captionLabel(const char* caption, const char** label, int32_t* length);

// The caption a row shows: its label for a code that takes parameters, else all of it.
void shownCaption(const TemplateField* field, const char** text, int32_t* length);

// Whether the label spells the name as expressions write it.
bool labelIsNamed(const char* label, int32_t labelLength, const char* name, int32_t nameLength);

// Parses the parameters of every row that takes them, after link. False at the first row whose
// caption does not parse, with the template's errorRow, errorColumn and errorMessage set.
bool parseParameters(Template& templ);

// Whether an INCL row names a template of the library; else false with the error set as for parameters.
bool checkInclude(Template& templ, int32_t row);

// Frees what parseParameters made for a row.
void releaseParameters(TemplateField* field);
