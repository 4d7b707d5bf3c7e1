#pragma once
// A main frame with a template library of the test's own, editors opened on it, and a driver that
// answers the modal dialogs from inside their message loops, through their controls.
#include <functional>
#include <string>

#include "mainwindow/frame_fixture.h"
#include "support/temp_dir.h"
#include "templates/template.h"
#include "views/template/template_editor.h"

namespace guitest {

// Runs its steps, one per timer tick, on the next dialog this thread shows; each step sees the
// dialog window. Posted input is handled before the next tick. A dialog still open a few seconds
// after the last step is ended by force, which the test can see.
class DialogDriver {
  public:
    using Step = std::function<void(HWND dialog)>;
    static constexpr int kMaxSteps = 4;

    DialogDriver(std::initializer_list<Step> steps);
    ~DialogDriver();
    DialogDriver(const DialogDriver&) = delete;
    DialogDriver& operator=(const DialogDriver&) = delete;

    int stepsRun() const { return next_; }
    bool forcedClose() const { return forced_; }

  private:
    static void CALLBACK tick(HWND, UINT, UINT_PTR, DWORD);
    void onTick();

    Step steps_[kMaxSteps];
    int count_ = 0;
    int next_ = 0;
    int idleTicks_ = 0;
    bool forced_ = false;
    UINT_PTR timer_ = 0;
};

// Input as the user gives it, posted to the window that has it.
void clickButton(HWND dialog, int id);
void pressKey(HWND window, WPARAM key);
void doubleClickAt(HWND window, POINT point);
std::string controlText(HWND dialog, int id);
// A control's rectangle in its parent's client coordinates.
RECT childRect(HWND control);
RECT controlRect(HWND dialog, int id);

// Shift as GetKeyState reports it, for as long as the object lives.
class ShiftHeld {
  public:
    ShiftHeld();
    ~ShiftHeld();
};

class TemplateEditorTest : public MainFrameTest {
  protected:
    void TearDown() override;

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
