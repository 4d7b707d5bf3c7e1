#include "document_view_fixture.h"

#include "fieldtypes/builtin_types.h"
#include "fieldtypes/host_interface.h"
#include "fieldtypes/registry.h"
#include "shell/drawing_resources.h"
#include "shell/ui_strings.h"
#include "support/pixel_bitmap.h"
#include "views/document/byte_pane_place.h"
#include "views/document/value_query_ids.h"

namespace guitest {

Snapshot::Snapshot(HWND view) {
    RECT area;
    GetClientRect(view, &area);
    width_ = area.right;
    height_ = area.bottom;
    dc_ = CreateCompatibleDC(nullptr);
    bitmap_ = testsupport::createPixelBitmap(dc_, width_, height_, &pixels_);
    old_ = SelectObject(dc_, bitmap_);
    PatBlt(dc_, 0, 0, width_, height_, BLACKNESS);
    SendMessageA(view, WM_PRINTCLIENT, reinterpret_cast<WPARAM>(dc_), PRF_CLIENT);
    GdiFlush();
}

Snapshot::~Snapshot() {
    SelectObject(dc_, old_);
    DeleteObject(bitmap_);
    DeleteDC(dc_);
}

int Snapshot::countOtherThan(uint32_t colour, RECT area) const {
    int count = 0;
    for (int y = area.top; y < area.bottom; ++y) {
        for (int x = area.left; x < area.right; ++x) count += at(x, y) != colour;
    }
    return count;
}

int Snapshot::firstColumnOtherThan(uint32_t colour, int from, int top, int bottom) const {
    for (int x = from; x < width_; ++x) {
        if (countOtherThan(colour, {x, top, x + 1, bottom}) > 0) return x;
    }
    return -1;
}

uint32_t colourOf(int systemColour) {
    COLORREF colour = GetSysColor(systemColour);
    return GetRValue(colour) << 16 | GetGValue(colour) << 8 | GetBValue(colour);
}

void DocumentViewTest::SetUp() {
    MainFrameTest::SetUp();
    buildInterface();
    registerIntegerTypes();
    registerDividerTypes();
    registerStringTypes();
    registerKeyTypes();
    MoveWindow(mainWindow, 0, 0, kFrameWidth, kFrameHeight, TRUE);
    chooseBytePlace(BytePlace::Beside);  // whatever an earlier test chose
    pumpPending();
}

void DocumentViewTest::TearDown() {
    MainFrameTest::TearDown();  // the views destroy their documents with the field types' help
    destroyRegistry();
    freeInterface();
}

Document* DocumentViewTest::bound(const std::string& rows, const Bytes& bytes, const char* name) {
    dir.write(name, bytes);
    Template templ;
    fillTemplate(templ, rows);
    templ.link();
    Document* document = createDocument(dir.path(name).c_str(), "Untitled", &templ);
    bindFile(document);
    return document;
}

TfrmDocument* DocumentViewTest::show(Document* document) {
    view = new TfrmDocument(frame, mainWindow, document);
    frame->ActivateView(frame->AddView(vkDocument, view));
    pumpPending();
    return view;
}

FieldInstance* DocumentViewTest::row(int index) const {
    FieldInstance* instance = view->document->first;
    for (; instance && index > 0; --index) instance = instance->next;
    return instance;
}

int DocumentViewTest::indexOf(const FieldInstance* instance) const {
    if (!instance) return -1;
    int index = 0;
    for (FieldInstance* at = view->document->first; at; at = at->next, ++index) {
        if (at == instance) return index;
    }
    return -2;  // not in the document
}

std::string DocumentViewTest::selectedRows() const {
    std::string text;
    int index = 0;
    for (FieldInstance* at = view->document->first; at; at = at->next, ++index) {
        if (!(at->flags & kInstanceSelected)) continue;
        text += (text.empty() ? "" : " ") + std::to_string(index);
    }
    return text;
}

std::string DocumentViewTest::answerValue(const std::function<void()>& action, const char* text,
                                          bool confirm) {
    std::string shown = "(no dialog)";
    auto answer = [&](HWND dialog) {
        HWND edit = GetDlgItem(dialog, IDC_QUERY_EDIT);
        shown = windowText(edit);
        SetWindowTextA(edit, text);
        PostMessageA(dialog, WM_COMMAND, confirm ? IDOK : IDCANCEL, 0);
    };
    driveModal(UIStrings[usEnterValueTitle], action, {answer});
    return shown;
}

void DocumentViewTest::press(UINT key, bool shift) {
    BYTE keys[256];
    GetKeyboardState(keys);
    BYTE before = keys[VK_SHIFT];
    keys[VK_SHIFT] = shift ? 0x80 : 0;
    SetKeyboardState(keys);
    SendMessageA(view->hwnd, WM_KEYDOWN, key, 1);
    keys[VK_SHIFT] = before;
    SetKeyboardState(keys);
}

void DocumentViewTest::click(int y, bool shift) {
    WPARAM keys = MK_LBUTTON | (shift ? MK_SHIFT : 0);
    SendMessageA(view->hwnd, WM_LBUTTONDOWN, keys, MAKELPARAM(10, y));
    SendMessageA(view->hwnd, WM_LBUTTONUP, 0, MAKELPARAM(10, y));
}

void DocumentViewTest::doubleClick(int y) {
    click(y);
    SendMessageA(view->hwnd, WM_LBUTTONDBLCLK, MK_LBUTTON, MAKELPARAM(10, y));
    SendMessageA(view->hwnd, WM_LBUTTONUP, 0, MAKELPARAM(10, y));
}

void DocumentViewTest::wheel(int delta) {
    SendMessageA(view->hwnd, WM_MOUSEWHEEL, MAKEWPARAM(0, delta), 0);
}

void DocumentViewTest::scrollBar(int bar, int request) {
    SendMessageA(view->hwnd, bar == SB_VERT ? WM_VSCROLL : WM_HSCROLL, MAKEWPARAM(request, 0), 0);
}

int DocumentViewTest::rowHeight() const {
    return tmBold.height;
}

RECT DocumentViewTest::client() const {
    RECT area;
    GetClientRect(view->hwnd, &area);
    return area;
}

SCROLLINFO DocumentViewTest::scrollInfo(int bar) const {
    SCROLLINFO info{};
    info.cbSize = sizeof info;
    info.fMask = SIF_ALL;
    GetScrollInfo(view->hwnd, bar, &info);
    return info;
}

bool DocumentViewTest::scrollBarEnabled(int bar) const {
    SCROLLBARINFO info{};
    info.cbSize = sizeof info;
    GetScrollBarInfo(view->hwnd, bar == SB_VERT ? OBJID_VSCROLL : OBJID_HSCROLL, &info);
    return !(info.rgstate[0] & (STATE_SYSTEM_UNAVAILABLE | STATE_SYSTEM_INVISIBLE));
}

}  // namespace guitest
