#include "views/document/byte_pane_place.h"

#include <algorithm>

#include "shell/settings_file.h"

namespace {

// No file extension can be this: the colon is not allowed in file names.
constexpr const char* kPlaceKey = "view:bytes";
constexpr const char* kBelowValue = "below";

bool placeRead = false;
BytePlace chosen = BytePlace::Beside;

}  // namespace

BytePlace bytePlace() {
    if (!placeRead) {
        chosen = settingOf(settingsFilePath, kPlaceKey) == kBelowValue ? BytePlace::Below : BytePlace::Beside;
        placeRead = true;
    }
    return chosen;
}

void chooseBytePlace(BytePlace place) {
    chosen = place;
    placeRead = true;
    storeSetting(settingsFilePath, kPlaceKey, place == BytePlace::Below ? kBelowValue : "beside");
}

void splitForBytes(const RECT& area, int paneWidth, RECT* rows, RECT* pane) {
    *rows = *pane = area;
    if (bytePlace() == BytePlace::Below) {
        // The rows keep the larger part: they are what the user works on.
        rows->bottom = area.bottom - (area.bottom - area.top) / 3;
        pane->top = rows->bottom;
    } else {
        LONG width = area.right - area.left;
        rows->right = area.right - std::min<LONG>(paneWidth, width - width / 3);
        pane->left = rows->right;
    }
}
