#pragma once
// The texts of the user interface, indexed by number.

constexpr int kUIStringCount = 110;

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
    usValuePrompt = 51,
    usNotDecimalNumber = 52,
    usNotHexNumber = 53,
    usSaveChangesQuestion = 54,
    usChangedOnDiskQuestion = 55,
    usTemplateForFileTitle = 56,
    usFloatPrompt = 63,
    usNotFloatNumber = 64,
    usVlqOutOfRange = 77,
    usBytesPrompt = 84,
    usNotHexBytes = 85,
    usWrongByteCount = 86,
    usTooLongToEdit = 87,
    usTextPrompt = 88,
    usTextTooLong = 89,
    usOctalTextPrompt = 90,
    usNotOctalOrDecimal = 91,
    usNumberTextTooLarge = 92,
    usParameterErrorText = 93,
    usChecksumName = 94,
    usInsertCaseTitle = 95,
    usInsertCasePrompt = 96,
    usStructuresColumn = 97,
    usKeyNamePrompt = 98,
    usNotKeyName = 99,
    usSearchWrappedToTop = 100,
    usSearchWrappedToBottom = 101,
    usNotFound = 102,
    usCopyTooLarge = 103,
    usPasteNotHex = 104,
    usNoRecentFiles = 105,
    usRecentFileGone = 106,
    usRecentTemplateGone = 107,
    usHelpTitle = 108,
    usFontSizeRange = 109,
};

extern char** UIStrings;

void BuildUIStrings();
void FreeUIStrings();
