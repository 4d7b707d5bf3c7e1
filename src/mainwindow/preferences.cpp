// Tools > Preferences: the byte pane's place and the font sizes, kept in the settings file and applied
// to every tab at once.
#include "mainwindow/main_frame.h"
#include "mainwindow/preferences_dialog.h"
#include "resource_ids.h"
#include "shell/font_sizes.h"
#include "views/document/view_fonts.h"

void TfrmMain::EditPreferences() {
    Preferences chosen{bytePlace(), fontPoints(FontUse::Rows), fontPoints(FontUse::Bytes)};
    if (!askPreferences(hwnd, &chosen)) return;
    chooseFontPoints(FontUse::Rows, chosen.rowPoints);
    chooseFontPoints(FontUse::Bytes, chosen.bytePoints);
    applyFontSizes();
    for (int32_t i = 0; i < count; ++i) entries[i]->view->FontsChanged();
    // Lays every tab out anew, and the pane may be wider or narrower now.
    PlaceBytes(chosen.place == BytePlace::Below ? cmdBytesBelow : cmdBytesBeside);
}
