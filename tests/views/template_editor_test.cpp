// The editor as it opens and as it paints, and the mouse.
#include <functional>

#include "shell/drawing_resources.h"
#include "shell/strings.h"
#include "template_editor_fixture.h"

namespace guitest {
namespace {

// The editor, or what paint draws, painted into a 32-bit bitmap of the window's client size.
class Canvas {
  public:
    explicit Canvas(TfrmTemplate* editor) : Canvas(editor->hwnd, [editor](HDC dc) { editor->Paint(dc); }) {}
    Canvas(HWND window, const std::function<void(HDC)>& paint) {
        GetClientRect(window, &client);
        BITMAPINFO info{};
        info.bmiHeader = {
            sizeof(BITMAPINFOHEADER), client.right, -client.bottom, 1, 32, BI_RGB, 0, 0, 0, 0, 0};
        bitmap_ = CreateDIBSection(dc_, &info, DIB_RGB_COLORS, reinterpret_cast<void**>(&bits_), nullptr, 0);
        old_ = SelectObject(dc_, bitmap_);
        paint(dc_);
        GdiFlush();
    }
    ~Canvas() {
        SelectObject(dc_, old_);
        DeleteObject(bitmap_);
        DeleteDC(dc_);
    }

    COLORREF pixel(int x, int y) const {
        const uint32_t value = bits_[y * client.right + x];
        return RGB((value >> 16) & 0xFF, (value >> 8) & 0xFF, value & 0xFF);
    }
    // The middle of a row, right of any text.
    COLORREF background(int row) const { return pixel(client.right - 3, row * tmNormal.height + 5); }
    // The leftmost (or rightmost) x in [from, to) where the row's inside is not the window colour;
    // -1 when nothing was drawn there.
    int ink(int row, int from, int to = -1, bool leftmost = true) const {
        int found = -1;
        for (int x = from; x < (to < 0 ? client.right - 3 : to); ++x) {
            for (int y = row * tmNormal.height + 1; y < (row + 1) * tmNormal.height - 1; ++y) {
                if (pixel(x, y) == GetSysColor(COLOR_WINDOW)) continue;
                if (leftmost) return x;
                found = x;
            }
        }
        return found;
    }

    RECT client{};

  private:
    HDC dc_ = CreateCompatibleDC(nullptr);
    HBITMAP bitmap_ = nullptr;
    HGDIOBJ old_ = nullptr;
    uint32_t* bits_ = nullptr;
};

class EditorTest : public TemplateEditorTest {
  protected:
    void press(UINT message, WPARAM keys, int32_t row, int x = 5) {
        SendMessageA(editor->hwnd, message, keys,
                     MAKELPARAM(x, (row - editor->topRow) * tmNormal.height + 1));
    }

