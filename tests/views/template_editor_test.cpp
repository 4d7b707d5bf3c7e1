// The editor as it opens and as it paints, and the mouse.
#include <cstring>

#include "shell/drawing_resources.h"
#include "shell/strings.h"
#include "template_editor_fixture.h"

namespace guitest {
namespace {

// The editor painted into a bitmap of its client size.
class Canvas {
  public:
    explicit Canvas(TfrmTemplate* editor) {
        GetClientRect(editor->hwnd, &client);
        BITMAPINFO info{};
        info.bmiHeader.biSize = sizeof info.bmiHeader;
        info.bmiHeader.biWidth = client.right;
        info.bmiHeader.biHeight = -client.bottom;
        info.bmiHeader.biPlanes = 1;
        info.bmiHeader.biBitCount = 32;
        dc_ = CreateCompatibleDC(nullptr);
        bitmap_ = CreateDIBSection(dc_, &info, DIB_RGB_COLORS, reinterpret_cast<void**>(&bits_), nullptr, 0);
        old_ = SelectObject(dc_, bitmap_);
        std::memset(bits_, 0x5A, sizeof(uint32_t) * client.right * client.bottom);
        editor->Paint(dc_);
        GdiFlush();
    }
    ~Canvas() {
        SelectObject(dc_, old_);
        DeleteObject(bitmap_);
        DeleteDC(dc_);
    }

    COLORREF pixel(int x, int y) const {
        uint32_t value = bits_[y * client.right + x];
        return RGB((value >> 16) & 0xFF, (value >> 8) & 0xFF, value & 0xFF);
    }
    // The colour in the middle of a row, right of any text.
    COLORREF background(int row) const {
        return pixel(client.right - 3, row * tmNormal.height + tmNormal.height / 2);
    }
    // The leftmost and rightmost x from `from` on where the row's inside differs from its plain
    // colour (the window's); -1 when nothing was drawn there.
    int firstInk(int row, int from, COLORREF plain = GetSysColor(COLOR_WINDOW)) const {
        return inkEdge(row, from, client.right - 3, plain, true);
    }
    int lastInk(int row, int from, int to) const {
        return inkEdge(row, from, to, GetSysColor(COLOR_WINDOW), false);
    }

    RECT client{};

  private:
    int inkEdge(int row, int from, int to, COLORREF plain, bool first) const {
        int found = -1;
        for (int x = from; x < to; ++x) {
            for (int y = row * tmNormal.height + 1; y < (row + 1) * tmNormal.height - 1; ++y) {
                if (pixel(x, y) == plain) continue;
                found = x;
                if (first) return found;
                break;
            }
        }
        return found;
    }

    HDC dc_ = nullptr;
    HBITMAP bitmap_ = nullptr;
    HGDIOBJ old_ = nullptr;
    uint32_t* bits_ = nullptr;
};

class EditorTest : public TemplateEditorTest {
  protected:
    void press(UINT message, WPARAM keys, int x, int y) {
        SendMessageA(editor->hwnd, message, keys, MAKELPARAM(x, y));
    }
    int rowY(int32_t row) const { return (row - editor->topRow) * tmNormal.height + 1; }

