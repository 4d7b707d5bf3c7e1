#pragma once
// Document views and template editors on a real main frame: documents made from a compact template
// text over bytes written to a file, a template library of the test's own, keys and clicks sent as
// messages, the dialogs they open answered, and a view's client area painted into a bitmap whose
// pixels can be read.
#include <cstdint>
#include <functional>
#include <string>

#include "document/document_harness.h"
#include "mainwindow/frame_fixture.h"
#include "views/document/document_view.h"
#include "views/template/template_editor.h"

namespace guitest {

// A window's client area as painted by paint (by default through WM_PRINTCLIENT), in 0x00RRGGBB.
class Snapshot {
  public:
    explicit Snapshot(HWND window, const std::function<void(HDC)>& paint = nullptr);
    ~Snapshot();
    Snapshot(const Snapshot&) = delete;
    Snapshot& operator=(const Snapshot&) = delete;

    uint32_t at(int x, int y) const { return pixels_[y * width_ + x] & 0xFFFFFF; }
    // Pixels of the rectangle that differ from the colour.
    int countOtherThan(uint32_t colour, RECT area) const;
    // The leftmost (or rightmost) column of the rectangle with a pixel other than the window colour;
    // -1 when there is none.
    int ink(RECT area, bool leftmost = true) const;
    int width() const { return width_; }
    int height() const { return height_; }

  private:
    HDC dc_;
    HBITMAP bitmap_;
    HGDIOBJ old_;
    uint32_t* pixels_ = nullptr;
    int width_;
    int height_;
};

// A system colour as 0x00RRGGBB.
uint32_t colourOf(int systemColour);

class ViewTest : public MainFrameTest {
  protected:
    static constexpr int kFrameWidth = 400;
    static constexpr int kFrameHeight = 300;

    void SetUp() override;
    void TearDown() override;

    // A document of the rows bound to the bytes, written to a file of that name.
    Document* bound(const std::string& rows, const Bytes& bytes, const char* name = "data.bin");
    // A view on such a document, on a new tab.
    TfrmDocument* open(const std::string& rows, const Bytes& bytes, const char* name = "data.bin") {
        return show(bound(rows, bytes, name));
    }
    // A view made and shown as open() does, on a document made elsewhere.
    TfrmDocument* show(Document* document);
    // A new document of the rows, without a file.
    Document* untitled(const char* rows);

    FieldInstance* row(int index) const;
    int indexOf(const FieldInstance* instance) const;  // -1 for none
    int currentRow() const { return indexOf(view->current); }
    // Indexes of the selected rows, "0 3 4".
    std::string selectedRows() const;
    // Rows with their depth in dots, code and value, as document_harness describes them.
    std::string rows() const { return describe(view->document); }
    int rowHeight() const;

    // Runs the action while the value entry dialog it opens is answered with the text, by OK or by
    // Cancel. The text the dialog showed when it opened, or "(no dialog)".
    std::string answerValue(const std::function<void()>& action, const char* text, bool confirm);

    // A library template of the rows, its file under the test's directory.
    Template* addLibraryTemplate(const char* name, const std::string& rows);
    // Opens an editor the way the template list does and returns it.
    TfrmTemplate* openEditor(Template* libraryTemplate);
    // The codes of the template's rows, separated by spaces.
    static std::string codesOf(const Template& t);
    // Runs action, answering the field dialog it opens; how many steps ran (0: no dialog came).
    static size_t withFieldDialog(const std::function<void()>& action, DialogStep answer) {
        return driveModal("Edit field:", action, {std::move(answer)});
    }
    // Answers the field dialog with a code and a caption, or cancels it when code is null.
    static DialogStep fill(const char* code, const char* caption = "new");

    // Input to the window of the view last opened.
    void press(UINT key, bool shift = false);
    void click(int y, bool shift = false);
    void doubleClick(int y);
    void wheel(int delta);
    void scrollBar(int bar, int request);
    RECT client() const;
    SCROLLINFO scrollInfo(int bar) const;
    bool scrollBarEnabled(int bar) const;

    testsupport::TempDir dir;
    TfrmDocument* view = nullptr;
    TfrmTemplate* editor = nullptr;
    HWND window = nullptr;
};

}  // namespace guitest
