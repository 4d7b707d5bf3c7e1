#include "templates/invalid_template_message.h"

#include <cstdio>

#include "shell/ui_strings.h"
#include "templates/template.h"

void formatInvalidTemplateMessage(const Template& templ, char (&text)[kInvalidTemplateMessageSize]) {
    const TemplateField* field = templ.fields[templ.errorRow];
    int length = std::snprintf(text, sizeof text, UIStrings[usInvalidTemplateText], templ.errorRow, field->code,
                               field->caption);
    // A caption whose parameters do not parse: where, counted from 1, and why.
    if (templ.errorMessage && length >= 0 && static_cast<size_t>(length) < sizeof text) {
        std::snprintf(text + length, sizeof text - length, UIStrings[usParameterErrorText], templ.errorColumn + 1,
                      templ.errorMessage);
    }
}
