#pragma once
// The texts of the user interface, indexed by number.

constexpr int kUIStringCount = 54;

// Indexes that callers name; the field types' display names are indexed by the registration tables.
enum UIStringIndex {
    usUntitled = 0,
    usProductName = 1,
    usTemplateColumn = 3,
    usInvalidTemplateText = 36,
    usInvalidTemplateCaption = 37,
    usDividerName = 38,
    usVersionLine = 39,
    usEnterValueTitle = 40,
    usEnterValuePrompt = 41,
    usFileFilter = 50,
    usSaveChangesQuestion = 51,
    usChangedOnDiskQuestion = 52,
    usTemplateForFileTitle = 53,
};

extern char** UIStrings;

void BuildUIStrings();
void FreeUIStrings();
