#pragma once
// How the number types ask for a value: a prompt naming the row and what it takes, and the answer
// handed to the type's own setValueFromText.
#include <string>

#include "fieldtypes/field_type.h"
#include "views/document/query_value.h"

// printf-style text of whatever length it needs: a caption in memory may be longer than a template
// file keeps.
std::string promptText(const char* format, ...);

// The dialog's refusal takes only the text: a reason worded for the value at hand is kept here until
// the next one.
const char* keptRefusal(const std::string& reason);

// Asks with the shown text proposed; the result of setValueFromText for the answer, 0 on cancel.
int askForValue(FieldInstance* instance, void* value, const std::string& prompt, const char* shown,
                RefuseTextProc refuse, SetValueFromTextProc setValueFromText);
