// What the document view paints: backgrounds by selection and focus, the focus rectangle, control
// rows with their numbers and brackets, nesting lines, and the row
// layout a field type draws on.
#include <cstring>

#include "document_view_fixture.h"
#include "fieldtypes/registry.h"
#include "platform/recording_surface.h"
#include "shell/drawing_resources.h"
#include "views/document/row_drawing.h"

namespace guitest {
namespace {

using platform::DrawnLine;
using platform::RecordingSurface;

constexpr int kRowWidth = 200;

class DocumentPaint : public DocumentViewTest {
  protected:
    // The row drawn from x = 0 on a row kRowWidth wide whose top is 0.
    void record(int index) {
        surface.clear();
        FieldInstance* instance = row(index);
        PaintContext paint{surface.dc(), {0, 0, kRowWidth, 100}, 1};
        RowLayout layout = rowLayout(instance, {0, 0, kRowWidth, instance->height});
        drawRowContent(instance, paint, layout);
    }
    std::string texts() const {
        std::string joined;
        for (const auto& text : surface.texts) joined += (joined.empty() ? "" : "|") + text.text;
        return joined;
    }
    // The rectangle of a row in client coordinates, cut to the columns [left, right).
    RECT rowArea(int index, int left, int right) const {
        return {left, index * rowHeight(), right, (index + 1) * rowHeight()};
    }

