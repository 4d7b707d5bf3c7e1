// The document view's window, caption and life on a tab.
#include "document_view_fixture.h"
#include "mainwindow/window_resources.h"
#include "resource_ids.h"
#include "shell/ui_strings.h"

namespace guitest {
namespace {

using DocumentViewLife = DocumentViewTest;

TEST_F(DocumentViewLife, OpensOnItsTabWithTheFirstRowSelectedAndCurrent) {
    open("DWRD:Width DWRD:Height", {0, 1, 0, 2}, "shape.bin");
    EXPECT_EQ(tabText(0), "shape.bin");
    EXPECT_EQ(windowText(view->hwnd), "shape.bin");
    EXPECT_EQ(currentRow(), 0);
    EXPECT_EQ(row(0)->flags, kInstanceSelected | kInstanceCurrent);
    EXPECT_EQ(row(1)->flags, 0u);
    EXPECT_EQ(GetParent(view->hwnd), mainWindow);
    RECT rows = placeOf(view->hwnd), bytes = placeOf(view->Bytes().hwnd), both, area = displayArea();
    UnionRect(&both, &rows, &bytes);
    EXPECT_TRUE(EqualRect(&both, &area)) << "the rows and their bytes share the tab";
    LONG style = GetWindowLongA(view->hwnd, GWL_STYLE);
    EXPECT_EQ(style & (WS_CHILD | WS_VSCROLL | WS_HSCROLL), WS_CHILD | WS_VSCROLL | WS_HSCROLL);
    EXPECT_TRUE(GetWindowLongA(view->hwnd, GWL_EXSTYLE) & WS_EX_STATICEDGE);
    EXPECT_TRUE(GetClassLongA(view->hwnd, GCL_STYLE) & CS_DBLCLKS);
}

TEST_F(DocumentViewLife, NewDocumentIsUntitled) {
    Template templ;
    fillTemplate(templ, "DWRD");
    Document* document = createDocument(nullptr, UIStrings[usUntitled], &templ);
    bindNew(document);
    show(document);
    EXPECT_EQ(tabText(0), "Untitled");
    document->saved = false;
    view->UpdateCaption();
    EXPECT_EQ(tabText(0), "Untitled [*]");
    EXPECT_EQ(windowText(view->hwnd), "Untitled [*]");
}

TEST_F(DocumentViewLife, EmptyDocumentHasNoRowToActOn) {
    open("", {});
    EXPECT_EQ(view->current, nullptr);
    for (UINT key : {VK_UP, VK_DOWN, VK_RETURN, VK_INSERT, VK_NEXT, VK_END}) press(key);
    click(5);
    click(5, true);
    EXPECT_EQ(view->current, nullptr);
    EXPECT_TRUE(view->document->saved);
    Snapshot painted(view->hwnd);
    EXPECT_EQ(painted.countOtherThan(colourOf(COLOR_WINDOW), client()), 0);
}

TEST_F(DocumentViewLife, WindowOutlivingItsViewGoesToDefaultProcessing) {
    Template templ;
    fillTemplate(templ, "DWRD");
    Document* document = createDocument(nullptr, "Untitled", &templ);
    bindNew(document);
    auto* loose = new TfrmDocument(frame, mainWindow, document);
    HWND window = loose->hwnd;
    delete loose;
    EXPECT_EQ(GetWindowLongPtrA(window, GWLP_USERDATA), 0);
    SendMessageA(window, WM_KEYDOWN, VK_DOWN, 1);
    SendMessageA(window, WM_LBUTTONDOWN, MK_LBUTTON, 0);
    SendMessageA(window, WM_LBUTTONUP, 0, 0);
    DestroyWindow(window);
}

}  // namespace
}  // namespace guitest