    TfrmTemplate* editor = nullptr;
};

TEST_F(EditorTest, OpensOnItsOwnCloneAsAFocusedTabNamedAfterTheTemplate) {
    Template* source = addLibraryTemplate("shapes.tmpl", "DWRD LSTB PSTR LSTE");
    editor = openEditor(source);
    ASSERT_NE(editor, nullptr);
    EXPECT_NE(editor->templ, source);
    EXPECT_EQ(codesOf(*editor->templ), "DWRD LSTB PSTR LSTE");
    EXPECT_EQ(editor->templ->fields[2]->depth, 1);
    EXPECT_EQ(frame->entries[0]->kind, vkTemplate);
    EXPECT_EQ(tabText(0), "shapes.tmpl");
    EXPECT_EQ(windowText(editor->hwnd), "shapes.tmpl");
    EXPECT_EQ(GetFocus(), editor->hwnd);
    EXPECT_TRUE(placedOn(editor->hwnd, displayArea()));
    EXPECT_TRUE(editor->saved);
    frame->OpenTemplateEditor(nullptr);
    EXPECT_EQ(frame->count, 1);
}

TEST_F(EditorTest, AnEmptyTemplateShowsOneRowPaintedAsTheSelection) {
    editor = openEditor(addLibraryTemplate("empty.tmpl", ""));
    Canvas canvas(editor);
    EXPECT_EQ(canvas.background(0), GetSysColor(COLOR_HIGHLIGHT));
    EXPECT_EQ(canvas.background(1), GetSysColor(COLOR_WINDOW));
    EXPECT_EQ(canvas.ink(1, 0), -1);
}

TEST_F(EditorTest, RowsShowNumbersAndCodesAndCaptionsIndentedByDepth) {
    Template* source = addLibraryTemplate("nested.tmpl", "LSTB LSTB LSTE LSTE");
    delete[] source->fields[3]->caption;
    source->fields[3]->caption = DupString(std::string(150, 'w').c_str());
    editor = openEditor(source);
    press(WM_LBUTTONDOWN, MK_LBUTTON, 5);  // the selection below the rows
    const int codeX = editor->numberWidth + 8;
    const int captionX = codeX + editor->codeWidth;
    Canvas canvas(editor);
    const int codeStart = canvas.ink(0, editor->numberWidth + 1);
    const int captionStart = canvas.ink(0, captionX);
    ASSERT_GE(codeStart, codeX);
    ASSERT_LT(codeStart, codeX + 3);
    const int codeIndent[] = {0, 8, 8, 0};
    for (int row = 0; row < 4; ++row) {
        EXPECT_EQ(canvas.ink(row, editor->numberWidth + 1), codeStart + codeIndent[row]) << "row " << row;
        const int numberEnd = canvas.ink(row, 0, codeX, false);
        EXPECT_GT(numberEnd, 0) << "row " << row;
        EXPECT_LE(numberEnd, editor->numberWidth) << "row " << row;
    }
    EXPECT_EQ(canvas.ink(1, captionX + 5), captionStart + 8);  // "row 1" against "row 0"
    EXPECT_EQ(canvas.ink(4, 2), -1);                           // the row past the end: background only
    Canvas one(editor->hwnd, [&](HDC dc) {
        FillRect(dc, &canvas.client, GetSysColorBrush(COLOR_WINDOW));
        SelectObject(dc, fntNormal);
        SetBkMode(dc, TRANSPARENT);
        SetTextAlign(dc, TA_RIGHT | TA_TOP);
        TextOutA(dc, editor->numberWidth, 0, "1", 1);
    });
    int otherThanOne = 0;
    for (int y = 0; y < tmNormal.height; ++y) {
        for (int x = 0; x < codeX; ++x) otherThanOne += canvas.pixel(x, y) != one.pixel(x, y);
    }
    EXPECT_EQ(otherThanOne, 0) << "the first row is numbered 1";

    SendMessageA(editor->hwnd, WM_HSCROLL, MAKEWPARAM(SB_THUMBPOSITION, 4), 0);
    Canvas scrolled(editor);
    EXPECT_EQ(scrolled.ink(3, editor->numberWidth + 1), codeStart - 4);
    EXPECT_EQ(scrolled.ink(0, captionX - 4), captionStart - 4);
    EXPECT_EQ(scrolled.ink(3, 0, editor->numberWidth + 1, false),
              canvas.ink(3, 0, editor->numberWidth + 1, false));
}

TEST_F(EditorTest, ShiftClickWidensTheSelectionWhichLosesItsColourWithTheFocus) {
    editor = openEditor(addLibraryTemplate("five.tmpl", "DWRD DWRD DWRD DWRD DWRD"));
    press(WM_LBUTTONDOWN, MK_LBUTTON, 3);
    SetCapture(mainWindow);  // taken away while the button is down: the next press captures again
    ReleaseCapture();
    press(WM_LBUTTONDOWN, MK_LBUTTON, 3);
    EXPECT_EQ(GetCapture(), editor->hwnd);
    press(WM_LBUTTONUP, 0, 3);
    EXPECT_EQ(GetCapture(), nullptr);
    press(WM_LBUTTONDOWN, MK_LBUTTON | MK_SHIFT, 1);
    EXPECT_EQ(editor->selStart, 1);
    EXPECT_EQ(editor->selEnd, 3);
    EXPECT_EQ(editor->caretRow, 1);
    const int selected[] = {COLOR_WINDOW, COLOR_HIGHLIGHT, COLOR_HIGHLIGHT, COLOR_HIGHLIGHT, COLOR_WINDOW};
    {
        Canvas canvas(editor);
        for (int row = 0; row < 5; ++row)
            EXPECT_EQ(canvas.background(row), GetSysColor(selected[row])) << row;
        // The focus rectangle marks the caret row only.
        EXPECT_NE(canvas.pixel(0, tmNormal.height), GetSysColor(COLOR_HIGHLIGHT));
        EXPECT_EQ(canvas.pixel(0, 2 * tmNormal.height), GetSysColor(COLOR_HIGHLIGHT));
    }
    SetFocus(FindWindowExA(mainWindow, nullptr, "SysTabControl32", nullptr));  // away from the view
    Canvas unfocused(editor);
    EXPECT_EQ(unfocused.background(2), GetSysColor(COLOR_BTNFACE));
    EXPECT_EQ(unfocused.pixel(0, tmNormal.height), GetSysColor(COLOR_BTNFACE));
}

TEST_F(EditorTest, DoubleClickEditsAFieldRowOnly) {
    editor = openEditor(addLibraryTemplate("double.tmpl", "DWRD DWRD"));
    auto doubleClick = [&](int32_t row) {
        return withFieldDialog([&] { press(WM_LBUTTONDBLCLK, MK_LBUTTON, row); },
                               [](HWND dialog) {
                                   SetDlgItemTextA(dialog, 1007, "Height");
                                   clickButton(dialog, IDOK);
                               });
    };
    EXPECT_EQ(doubleClick(1), 1u);
    EXPECT_STREQ(editor->templ->fields[1]->caption, "Height");
    EXPECT_EQ(tabText(0), "double.tmpl [*]");
    EXPECT_EQ(GetFocus(), editor->hwnd);
    EXPECT_EQ(doubleClick(2), 0u);
}

}  // namespace
}  // namespace guitest
