#include "templates/invalid_template_message.h"

#include <cstdio>

#include "shell/ui_strings.h"
#include "templates/template.h"

void formatInvalidTemplateMessage(const Template& templ, char (&text)[kInvalidTemplateMessageSize]) {
    const TemplateField* field = templ.fields[templ.errorRow];
    std::snprintf(text, sizeof text, UIStrings[usInvalidTemplateText], templ.errorRow, field->code,
                  field->caption);
}
