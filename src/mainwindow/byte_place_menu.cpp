// View > Bytes beside the rows, Bytes below the rows: one choice for every document tab, check-marked
// in the menu and remembered for the next start.
#include <windows.h>

#include "mainwindow/main_frame.h"
#include "resource_ids.h"
#include "views/document/byte_pane_place.h"

void TfrmMain::PlaceBytes(int command) {
    chooseBytePlace(command == cmdBytesBelow ? BytePlace::Below : BytePlace::Beside);
    ShowBytePlace();
    for (int32_t i = 0; i < count; ++i) LayoutView(entries[i]);
}

void TfrmMain::ShowBytePlace() {
    int checked = bytePlace() == BytePlace::Below ? IDM_BYTES_BELOW : IDM_BYTES_BESIDE;
    CheckMenuRadioItem(GetMenu(hwnd), IDM_BYTES_BESIDE, IDM_BYTES_BELOW, checked, MF_BYCOMMAND);
}
