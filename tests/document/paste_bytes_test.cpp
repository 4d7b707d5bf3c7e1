#include "document/paste_bytes.h"

#include <gtest/gtest.h>

#include "document/changes.h"
#include "document/document_harness.h"
#include "document/history.h"
#include "fieldtypes/hex_bytes.h"

namespace {

using PasteBytes = DocumentTest;

struct Case {
    const char* what;
    const char* rows;
    const char* bytes;
    int64_t offset;
    const char* pasted;  // hexadecimal
    const char* saved;   // null: refused
    const char* reason;  // the start of the refusal
};

TEST_F(PasteBytes, RowsTakeTheBytesThroughTheirTypesAsOneChangeOrRefuse) {
    const Case cases[] = {
        {"within one row", "UBYT UWRD UBYT", "01 02 03 04", 1, "aa bb", "01 AA BB 04", nullptr},
        {"across rows", "UBYT UWRD UBYT", "01 02 03 04", 2, "ee ff", "01 02 EE FF", nullptr},
        {"the same bytes", "UBYT UBYT", "01 02", 0, "01", "01 02", nullptr},
        {"a value a condition reads, then the row after it", "UBYT:F WHEN:W=F UBYT SKPE UBYT", "01 05 06", 0,
         "00 07", "00 07 06", nullptr},
        {"a count", "BCNT LSTC UBYT LSTE", "01 05", 0, "02", nullptr, "\"BCNT\" decides which rows"},
        {"the rest of the file", "UBYT", "01 02 03", 1, "09", nullptr, "No row reads the rest"},
        {"past the end", "UBYT UBYT", "01 02", 1, "05 06", nullptr, "No row holds the byte at offset 2"},
        {"text whose length would change", "PSTR UBYT", "01 'a' 07", 0, "05", nullptr, "\"PSTR\" would not read"},
    };
    for (const Case& c : cases) {
        Document* document = open(c.rows, bytesOf(c.bytes));
        testsupport::Bytes pasted(static_cast<size_t>(hexBytesCount(c.pasted)));
        decodeHexBytes(c.pasted, pasted.data());
        bool done = pasteBytes(document, c.offset, pasted.data(), static_cast<int64_t>(pasted.size()));
        EXPECT_EQ(done, c.saved != nullptr) << c.what << ": " << document->refusal;
        EXPECT_EQ(saved(document), bytesOf(c.saved ? c.saved : c.bytes)) << c.what;
        if (c.reason) {
            EXPECT_EQ(std::string(document->refusal).rfind(c.reason, 0), 0u) << c.what << ": " << document->refusal;
        }
        if (!c.saved) continue;
        // One Undo takes back every row's edit, one Redo makes them again.
        if (undoChange(document)) {
            EXPECT_EQ(saved(document), bytesOf(c.bytes)) << c.what;
            EXPECT_TRUE(redoChange(document)) << c.what;
            EXPECT_EQ(saved(document), bytesOf(c.saved)) << c.what;
        }
        EXPECT_EQ(canUndo(document), std::string(c.bytes) != c.saved) << c.what;
    }
}

}  // namespace
