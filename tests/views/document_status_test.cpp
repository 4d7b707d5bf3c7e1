// The status bar tells where the current row lies; Go to offset makes the row holding a byte current.
#include "document_view_fixture.h"
// after windows.h, whose types it uses
#include <commctrl.h>

#include "resource_ids.h"
#include "views/document/goto_offset_ids.h"

namespace guitest {
namespace {

class DocumentStatus : public DocumentViewTest {
  protected:
    // The status bar's parts, separated by "|".
    std::string status() const {
        std::string text;
        for (int part = 0; part < 4; ++part) {
            char buffer[128] = "";
            SendMessageA(frame->hwndStatus, SB_GETTEXTA, part, reinterpret_cast<LPARAM>(buffer));
            text += (part ? "|" : "") + std::string(buffer);
        }
        return text;
    }

    // Runs Go to offset with each text typed in turn; the prompt each answer left, "|" between.
    std::string goTo(std::vector<const char*> texts) {
        std::string prompts;
        std::vector<DialogStep> steps;
        for (const char* text : texts) {
            steps.push_back([text, &prompts](HWND dialog) {
                prompts += windowText(GetDlgItem(dialog, IDC_GOTO_PROMPT)) + "|";
                SetDlgItemTextA(dialog, IDC_GOTO_EDIT, text);
                PostMessageA(dialog, WM_COMMAND, *text ? IDOK : IDCANCEL, 0);
            });
        }
        driveModal(
            "Go to offset", [this] { SendMessageA(view->hwnd, WM_COMMAND, cmdGoToOffset, 0); }, steps);
        return prompts;
    }
};

const char* const kRows = "PSTR:Name BCNT:N LSTC:Item DWRD:V LSTE:End";
const Bytes kBytes{1, 'a', 2, 0, 1, 0, 2};

TEST_F(DocumentStatus, TheCurrentRowsOffsetSizeCodeAndItemFollowMovesAndChanges) {
    open(kRows, kBytes);
    EXPECT_EQ(status(), "Offset $0 (0), size 2|PSTR||7 bytes, 7 rows");
    for (int i = 0; i < 5; ++i) press(VK_DOWN);
    EXPECT_EQ(status(), "Offset $5 (5), size 2|DWRD|Item [1]|7 bytes, 7 rows");
    press(VK_END);
    EXPECT_EQ(status(), "Offset $7 (7), size 0|LSTE||7 bytes, 7 rows");

    press(VK_HOME);
    answerValue([this] { press(VK_RETURN); }, "abcdefghijklm", true);
    EXPECT_EQ(status(), "Offset $0 (0), size 14|PSTR||19 bytes, 7 rows");
    press(VK_END);
    press(VK_UP);
    press(VK_UP);
    press(VK_INSERT);  // before the second item
    EXPECT_EQ(status(), "Offset $13 (19), size 0|LSTC|Item [2]|21 bytes, 9 rows");
    press(VK_DOWN);
    EXPECT_EQ(status(), "Offset $13 (19), size 2|DWRD|Item [2]|21 bytes, 9 rows");
    press(VK_UP);
    press(VK_DELETE);
    EXPECT_EQ(status(), "Offset $13 (19), size 0|LSTE||19 bytes, 7 rows");
}

TEST_F(DocumentStatus, GoToOffsetTakesDecimalOrHexAndRefusesOffsetsPastTheEnd) {
    open(kRows, kBytes);
    EXPECT_EQ(goTo({"$5"}), "Byte offset (decimal, or hexadecimal after $ or 0x):|");
    EXPECT_EQ(currentRow(), 5);
    EXPECT_EQ(selectedRows(), "5");
    EXPECT_EQ(goTo({"7", "x", "0x3"}),
              "Byte offset (decimal, or hexadecimal after $ or 0x):|7 is past the end: the document has 7 "
              "bytes.|That is no offset: type 26, $1A or 0x1A.|");
    EXPECT_EQ(currentRow(), 3);  // the first row holding the byte, not the header before it
    goTo({""});
    EXPECT_EQ(currentRow(), 3);
}

TEST_F(DocumentStatus, AViewOnAnotherTabClearsTheStatusBar) {
    open(kRows, kBytes);
    openView("plain");
    EXPECT_EQ(status(), "|||");
}

}  // namespace
}  // namespace guitest
