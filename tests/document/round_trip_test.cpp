// After any sequence of edits and insertions, the saved file binds to the same rows and values.
#include <gtest/gtest.h>

#include <random>
#include <string>
#include <vector>

#include "document/changes.h"
#include "document/document_harness.h"
#include "document/row_kind.h"
#include "document/saving.h"

namespace {

struct RoundTrip : DocumentTest {};

const char* const kTemplate =
    "HLNG:Magic BCNT:Groups wzct:Extra LSTC:Group PSTR:Name DWRD:Id QZCT:Entries LSTC:Entry hwrd:Flags "
    "lstr:Text DVDR:Line UQWD:Stamp LCNT:Tags LSTC:Tag UBYT:Tag LSTE LSTE LSTE LSTC:Extra dlng:Value LSTE "
    "ubyt:Tail";

std::string randomText(std::mt19937& random) {
    std::string text(random() % 6, 'a');
    for (char& c : text) c = static_cast<char>('a' + random() % 26);
    return text;
}

// A random edit or insertion somewhere in the document.
void changeSomething(Document* document, std::mt19937& random) {
    std::vector<FieldInstance*> rows;
    for (FieldInstance* instance = document->first; instance; instance = instance->next)
        rows.push_back(instance);
    FieldInstance* target = rows[random() % rows.size()];
    RowRole role = rowKindOf(target->field->code).role;
    if (role == RowRole::CountedList || role == RowRole::ListEnd) {
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
