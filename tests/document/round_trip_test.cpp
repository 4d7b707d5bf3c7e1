// After any sequence of edits, insertions, deletions, undos and redos, the saved file binds to the same rows
// and values.
#include <gtest/gtest.h>

#include <random>
#include <string>
#include <vector>

#include "document/changes.h"
#include "document/document_harness.h"
#include "document/history.h"
#include "document/row_kind.h"
#include "document/saving.h"

namespace {

struct RoundTrip : DocumentTest {};

const char* const kTemplate =
    "HLNG:Magic BCNT:Groups wzct:Extra LSTC:Group PSTR:Name DWRD:Id QZCT:Entries LSTC:Entry hwrd:Flags "
    "lstr:Text DVDR:Line UQWD:Stamp LCNT:Tags LSTC:Tag UBYT:Tag LSTE LSTE LSTE LSTC:Extra dlng:Value LSTE "
    "ubyt:Tail WSIZ:Block LSTZ:Word PSTR:Word LSTE SKPE";

std::string randomText(std::mt19937& random) {
    std::string text(random() % 6, 'a');
    for (char& c : text) c = static_cast<char>('a' + random() % 26);
    return text;
}

// A random edit, insertion or deletion somewhere in the document, or one undone or redone.
void changeSomething(Document* document, std::mt19937& random) {
    if (random() % 8 == 0) {
        random() % 3 ? undoChange(document) : redoChange(document);
        return;
    }
    std::vector<FieldInstance*> rows;
    for (FieldInstance* instance = document->first; instance; instance = instance->next)
        rows.push_back(instance);
    FieldInstance* target = rows[random() % rows.size()];
    RowRole role = rowKindOf(target->field->code).role;
    bool header = role == RowRole::CountedList || role == RowRole::SizedList;
    if (header && random() % 2) {
        deleteItem(document, target);
    } else if (header || role == RowRole::ListEnd) {
        insertItem(document, target);
    } else if (target->field->fieldType) {
        queryscript::answer(random() % 2 ? std::to_string(static_cast<int>(random() % 70000) - 35000)
                                         : randomText(random));
        editInstance(document, target);
        queryscript::reset();
    }
}

// Counts come from the changes, never from random bytes, which would ask for billions of items.
TEST_F(RoundTrip, SavedDocumentsBindBackToWhatTheyShowed) {
    for (uint32_t seed = 1; seed <= 40; ++seed) {
        std::mt19937 random(seed);
        Document* document = create(kTemplate, nullptr);
        bindNew(document);
        for (int round = 0; round < 2; ++round) {
            for (int change = 0; change < 25; ++change) changeSomething(document, random);
            ASSERT_TRUE(linksAreSound(document)) << seed;
            ASSERT_GE(saveDocument(document, dir.path("saved.bin").c_str()), 0) << seed;
            Document* again = reopen(kTemplate, "saved.bin");
            ASSERT_EQ(result, 0) << seed;
            ASSERT_EQ(describe(again), describe(document)) << "seed " << seed << " round " << round;
            document = again;
        }
    }
}

}  // namespace
