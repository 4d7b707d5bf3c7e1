#include "fieldtypes/value_query.h"

#include <cstdarg>
#include <cstdio>

#include "fieldtypes/host_calls.h"
#include "shell/ui_strings.h"

std::string promptText(const char* format, ...) {
    va_list arguments, again;
    va_start(arguments, format);
    va_copy(again, arguments);
    std::string text(std::vsnprintf(nullptr, 0, format, arguments) + 1, '\0');
    va_end(arguments);
    text.resize(std::vsnprintf(text.data(), text.size(), format, again));
    va_end(again);
    return text;
}

// A static array rather than a string, so that no memory stays taken after the dialog.
const char* keptRefusal(const std::string& reason) {
    static char kept[256];
    std::snprintf(kept, sizeof kept, "%s", reason.c_str());
    return kept;
}

int askForValue(FieldInstance* instance, void* value, const std::string& prompt, const char* shown,
                RefuseTextProc refuse, SetValueFromTextProc setValueFromText) {
    char* entered = queryValue(hostMainWindow(), UIStrings[usEnterValueTitle], prompt.c_str(), shown, refuse);
    if (!entered) return 0;
    int taken = setValueFromText(instance, value, entered);
    delete[] entered;
    return taken;
}
