#include "template_editor_fixture.h"

#include "fieldtypes/registry.h"
#include "shell/strings.h"
#include "templates/template_builder.h"
#include "templates/template_library.h"

namespace guitest {

void clickButton(HWND dialog, int id) {
    SendMessageA(GetDlgItem(dialog, id), BM_CLICK, 0, 0);
}

void pressKey(HWND window, WPARAM key) {
    PostMessageA(window, WM_KEYDOWN, key, 1);
    PostMessageA(window, WM_KEYUP, key, 0xC0000001);
}

void doubleClickAt(HWND window, POINT point) {
    const LPARAM where = MAKELPARAM(point.x, point.y);
    PostMessageA(window, WM_LBUTTONDOWN, MK_LBUTTON, where);
    PostMessageA(window, WM_LBUTTONUP, 0, where);
    PostMessageA(window, WM_LBUTTONDBLCLK, MK_LBUTTON, where);
    PostMessageA(window, WM_LBUTTONUP, 0, where);
}

void ShiftHeld::setShift(BYTE state) {
    BYTE keys[256];
    GetKeyboardState(keys);
    keys[VK_SHIFT] = state;
    SetKeyboardState(keys);
}

void TemplateEditorTest::TearDown() {
    MainFrameTest::TearDown();
    templateLibrary.clear();
    destroyRegistry();
}

Template* TemplateEditorTest::addLibraryTemplate(const char* name, const char* codes) {
    auto* entry = new Template;
    entry->name = DupString(name);
    entry->path = DupString(dir.path(name).c_str());
    templatetest::appendCodes(*entry, codes);
    entry->link();
    templateLibrary.add(entry);
    return entry;
}

TfrmTemplate* TemplateEditorTest::openEditor(Template* libraryTemplate) {
    frame->OpenTemplateEditor(libraryTemplate);
    TabEntry* current = frame->CurrentEntry();
    return current ? static_cast<TfrmTemplate*>(current->view) : nullptr;
}

std::string TemplateEditorTest::repeated(const char* code, int count) {
    std::string codes;
    for (int i = 0; i < count; ++i) codes += (i ? " " : "") + std::string(code);
    return codes;
}

std::string TemplateEditorTest::codesOf(const Template& t) {
    std::string codes;
    for (int32_t i = 0; i < t.fieldCount; ++i) {
        codes += (i ? " " : "") + std::string(t.fields[i]->code, 4);
    }
    return codes;
}

}  // namespace guitest
