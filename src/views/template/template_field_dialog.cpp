// The field dialog: the field is copied into the two boxes when the dialog opens and out of them
// on OK; Cancel leaves it as it was.
#include "views/template/template_field_dialog.h"

#include <cstring>
#include <new>

#include "mainwindow/window_resources.h"
#include "resource_ids.h"
#include "templates/template.h"
#include "views/template/dialog_support.h"
#include "views/template/template_field_dialog_ids.h"

namespace {

constexpr const char* kDialogName = "dlgTemplateField";

TemplateField& fieldOf(HWND dialog) {
    return *reinterpret_cast<TemplateField*>(GetWindowLongPtrA(dialog, GWLP_USERDATA));
}

void showField(HWND dialog, const TemplateField& field) {
    char code[sizeof field.code + 1] = {};
    std::memcpy(code, field.code, sizeof field.code);
    SetDlgItemTextA(dialog, IDC_FIELD_CODE, code);
    SetDlgItemTextA(dialog, IDC_FIELD_CAPTION, field.caption);
}

void showChoiceIcon(HWND dialog) {
    HANDLE icon = LoadImageA(moduleInstance, kDownIconName, IMAGE_ICON, 0, 0, LR_SHARED);
    SendDlgItemMessageA(dialog, IDC_FIELD_CODE_CHOICE, BM_SETIMAGE, IMAGE_ICON,
                        reinterpret_cast<LPARAM>(icon));
}

// At most four characters, as typed; a shorter code holds zero bytes in the places left over.
void readCode(HWND dialog, TemplateField& field) {
    char text[6] = {};
    GetDlgItemTextA(dialog, IDC_FIELD_CODE, text, 5);
    std::memcpy(field.code, text, sizeof field.code);
}

// Any length; the template file cuts it when saved. Without memory the old caption stays.
void readCaption(HWND dialog, TemplateField& field) {
    HWND box = GetDlgItem(dialog, IDC_FIELD_CAPTION);
    const int length = GetWindowTextLengthA(box);
    char* text = new (std::nothrow) char[length + 1];
    if (!text) return;
    text[0] = '\0';
    GetWindowTextA(box, text, length + 1);
    delete[] field.caption;
    field.caption = text;
}

// The code box keeps the left edge the resource gave it; the labels do not move.
void layout(HWND dialog) {
    RECT client;
    GetClientRect(dialog, &client);
    const int w = client.right;
    const int h = client.bottom;
    RECT code;
    GetWindowRect(GetDlgItem(dialog, IDC_FIELD_CODE), &code);
    MapWindowPoints(HWND_DESKTOP, dialog, reinterpret_cast<POINT*>(&code), 2);
    const int x0 = code.left;
    const ControlPlacement places[] = {
        {IDC_FIELD_CODE, x0, 4, w - x0 - 31, 24},        {IDC_FIELD_CODE_CHOICE, w - 29, 4, 24, 24},
        {IDC_FIELD_CAPTION, x0, 32, w - x0 - 4, h - 60}, {IDOK, 0, h - 24, w / 2, 24},
        {IDCANCEL, w / 2, h - 24, w - w / 2, 24},
    };
    placeControls(dialog, places, sizeof places / sizeof places[0]);
}

INT_PTR CALLBACK fieldDialogProc(HWND dialog, UINT message, WPARAM wParam, LPARAM lParam) {
    switch (message) {
        case WM_INITDIALOG:
            SetWindowLongPtrA(dialog, GWLP_USERDATA, lParam);
            setProgramIcons(dialog);
            showChoiceIcon(dialog);
            showField(dialog, fieldOf(dialog));
            SendMessageA(dialog, WM_SIZE, 0, 0);
            return TRUE;
        case WM_SIZE:
            layout(dialog);
            return TRUE;
        case WM_COMMAND:
            // The button beside the code box offers nothing yet.
            if (LOWORD(wParam) == IDOK) {
                readCode(dialog, fieldOf(dialog));
                readCaption(dialog, fieldOf(dialog));
                EndDialog(dialog, 1);
            } else if (LOWORD(wParam) == IDCANCEL) {
                EndDialog(dialog, 0);
            }
            return TRUE;
    }
    return FALSE;
}

}  // namespace

bool EditTemplateField(HWND owner, TemplateField* field) {
    if (!field) return false;
    return DialogBoxParamA(moduleInstance, kDialogName, owner, fieldDialogProc,
                           reinterpret_cast<LPARAM>(field)) == 1;
}
