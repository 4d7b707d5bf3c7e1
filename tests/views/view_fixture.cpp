#include "view_fixture.h"

#include "fieldtypes/builtin_types.h"
#include "fieldtypes/host_interface.h"
#include "fieldtypes/registry.h"
#include "shell/drawing_resources.h"
#include "shell/strings.h"
#include "shell/ui_strings.h"
#include "support/pixel_bitmap.h"
#include "templates/template_library.h"
#include "views/document/value_query_ids.h"
#include "views/template/template_field_dialog_ids.h"

namespace guitest {

Snapshot::Snapshot(HWND window, const std::function<void(HDC)>& paint) {
    RECT area;
    GetClientRect(window, &area);
    width_ = area.right;
    height_ = area.bottom;
    dc_ = CreateCompatibleDC(nullptr);
    bitmap_ = testsupport::createPixelBitmap(dc_, width_, height_, &pixels_);
    old_ = SelectObject(dc_, bitmap_);
    PatBlt(dc_, 0, 0, width_, height_, BLACKNESS);
    if (paint) {
        paint(dc_);
    } else {
        SendMessageA(window, WM_PRINTCLIENT, reinterpret_cast<WPARAM>(dc_), PRF_CLIENT);
    }
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

int Snapshot::ink(RECT area, bool leftmost) const {
    const uint32_t window = colourOf(COLOR_WINDOW);
    int found = -1;
    for (int x = area.left; x < area.right; ++x) {
        if (countOtherThan(window, {x, area.top, x + 1, area.bottom}) == 0) continue;
        if (leftmost) return x;
        found = x;
    }
    return found;
}

uint32_t colourOf(int systemColour) {
    COLORREF colour = GetSysColor(systemColour);
    return GetRValue(colour) << 16 | GetGValue(colour) << 8 | GetBValue(colour);
}

void ViewTest::SetUp() {
    MainFrameTest::SetUp();
    buildInterface();
    registerIntegerTypes();
    registerDividerTypes();
    registerStringTypes();
    registerKeyTypes();
    MoveWindow(mainWindow, 0, 0, kFrameWidth, kFrameHeight, TRUE);
    pumpPending();
}

void ViewTest::TearDown() {
    MainFrameTest::TearDown();  // the views destroy their documents with the field types' help
    templateLibrary.clear();
    destroyRegistry();
    freeInterface();
}

Document* ViewTest::bound(const std::string& rows, const Bytes& bytes, const char* name) {
    dir.write(name, bytes);
    Template templ;
    fillTemplate(templ, rows);
    templ.link();
    Document* document = createDocument(dir.path(name).c_str(), "Untitled", &templ);
    bindFile(document);
    return document;
}

Document* ViewTest::untitled(const char* rows) {
    Template templ;
    fillTemplate(templ, rows);
    Document* document = createDocument(nullptr, UIStrings[usUntitled], &templ);
    bindNew(document);
    return document;
}

TfrmDocument* ViewTest::show(Document* document) {
    view = new TfrmDocument(frame, mainWindow, document);
    window = view->hwnd;
    frame->ActivateView(frame->AddView(vkDocument, view));
    pumpPending();
    return view;
}

FieldInstance* ViewTest::row(int index) const {
    FieldInstance* instance = view->document->first;
    for (; instance && index > 0; --index) instance = instance->next;
    return instance;
}

int ViewTest::indexOf(const FieldInstance* instance) const {
    if (!instance) return -1;
    int index = 0;
    for (FieldInstance* at = view->document->first; at; at = at->next, ++index) {
        if (at == instance) return index;
    }
    return -2;  // not in the document
}

std::string ViewTest::selectedRows() const {
    std::string text;
    int index = 0;
    for (FieldInstance* at = view->document->first; at; at = at->next, ++index) {
        if (at->flags & kInstanceSelected) text += (text.empty() ? "" : " ") + std::to_string(index);
    }
    return text;
}

int ViewTest::rowHeight() const {
    return tmBold.height;
}

std::string ViewTest::answerValue(const std::function<void()>& action, const char* text, bool confirm) {
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

Template* ViewTest::addLibraryTemplate(const char* name, const std::string& rows) {
    auto* entry = new Template;
    entry->name = DupString(name);
    entry->path = DupString(dir.path(name).c_str());
    fillTemplate(*entry, rows);
    entry->link();
    templateLibrary.add(entry);
    return entry;
}

TfrmTemplate* ViewTest::openEditor(Template* libraryTemplate) {
    frame->OpenTemplateEditor(libraryTemplate);
    TabEntry* current = frame->CurrentEntry();
    editor = current ? static_cast<TfrmTemplate*>(current->view) : nullptr;
    window = editor ? editor->hwnd : nullptr;
    return editor;
}

std::string ViewTest::codesOf(const Template& t) {
    std::string codes;
    for (int32_t i = 0; i < t.fieldCount; ++i) codes += (i ? " " : "") + std::string(t.fields[i]->code, 4);
    return codes;
}

DialogStep ViewTest::fill(const char* code, const char* caption) {
    return [code, caption](HWND dialog) {
        if (!code) return clickButton(dialog, IDCANCEL);
        SetDlgItemTextA(dialog, IDC_FIELD_CODE, code);
        SetDlgItemTextA(dialog, IDC_FIELD_CAPTION, caption);
        clickButton(dialog, IDOK);
    };
}

void ViewTest::press(UINT key, bool shift) {
    ShiftHeld::setShift(shift ? 0x80 : 0);
    SendMessageA(window, WM_KEYDOWN, key, 1);
    ShiftHeld::setShift(0);
}

void ViewTest::click(int y, bool shift) {
    SendMessageA(window, WM_LBUTTONDOWN, MK_LBUTTON | (shift ? MK_SHIFT : 0), MAKELPARAM(10, y));
    SendMessageA(window, WM_LBUTTONUP, 0, MAKELPARAM(10, y));
}

void ViewTest::doubleClick(int y) {
    click(y);
    SendMessageA(window, WM_LBUTTONDBLCLK, MK_LBUTTON, MAKELPARAM(10, y));
    SendMessageA(window, WM_LBUTTONUP, 0, MAKELPARAM(10, y));
}

void ViewTest::wheel(int delta) {
    SendMessageA(window, WM_MOUSEWHEEL, MAKEWPARAM(0, delta), 0);
}

void ViewTest::scrollBar(int bar, int request) {
    SendMessageA(window, bar == SB_VERT ? WM_VSCROLL : WM_HSCROLL, request, 0);
}

RECT ViewTest::client() const {
    RECT area;
    GetClientRect(window, &area);
    return area;
}

SCROLLINFO ViewTest::scrollInfo(int bar) const {
    SCROLLINFO info{sizeof info, SIF_ALL, 0, 0, 0, 0, 0};
    GetScrollInfo(window, bar, &info);
    return info;
}

bool ViewTest::scrollBarEnabled(int bar) const {
    SCROLLBARINFO info{};
    info.cbSize = sizeof info;
    GetScrollBarInfo(window, bar == SB_VERT ? OBJID_VSCROLL : OBJID_HSCROLL, &info);
    return !(info.rgstate[0] & (STATE_SYSTEM_UNAVAILABLE | STATE_SYSTEM_INVISIBLE));
}

}  // namespace guitest
