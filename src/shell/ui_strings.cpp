#include "shell/ui_strings.h"

#include "shell/strings.h"

char** UIStrings = nullptr;

static const char* const builtInTexts[kUIStringCount] = {
    "Untitled",
    "Sondrix",
    " - Sondrix",
    "Template",
    "Decimal byte (LE)",
    "Decimal word (LE)",
    "Decimal long (LE)",
    "Decimal int64 (LE)",
    "Unsigned byte (LE)",
    "Unsigned word (LE)",
    "Unsigned long (LE)",
    "Unsigned int64 (LE)",
    "Decimal byte (BE)",
    "Decimal word (BE)",
    "Decimal long (BE)",
    "Decimal int64 (BE)",
    "Unsigned byte (BE)",
    "Unsigned word (BE)",
    "Unsigned long (BE)",
    "Unsigned int64 (BE)",
    "Filler byte (BE)",
    "Filler word (BE)",
    "Filler long (BE)",
    "Filler int64 (BE)",
    "Filler byte (LE)",
    "Filler word (LE)",
    "Filler long (LE)",
    "Filler int64 (LE)",
    "Hex byte (BE)",
    "Hex word (BE)",
    "Hex long (BE)",
    "Hex int64 (BE)",
    "Hex byte (LE)",
    "Hex word (LE)",
    "Hex long (LE)",
    "Hex int64 (LE)",
    ("Cannot open document, because the selected template is invalid. \n\nError on row %d, field %.4s: "
     "\"%s\"."),
    "Invalid template",
    "Divider",
    "Version: %s",
    "Enter value:",
    "Enter value:",
    "Pascal string (BE)",
    "Pascal string (LE)",
    "Word string (BE)",
    "Word string (LE)",
    "Long string (BE)",
    "Long string (LE)",
    "64-bit string (BE)",
    "64-bit string (LE)",
    "*.*||",
    "%s (%s to %s)",
    "That is no number: type digits, with - before a negative one.",
    "That is no number: type hexadecimal digits, after $ or 0x if you like.",
    "Save changes to %s?",
    "%s has changed on disk since it was opened. Save over it?",
    "Template for %s",
    "Single float (BE)",
    "Single float (LE)",
    "Double float (BE)",
    "Double float (LE)",
    "Extended float (BE)",
    "Extended float (LE)",
    "%s (a decimal number)",
    "That is no number: type a decimal number as 44100 or -1.5e3, or inf or nan.",
    "Decimal 24-bit (BE)",
    "Unsigned 24-bit (BE)",
    "Hex 24-bit (BE)",
    "Filler 24-bit (BE)",
    "Decimal 24-bit (LE)",
    "Unsigned 24-bit (LE)",
    "Hex 24-bit (LE)",
    "Filler 24-bit (LE)",
    "Zero-terminated string",
    "Unsigned LEB128",
    "Signed LEB128",
    "MIDI variable-length number",
    "A MIDI variable-length number holds 0 to 268435455: type one in that range.",
    " Column %d: %s.",
};

void BuildUIStrings() {
    UIStrings = new char*[kUIStringCount];
    for (int i = 0; i < kUIStringCount; ++i) UIStrings[i] = DupString(builtInTexts[i]);
}

void FreeUIStrings() {
    if (!UIStrings) return;
    for (int i = 0; i < kUIStringCount; ++i) delete[] UIStrings[i];
    delete[] UIStrings;
    UIStrings = nullptr;
}