    TfrmTemplate* editor = nullptr;
};

TEST_F(EditorTest, OpensOnItsOwnCloneAsAFocusedTabNamedAfterTheTemplate) {
    Template* source = addLibraryTemplate("shapes.tmpl", "DWRD LSTB PSTR LSTE");
    editor = openEditor(source);
    ASSERT_NE(editor, nullptr);
    EXPECT_NE(editor->templ, source);
    EXPECT_EQ(codesOf(*editor->templ), "DWRD LSTB PSTR LSTE");
    EXPECT_EQ(editor->templ->fields[2]->depth, 1);
    ASSERT_EQ(frame->count, 1);
    EXPECT_EQ(frame->entries[0]->kind, vkTemplate);
    EXPECT_EQ(tabText(0), "shapes.tmpl");

    char text[64] = "";
    GetWindowTextA(editor->hwnd, text, sizeof text);
    EXPECT_STREQ(text, "shapes.tmpl");
    GetClassNameA(editor->hwnd, text, sizeof text);
    EXPECT_STREQ(text, "TfrmTemplate");
    const LONG style = GetWindowLongA(editor->hwnd, GWL_STYLE);
    EXPECT_EQ(style & (WS_CHILD | WS_VSCROLL | WS_HSCROLL), WS_CHILD | WS_VSCROLL | WS_HSCROLL);
    EXPECT_TRUE(GetWindowLongA(editor->hwnd, GWL_EXSTYLE) & WS_EX_STATICEDGE);
    EXPECT_TRUE(IsWindowVisible(editor->hwnd));
    EXPECT_EQ(GetFocus(), editor->hwnd);
    EXPECT_TRUE(placedOn(editor->hwnd, displayArea()));
    EXPECT_TRUE(editor->saved);
    EXPECT_EQ(editor->caretRow, 0);
    EXPECT_EQ(editor->selStart, 0);
    EXPECT_EQ(editor->selEnd, 0);

    frame->OpenTemplateEditor(nullptr);
    EXPECT_EQ(frame->count, 1);
}

TEST_F(EditorTest, AnEmptyTemplateShowsOneRowPaintedAsTheSelection) {
    editor = openEditor(addLibraryTemplate("empty.tmpl", ""));
    const COLORREF highlight = GetSysColor(COLOR_HIGHLIGHT);
    const COLORREF window = GetSysColor(COLOR_WINDOW);
    {
        Canvas canvas(editor);
        EXPECT_EQ(canvas.background(0), highlight);
        EXPECT_EQ(canvas.firstInk(0, 2, highlight), -1);
        EXPECT_EQ(canvas.background(1), window);
        EXPECT_EQ(canvas.pixel(2, canvas.client.bottom - 1), window);
    }
    SetFocus(mainWindow);
    Canvas unfocused(editor);
    EXPECT_EQ(unfocused.background(0), GetSysColor(COLOR_BTNFACE));
}

TEST_F(EditorTest, RowsShowNumbersAndCodesAndCaptionsIndentedByDepth) {
    Template* source = addLibraryTemplate("nested.tmpl", "LSTB LSTB LSTE LSTE");
    delete[] source->fields[3]->caption;
    source->fields[3]->caption = DupString(std::string(150, 'w').c_str());
    editor = openEditor(source);
    SendMessageA(editor->hwnd, WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(5, rowY(5)));  // selection off the rows
    const int codeX = editor->numberWidth + 8;
    const int captionX = codeX + editor->codeWidth;
    Canvas canvas(editor);
    const int codeStart = canvas.firstInk(0, editor->numberWidth + 1);
    const int captionStart = canvas.firstInk(0, captionX);
    ASSERT_GE(codeStart, codeX);
    ASSERT_LT(codeStart, codeX + 3);
    EXPECT_EQ(canvas.firstInk(1, editor->numberWidth + 1), codeStart + 8);  // LSTB at depth 1
    EXPECT_EQ(canvas.firstInk(1, captionX + 5), captionStart + 8);          // "row 1" against "row 0"
    EXPECT_EQ(canvas.firstInk(2, editor->numberWidth + 1), codeStart + 8);
    EXPECT_EQ(canvas.firstInk(3, editor->numberWidth + 1), codeStart);
    for (int row = 0; row < 4; ++row) {
        const int numberEnd = canvas.lastInk(row, 0, codeX);
        EXPECT_GT(numberEnd, 0) << "row " << row;
        EXPECT_LE(numberEnd, editor->numberWidth) << "row " << row;
    }
    EXPECT_EQ(canvas.firstInk(4, 2), -1);  // the row past the end: background only

    SendMessageA(editor->hwnd, WM_HSCROLL, MAKEWPARAM(SB_THUMBPOSITION, 4), 0);
    Canvas scrolled(editor);
    EXPECT_EQ(scrolled.firstInk(3, editor->numberWidth + 1), codeStart - 4);
    EXPECT_EQ(scrolled.firstInk(0, captionX - 4), captionStart - 4);
    const int numberEnd = canvas.lastInk(3, 0, editor->numberWidth + 1);
    EXPECT_EQ(scrolled.lastInk(3, 0, editor->numberWidth + 1), numberEnd);  // numbers stay
}

TEST_F(EditorTest, ShiftClickWidensTheSelectionWhichLosesItsColourWithTheFocus) {
    editor = openEditor(addLibraryTemplate("five.tmpl", "DWRD DWRD DWRD DWRD DWRD"));
    press(WM_LBUTTONDOWN, MK_LBUTTON, 5, rowY(3));
    press(WM_LBUTTONUP, 0, 5, rowY(3));
    press(WM_LBUTTONDOWN, MK_LBUTTON | MK_SHIFT, 5, rowY(1));
    press(WM_LBUTTONUP, 0, 5, rowY(1));
    EXPECT_EQ(editor->selStart, 1);
    EXPECT_EQ(editor->selEnd, 3);
    EXPECT_EQ(editor->caretRow, 1);
    const COLORREF expected[] = {GetSysColor(COLOR_WINDOW), GetSysColor(COLOR_HIGHLIGHT),
                                 GetSysColor(COLOR_HIGHLIGHT), GetSysColor(COLOR_HIGHLIGHT),
                                 GetSysColor(COLOR_WINDOW)};
    {
        Canvas canvas(editor);
        for (int row = 0; row < 5; ++row) EXPECT_EQ(canvas.background(row), expected[row]) << "row " << row;
        EXPECT_NE(canvas.pixel(0, rowY(1) - 1), expected[1]);  // the focus rectangle on the caret row
        EXPECT_EQ(canvas.pixel(0, rowY(2) - 1), expected[2]);
    }
    SetFocus(mainWindow);
    Canvas unfocused(editor);
    EXPECT_EQ(unfocused.background(2), GetSysColor(COLOR_BTNFACE));
    EXPECT_EQ(unfocused.pixel(0, rowY(1) - 1), GetSysColor(COLOR_BTNFACE));
}

TEST_F(EditorTest, TheCaptureIsHeldWhileAnyButtonIsDown) {
    editor = openEditor(addLibraryTemplate("capture.tmpl", "DWRD DWRD"));
    SetFocus(mainWindow);
    press(WM_RBUTTONDOWN, MK_RBUTTON, 5, rowY(1));
    EXPECT_EQ(GetFocus(), editor->hwnd);
    EXPECT_EQ(GetCapture(), editor->hwnd);
    EXPECT_EQ(editor->caretRow, 0);  // the right button does not move the caret
    press(WM_LBUTTONDOWN, MK_LBUTTON | MK_RBUTTON, -4, rowY(1));
    EXPECT_EQ(editor->captureCount, 2);
    EXPECT_EQ(editor->caretRow, 0);  // outside the window
    press(WM_LBUTTONUP, MK_RBUTTON, 5, rowY(1));
    EXPECT_EQ(GetCapture(), editor->hwnd);
    press(WM_RBUTTONUP, 0, 5, rowY(1));
    EXPECT_EQ(GetCapture(), nullptr);
    EXPECT_EQ(editor->captureCount, 0);
    press(WM_LBUTTONUP, 0, 5, rowY(1));
    EXPECT_EQ(editor->captureCount, 0);
}

TEST_F(EditorTest, HitTestCountsRowsFromTheTopRowInsideTheClientAreaOnly) {
    editor = openEditor(addLibraryTemplate("hits.tmpl", repeated("DWRD", 300).c_str()));
    RECT client;
    GetClientRect(editor->hwnd, &client);
    const int h = tmNormal.height;
    SendMessageA(editor->hwnd, WM_VSCROLL, MAKEWPARAM(SB_THUMBPOSITION, 7), 0);
    struct Case {
        int x, y;
        int32_t row;
    } const cases[] = {
        {-1, 0, -1},
        {0, -1, -1},
        {client.right + 1, 0, -1},
        {0, client.bottom + 1, -1},
        {0, 0, 7},
        {client.right, h - 1, 7},
        {3, h, 8},
        {0, client.bottom, client.bottom / h + 7},
    };
    for (const Case& c : cases) EXPECT_EQ(editor->HitTest(c.x, c.y), c.row) << c.x << "," << c.y;
}

TEST_F(EditorTest, DoubleClickEditsAFieldRowOnly) {
    editor = openEditor(addLibraryTemplate("double.tmpl", "DWRD DWRD"));
    const size_t dialogs = withFieldDialog([&] { press(WM_LBUTTONDBLCLK, MK_LBUTTON, 5, rowY(1)); },
                                           [](HWND dialog) {
                                               SetDlgItemTextA(dialog, 1007, "Height");
                                               clickButton(dialog, IDOK);
                                           });
    EXPECT_EQ(dialogs, 1u);
    EXPECT_STREQ(editor->templ->fields[1]->caption, "Height");
    EXPECT_EQ(tabText(0), "double.tmpl [*]");
    EXPECT_EQ(GetFocus(), editor->hwnd);
    EXPECT_EQ(withFieldDialog([&] { press(WM_LBUTTONDBLCLK, MK_LBUTTON, 5, rowY(2)); },
                              [](HWND dialog) { clickButton(dialog, IDCANCEL); }),
              0u);
}

}  // namespace
}  // namespace guitest
