// Copy: in the rows, the selected rows as text lines; in the byte pane, its selection of bytes. Paste:
// bytes in hexadecimal over those from the byte pane's cursor on, an edit of the rows holding them.
#include <windows.h>

#include <vector>

#include "document/paste_bytes.h"
#include "document/rows.h"
#include "fieldtypes/hex_bytes.h"
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

void TfrmDocument::Paste() {
    if (GetFocus() != pane_.hwnd) return;
    std::string text = clipboardText(hwnd);
    int64_t count = hexBytesCount(text.c_str());
    if (count <= 0) {
        MessageBeep(MB_ICONWARNING);
        return Note(UIStrings[usPasteNotHex]);
    }
    std::vector<unsigned char> bytes(static_cast<size_t>(count));
    decodeHexBytes(text.c_str(), bytes.data());
    int64_t cursor = pane_.Cursor();
    int64_t layouts = document->layouts;
    if (!pasteBytes(document, cursor, bytes.data(), count)) return SayWhyRefused();
    if (!takeNewLayout(layouts)) RowsChanged();
    pane_.PlaceCursor(cursor);
}
