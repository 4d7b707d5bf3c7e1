#pragma once
// A document view on a real main frame: documents made from a compact template text over bytes
// written to a file, keys and clicks sent as messages, the value dialog answered, and the view's
// client area rendered into a bitmap whose pixels can be read.
#include <gtest/gtest.h>
#include <windows.h>

#include <cstdint>
#include <functional>
#include <string>
#include <vector>

#include "document/document_harness.h"
#include "mainwindow/frame_fixture.h"
#include "mainwindow/modal_driver.h"
#include "views/document/document_view.h"

namespace guitest {

// The view's client area as painted through WM_PRINTCLIENT, in 0x00RRGGBB pixels.
class Snapshot {
  public:
    explicit Snapshot(HWND view);
    ~Snapshot();
    Snapshot(const Snapshot&) = delete;
    Snapshot& operator=(const Snapshot&) = delete;

    uint32_t at(int x, int y) const { return pixels_[y * width_ + x] & 0xFFFFFF; }
    // Pixels of the rectangle that differ from the colour.
    int countOtherThan(uint32_t colour, RECT area) const;
    // The first column from `from` on with a pixel of another colour within rows [top, bottom); -1.
    int firstColumnOtherThan(uint32_t colour, int from, int top, int bottom) const;
    HDC dc() const { return dc_; }
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

class DocumentViewTest : public MainFrameTest {
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

    FieldInstance* row(int index) const;
    int indexOf(const FieldInstance* instance) const;  // -1 for none
    int currentRow() const { return indexOf(view->current); }
    // Indexes of the selected rows, "0 3 4".
    std::string selectedRows() const;
    // Rows with their depth in dots, code and value, as document_harness describes them.
    std::string rows() const { return describe(view->document); }

    // Runs the action while the value entry dialog it opens is answered with the text, by OK or by
    // Cancel. The text the dialog showed when it opened, or "(no dialog)".
    std::string answerValue(const std::function<void()>& action, const char* text, bool confirm);

    void press(UINT key, bool shift = false);
    void click(int y, bool shift = false);
    void doubleClick(int y);
    void wheel(int delta);
    void scrollBar(int bar, int request);

    int rowHeight() const;
    RECT client() const;
    SCROLLINFO scrollInfo(int bar) const;
    bool scrollBarEnabled(int bar) const;

    testsupport::TempDir dir;
    TfrmDocument* view = nullptr;
};

}  // namespace guitest
