#pragma once
// A main frame with a template library of the test's own, editors opened on it, and the input with
// which tests answer the template dialogs through their controls.
#include <functional>
#include <string>
#include <vector>

#include "mainwindow/frame_fixture.h"
#include "mainwindow/modal_driver.h"
#include "support/temp_dir.h"
#include "templates/template.h"
#include "views/template/template_editor.h"

namespace guitest {

// Input as the user gives it, posted to the window that has it.
void clickButton(HWND dialog, int id);
void pressKey(HWND window, WPARAM key);
void doubleClickAt(HWND window, POINT point);

// Shift as GetKeyState reports it, for as long as the object lives.
struct ShiftHeld {
    ShiftHeld() { setShift(0x80); }
    ~ShiftHeld() { setShift(0); }
    static void setShift(BYTE state);
};

class TemplateEditorTest : public MainFrameTest {
  protected:
    static constexpr const char* kFieldDialogTitle = "Edit field:";

    void TearDown() override;

    // Runs action, answering the field dialog it opens; how many steps ran (0: no dialog came).
    static size_t withFieldDialog(const std::function<void()>& action, DialogStep answer) {
        return driveModal(kFieldDialogTitle, action, {std::move(answer)});
    }

    // A library template named name, saved under the test's directory, one row per code
    // ("LSTB DWRD LSTE"), row i captioned "row i".
    Template* addLibraryTemplate(const char* name, const char* codes);
    // Opens an editor the way the template list does and returns it.
    TfrmTemplate* openEditor(Template* libraryTemplate);
    // count copies of code, separated by spaces.
    static std::string repeated(const char* code, int count);
    // The codes of the editor's rows, four characters each, separated by spaces.
    static std::string codesOf(const Template& t);

    testsupport::TempDir dir;
};

}  // namespace guitest
