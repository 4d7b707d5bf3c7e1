#pragma once
// Structures reused from the library: an INCL row names another template ("Header = \"bmp info\""),
// whose rows a document binds in its place, one level deeper, as if they were written there.
#include <cstdint>
#include <string>
#include <vector>

#include "templates/template.h"

// Deeper reuse, a template using itself, is cut off there: binding stops at the row.
constexpr int32_t kMaxIncludeDepth = 8;

// The name an INCL row's caption gives between double quotes after "="; false when it gives none.
bool includedName(const TemplateField* field, const char** name, int32_t* length);
// The library's template of that name (with or without ".tmpl", in any case); null for none.
const Template* includedTemplate(const TemplateField* field);

// Puts the rows of the template each INCL row names after that row, then a closing row, and marks
// the row expanded; the rows put in are expanded in turn, to kMaxIncludeDepth levels. An INCL row
// that would take the template past kMaxTemplateFields rows stays as it is.
// origin, when given, receives for every row of the result the row it came from: itself, or the INCL
// row of the template as it was that put it in. A template expanded once is not expanded again, so
// that reuse cut off at the depth stays cut off.
void expandIncludes(Template& templ, std::vector<int32_t>* origin = nullptr);

// What the template uses and what uses it among the library's templates: "uses a.tmpl, b.tmpl; used by
// c.tmpl", either part left out when empty; "" when neither.
std::string reuseText(const Template& templ);

// Whether the template has INCL rows not yet expanded: its names are then checked on an expanded copy.
bool usesStructures(const Template& templ);
