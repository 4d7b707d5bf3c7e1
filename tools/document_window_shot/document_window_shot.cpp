// Shows the main window with one document of nested lists, a few rows selected and their bytes in
// the byte pane beside them, until Exit (Alt+X) or the window is closed;
// tools/document-window-shot.sh takes the screenshot.
#include <windows.h>

#include <cstdio>
#include <string>

#include "document/binding.h"
#include "mainwindow/main_frame.h"
#include "mainwindow/window_resources.h"
#include "shell/drawing_resources.h"
#include "shell/startup.h"
#include "templates/template.h"
#include "views/document/document_view.h"

namespace {

struct Row {
    const char* code;
    const char* caption;
};

// A small container format: chunks, each with a name and a list of tagged fields.
const Row kRows[] = {
    {"HLNG", "Signature"}, {"WCNT", "Chunk count"}, {"LSTC", "Chunk"},        {"PSTR", "Name"},
    {"BZCT", "Fields"},    {"LSTC", "Field"},       {"UBYT", "Tag"},          {"hlng", "Flags"},
    {"DWRD", "Value"},     {"LSTE", "End"},         {"DVDR", "End of chunk"}, {"LSTE", "End"},
    {"uqwd", "Checksum"},
};

const unsigned char kBytes[] = {
    'S',  'D',  'X',  '1',  0x00, 0x02,              // signature, two chunks
    6,    'h',  'e',  'a',  'd',  'e',  'r',  1,     // "header" with two fields
    1,    0x01, 0x00, 0x00, 0x00, 0x00, 0x40,        //
    2,    0x10, 0x00, 0x00, 0x00, 0xFF, 0xFF,        //
    4,    'b',  'o',  'd',  'y',  0,                 // "body" with one field
    7,    0x00, 0x01, 0x00, 0x00, 0x7F, 0xFF,        //
    0x2A, 0x00, 0x00, 0x00, 0x00, 0x00, 0x00, 0x00,  // checksum
};

std::string writeSample() {
    char directory[MAX_PATH];
    GetTempPathA(MAX_PATH, directory);
    std::string path = std::string(directory) + "sample.sdx";
    if (FILE* file = std::fopen(path.c_str(), "wb")) {
        std::fwrite(kBytes, 1, sizeof kBytes, file);
        std::fclose(file);
    }
    return path;
}

void click(HWND window, int row, bool shift) {
    LPARAM point = MAKELPARAM(20, row * tmBold.height + 1);
    SendMessageA(window, WM_LBUTTONDOWN, MK_LBUTTON | (shift ? MK_SHIFT : 0), point);
    SendMessageA(window, WM_LBUTTONUP, 0, point);
}

}  // namespace

int main() {
    moduleInstance = GetModuleHandleA(nullptr);
    curArrow = LoadCursorA(nullptr, IDC_ARROW);
    startEngine();
    std::string path = writeSample();
    {
        Template templ;
        for (const Row& row : kRows) templ.appendField(row.code, row.caption);
        templ.link();
        TfrmMain frame;
        MoveWindow(frame.hwnd, 0, 0, 1000, 360, TRUE);
        Document* document = createDocument(path.c_str(), "Untitled", &templ);
        bindFile(document);
        auto* view = new TfrmDocument(&frame, frame.hwnd, document);
        frame.ActivateView(frame.AddView(vkDocument, view));
        click(view->hwnd, 6, false);
        click(view->hwnd, 8, true);
        frame.RunMessageLoop();
    }
    stopEngine();
    DeleteFileA(path.c_str());
    return 0;
}
