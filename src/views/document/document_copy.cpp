// Copy: in the rows, the selected rows as text lines; in the byte pane, its selection of bytes.
#include <windows.h>

#include "document/rows.h"
#include "fieldtypes/value_query.h"
#include "shell/ui_strings.h"
#include "views/document/clipboard.h"
#include "views/document/document_view.h"

void TfrmDocument::Copy() {
    std::string text;
    if (GetFocus() != pane_.hwnd) {
        text = selectedRowsText(document);
    } else if (!pane_.SelectionHex(&text)) {
        MessageBeep(MB_ICONWARNING);
        return Note(promptText(UIStrings[usCopyTooLarge], std::to_string(kMaxCopiedBytes).c_str()));
    }
    if (!putClipboardText(hwnd, text)) MessageBeep(MB_ICONWARNING);
}
