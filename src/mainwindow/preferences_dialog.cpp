#include "mainwindow/preferences_dialog.h"

#include <cstdio>
#include <string>

#include "mainwindow/preferences_ids.h"
#include "mainwindow/modal_dialog.h"
#include "shell/font_sizes.h"
#include "shell/ui_strings.h"

namespace {

void showPoints(HWND dialog, int control, int points) {
    SetDlgItemTextA(dialog, control, points ? std::to_string(points).c_str() : "");
}

// False, with the reason shown and the keyboard in the box, when the box holds no size.
bool readPoints(HWND dialog, int control, int* points) {
    char text[32] = {};
    GetDlgItemTextA(dialog, control, text, sizeof text);
    if (parseFontPoints(text, points)) return true;
    char reason[128];
    std::snprintf(reason, sizeof reason, UIStrings[usFontSizeRange], kSmallestFontPoints, kLargestFontPoints);
    SetDlgItemTextA(dialog, IDC_PREF_NOTE, reason);
    MessageBeep(MB_ICONWARNING);
    HWND box = GetDlgItem(dialog, control);
    SetFocus(box);
    SendMessageA(box, EM_SETSEL, 0, -1);
    return false;
}

INT_PTR onInitDialog(HWND dialog, Preferences* preferences) {
    SetWindowLongPtrA(dialog, GWLP_USERDATA, reinterpret_cast<LONG_PTR>(preferences));
    const int place = preferences->place == BytePlace::Below ? IDC_PREF_BELOW : IDC_PREF_BESIDE;
    CheckRadioButton(dialog, IDC_PREF_BESIDE, IDC_PREF_BELOW, place);
    showPoints(dialog, IDC_PREF_ROWS_POINTS, preferences->rowPoints);
    showPoints(dialog, IDC_PREF_BYTES_POINTS, preferences->bytePoints);
    SetFocus(GetDlgItem(dialog, place));
    return FALSE;
}

void onOk(HWND dialog, Preferences* preferences) {
    Preferences chosen{IsDlgButtonChecked(dialog, IDC_PREF_BELOW) ? BytePlace::Below : BytePlace::Beside, 0,
                       0};
    if (!readPoints(dialog, IDC_PREF_ROWS_POINTS, &chosen.rowPoints)) return;
    if (!readPoints(dialog, IDC_PREF_BYTES_POINTS, &chosen.bytePoints)) return;
    *preferences = chosen;
    EndDialog(dialog, 1);
}

}  // namespace

bool askPreferences(HWND owner, Preferences* preferences) {
    return runRecordDialog<Preferences, onInitDialog, onOk>(owner, "dlgPreferences", preferences);
}
