#pragma once
// Document views and template editors on a real main frame: documents made from a compact template
// text over bytes written to a file, a template library of the test's own, keys and clicks sent as
// messages, and the dialogs they open answered.
#include <cstdint>

#include "document/document_harness.h"
#include "mainwindow/frame_fixture.h"
#include "support/pixel_bitmap.h"
#include "templates/template_library.h"
#include "views/document/byte_pane_place.h"
#include "views/document/document_view.h"
#include "views/document/value_query_ids.h"
#include "views/template/template_editor.h"
#include "views/template/template_field_dialog_ids.h"

namespace guitest {

using testsupport::colourOf;
using testsupport::Snapshot;

class ViewTest : public MainFrameTest {
  protected:
    static constexpr int kFrameWidth = 400;
    static constexpr int kFrameHeight = 300;

    void SetUp() override {
        MainFrameTest::SetUp();
        h = tmBold.height;
        MoveWindow(mainWindow, 0, 0, kFrameWidth, kFrameHeight, TRUE);
        chooseBytePlace(BytePlace::Beside);  // whatever an earlier test chose
        pumpPending();
    }

    // A document of the rows bound to the bytes, written to a file of that name, on a new tab as the
    // commands that open documents put it.
    void open(const std::string& rows, const Bytes& bytes, const char* name = "data.bin") {
        dir.write(name, bytes);
        Template templ;
        fillTemplate(templ, rows);
        templ.link();
        Document* document = createDocument(dir.path(name).c_str(), "Untitled", &templ);
        bindFile(document);
        view = new TfrmDocument(frame, mainWindow, document);
        window = view->hwnd;
        frame->ActivateView(frame->AddView(vkDocument, view));
        pumpPending();
    }

    FieldInstance* row(int index) const { return nth(view->document, index); }
    int currentRow() const {
        int index = 0;
        for (FieldInstance* at = view->document->first; at; at = at->next, ++index)
            if (at == view->current) return index;
        return view->current ? -2 : -1;  // -2: not in the document
    }
    // Indexes of the selected rows, "0 3 4", with "*" after the current row (the view's, and flagged
    // so), "?" after a row only one of the two makes current, "-" after a current row not selected.
    std::string selection() const {
        std::string text;
        int index = 0;
        for (FieldInstance* at = view->document->first; at; at = at->next, ++index) {
            const bool selected = at->flags & kInstanceSelected, flagged = at->flags & kInstanceCurrent;
            const bool current = at == view->current;
            if (!selected && !flagged && !current) continue;
            const char* mark = flagged != current ? "?" : current ? "*" : "";
            text += (text.empty() ? "" : " ") + std::to_string(index) + (selected ? "" : "-") + mark;
        }
        return text;
    }
    // Rows with their depth in dots, code and value, as document_harness describes them.
    std::string rows() const { return describe(view->document); }

    // Runs the action while the value entry dialog it opens is answered with the text, by OK or by
    // Cancel. The text the dialog showed when it opened, or "(no dialog)".
    std::string answerValue(const std::function<void()>& action, const char* text, bool confirm) {
        std::string shown = "(no dialog)";
        driveModal(UIStrings[usEnterValueTitle], action, {[&](HWND dialog) {
                       HWND edit = GetDlgItem(dialog, IDC_QUERY_EDIT);
                       shown = windowText(edit);
                       SetWindowTextA(edit, text);
                       PostMessageA(dialog, WM_COMMAND, confirm ? IDOK : IDCANCEL, 0);
                   }});
        return shown;
    }

    // Its file under the test's directory.
    Template* addLibraryTemplate(const char* name, const std::string& rows) {
        auto* entry = new Template;
        entry->name = DupString(name);
        entry->path = DupString(dir.path(name).c_str());
        fillTemplate(*entry, rows);
        entry->link();
        templateLibrary.add(entry);
        return entry;
    }
    // The way the template list does.
    TfrmTemplate* openEditor(Template* libraryTemplate) {
        frame->OpenTemplateEditor(libraryTemplate);
        TabEntry* current = frame->CurrentEntry();
        editor = current ? static_cast<TfrmTemplate*>(current->view) : nullptr;
        window = editor ? editor->hwnd : nullptr;
        return editor;
    }
    static std::string codesOf(const Template& t) {
        std::string codes;
        for (int32_t i = 0; i < t.fieldCount; ++i)
            codes += (i ? " " : "") + std::string(t.fields[i]->code, 4);
        return codes;
    }
    // Cancels when code is null.
    static DialogStep fill(const char* code, const char* caption = "new") {
        return [code, caption](HWND dialog) {
            if (!code) return clickButton(dialog, IDCANCEL);
            SetDlgItemTextA(dialog, IDC_FIELD_CODE, code);
            SetDlgItemTextA(dialog, IDC_FIELD_CAPTION, caption);
            clickButton(dialog, IDOK);
        };
    }

    // Input to the window of the view last opened.
    // Shift as GetKeyState reports it.
    void press(UINT key, bool shift = false) {
        BYTE keys[256];
        GetKeyboardState(keys);
        keys[VK_SHIFT] = shift ? 0x80 : 0;
        SetKeyboardState(keys);
        SendMessageA(window, WM_KEYDOWN, key, 1);
        keys[VK_SHIFT] = 0;
        SetKeyboardState(keys);
    }
    void press(std::initializer_list<UINT> keys) {
        for (UINT key : keys) press(key);
    }
    void click(int y, bool shift = false) {
        SendMessageA(window, WM_LBUTTONDOWN, MK_LBUTTON | (shift ? MK_SHIFT : 0), MAKELPARAM(10, y));
        SendMessageA(window, WM_LBUTTONUP, 0, MAKELPARAM(10, y));
    }
    void doubleClick(int y) {
        doubleClickAt(window, {10, y});
        pumpPending();
    }
    void wheel(int delta) { SendMessageA(window, WM_MOUSEWHEEL, MAKEWPARAM(0, delta), 0); }
    void scrollBar(int bar, int request) {
        SendMessageA(window, bar == SB_VERT ? WM_VSCROLL : WM_HSCROLL, request, 0);
    }
    RECT client() const {
        RECT area;
        GetClientRect(window, &area);
        return area;
    }
    SCROLLINFO scrollInfo(int bar) const {
        SCROLLINFO info{sizeof info, SIF_ALL, 0, 0, 0, 0, 0};
        GetScrollInfo(window, bar, &info);
        return info;
    }
    bool scrollBarEnabled(int bar) const {
        SCROLLBARINFO info{};
        info.cbSize = sizeof info;
        GetScrollBarInfo(window, bar == SB_VERT ? OBJID_VSCROLL : OBJID_HSCROLL, &info);
        return !(info.rgstate[0] & (STATE_SYSTEM_UNAVAILABLE | STATE_SYSTEM_INVISIBLE));
    }

    int h = 0;  // a document row's height
    testsupport::TempDir dir;
    TfrmDocument* view = nullptr;
    TfrmTemplate* editor = nullptr;
    HWND window = nullptr;
};

}  // namespace guitest
