#include "views/template/dialog_support.h"

#include "mainwindow/window_resources.h"
#include "resource_ids.h"

namespace {

HICON sharedProgramIcon(int widthMetric, int heightMetric) {
    return static_cast<HICON>(LoadImageA(moduleInstance, kMainIconName, IMAGE_ICON,
                                         GetSystemMetrics(widthMetric), GetSystemMetrics(heightMetric),
                                         LR_SHARED));
}

}  // namespace

void setProgramIcons(HWND dialog) {
    SendMessageA(dialog, WM_SETICON, ICON_BIG,
                 reinterpret_cast<LPARAM>(sharedProgramIcon(SM_CXICON, SM_CYICON)));
    SendMessageA(dialog, WM_SETICON, ICON_SMALL,
                 reinterpret_cast<LPARAM>(sharedProgramIcon(SM_CXSMICON, SM_CYSMICON)));
}

void placeControls(HWND dialog, const ControlPlacement* placements, int count) {
    HDWP batch = BeginDeferWindowPos(count);
    for (int i = 0; i < count && batch; ++i) {
        const ControlPlacement& place = placements[i];
        batch = DeferWindowPos(batch, GetDlgItem(dialog, place.id), nullptr, place.x, place.y, place.width,
                               place.height, SWP_NOZORDER);
    }
    if (batch) EndDeferWindowPos(batch);
}