    RecordingSurface surface;
};

bool sameLines(const std::vector<DrawnLine>& drawn, const std::vector<DrawnLine>& expected) {
    if (drawn.size() != expected.size()) return false;
    for (size_t i = 0; i < drawn.size(); ++i) {
        const DrawnLine& a = drawn[i];
        const DrawnLine& b = expected[i];
        if (a.x1 != b.x1 || a.y1 != b.y1 || a.x2 != b.x2 || a.y2 != b.y2 || a.pen != penTreeLine)
            return false;
    }
    return true;
}

TEST_F(DocumentPaint, BackgroundsFollowSelectionAndFocus) {
    open("DWRD:A DWRD:B DWRD:C", {0, 1, 0, 2, 0, 3});
    press(VK_DOWN, true);  // rows 0 and 1 selected, row 1 current
    const int right = client().right;
    const uint32_t window = colourOf(COLOR_WINDOW);
    const uint32_t highlight = colourOf(COLOR_HIGHLIGHT);
    const uint32_t inactive = colourOf(COLOR_BTNFACE);
    {
        Snapshot painted(view->hwnd);
        EXPECT_EQ(painted.countOtherThan(highlight, rowArea(0, 0, 2)), 0);
        EXPECT_EQ(painted.countOtherThan(highlight, rowArea(0, right - 60, right)), 0);
        EXPECT_GT(painted.countOtherThan(highlight, rowArea(1, 0, 1)), 0) << "focus rectangle";
        EXPECT_EQ(painted.countOtherThan(window, rowArea(2, right - 60, right)), 0);
        EXPECT_EQ(painted.countOtherThan(window, {0, 3 * rowHeight(), right, painted.height()}), 0);
    }
    pumpPending();
    SetFocus(FindWindowExA(mainWindow, nullptr, "SysTabControl32", nullptr));  // away from the view
    EXPECT_TRUE(GetUpdateRect(view->hwnd, nullptr, FALSE)) << "losing the focus repaints";
    Snapshot painted(view->hwnd);
    EXPECT_EQ(painted.countOtherThan(inactive, rowArea(0, 0, 2)), 0);
    EXPECT_EQ(painted.countOtherThan(inactive, rowArea(1, 0, 2)), 0) << "no focus rectangle";
    EXPECT_EQ(painted.countOtherThan(inactive, rowArea(1, right - 60, right)), 0);
}

TEST_F(DocumentPaint, CountRowsShowTheirNumbersAfterTheCaption) {
    open("WZCT:Zero LSTC DBYT LSTE WCNT:Full LSTC DBYT LSTE BSIZ:Size", {0, 2, 1, 2, 3, 0xFF, 0xFF, 7});
    EXPECT_EQ(rows(),
              "WZCT 2;LSTC #0;.DBYT 1;LSTC #1;.DBYT 2;LSTC #2;.DBYT 3;LSTE;WCNT -1;LSTC #0;LSTE;BSIZ 7");
    record(0);
    EXPECT_EQ(texts(), "Zero|3");
    ASSERT_EQ(surface.texts.size(), 2u);
    EXPECT_EQ(surface.texts[1].x, 4 + platform::system::measureText(fntBold, "Zero", 4) + 12);
    EXPECT_EQ(surface.texts[1].font, fntNormal);
    record(8);
    EXPECT_EQ(texts(), "Full|65535");
    record(11);
    EXPECT_EQ(texts(), "Size");
}

TEST_F(DocumentPaint, ListBracketsStandAtTheirListsDepth) {
    open("BCNT LSTC BCNT LSTC DBYT LSTE LSTE", {2, 1, 9, 0});
    EXPECT_EQ(rows(), "BCNT 2;LSTC #0;.BCNT 1;.LSTC #0;..DBYT 9;.LSTE;LSTC #1;.BCNT 0;.LSTC #0;.LSTE;LSTE");
    const int h = rowHeight();
    const int mid = h / 2;
    struct Case {
        int row;
        std::vector<DrawnLine> lines;
    };
    const Case cases[] = {
        {1, {{6, h, 6, mid, nullptr}, {6, mid, kRowWidth, mid, nullptr}}},     // first header
        {3, {{18, h, 18, mid, nullptr}, {18, mid, kRowWidth, mid, nullptr}}},  // nested first header
        {5, {{18, 0, 18, mid, nullptr}, {18, mid, kRowWidth, mid, nullptr}}},  // nested end
        {6, {{6, h, 6, 0, nullptr}, {6, mid, kRowWidth, mid, nullptr}}},       // second header
        {10, {{6, 0, 6, mid, nullptr}, {6, mid, kRowWidth, mid, nullptr}}},    // end
    };
    for (const Case& c : cases) {
        record(c.row);
        EXPECT_TRUE(sameLines(surface.lines, c.lines)) << "row " << c.row;
        EXPECT_TRUE(surface.texts.empty()) << "row " << c.row;
    }

    struct Nesting {
        int left;
        int clipRight;
        std::vector<int> xs;
    };
    const Nesting nestings[] = {{0, kRowWidth, {18, 6}}, {0, 10, {6}}, {-12, kRowWidth, {6}}};
    for (const Nesting& n : nestings) {
        surface.clear();
        drawNestingLines(surface.dc(), row(4), n.left, 0, h, n.clipRight);
        std::vector<DrawnLine> expected;
        for (int x : n.xs) expected.push_back({x, 0, x, h, nullptr});
        EXPECT_TRUE(sameLines(surface.lines, expected)) << "left " << n.left << ", clip " << n.clipRight;
    }
}

// A field type that notes what the view hands to drawValue when it paints on a device context
// (rather than measuring on a recording surface).
struct Probe {
    static int draws;
    static PaintContext paint;
    static RowLayout layout;
    static char value;

    static void* create(FieldInstance*) { return &value; }
    static void destroy(FieldInstance*, void*) {}
    static void draw(FieldInstance*, void*, PaintContext* context, RowLayout* row) {
        if (RecordingSurface::find(context->dc)) return;
        ++draws;
        paint = *context;
        layout = *row;
    }
    static void install(const char* code) {
        FieldTypeProcs procs{};
        procs.length = kFieldTypeProcsLength;
        procs.createValue = create;
        procs.destroyValue = destroy;
        procs.drawValue = draw;
        draws = 0;
        registerFieldType(fieldCodeOf(code), code, 0, &procs);
    }
};
int Probe::draws = 0;
PaintContext Probe::paint{};
RowLayout Probe::layout{};
char Probe::value = 0;

TEST_F(DocumentPaint, KeyRowsAreDrawnByTheViewWithTheirKey) {
    Probe::install("KBYT");
    open("DWRD:A KBYT:Key DWRD:B", {0, 1, 2});
    EXPECT_EQ(rows(), "DWRD 1;KBYT 2");
    Snapshot painted(view->hwnd);
    EXPECT_EQ(Probe::draws, 0);
    record(1);
    EXPECT_EQ(texts(), "Key|2");
}

}  // namespace
}  // namespace guitest
