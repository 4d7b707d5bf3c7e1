#include "cli/rows.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "document/binding.h"
#include "document/document.h"
#include "shell/startup.h"
#include "support/temp_dir.h"
#include "templates/template.h"

namespace {

struct DocumentRows : testing::Test {
    testsupport::TempDir dir;
    Template templ;
    Document* document = nullptr;

    void SetUp() override { startEngine(); }
    void TearDown() override {
        if (document) destroyDocument(document);
        templ.clear();
        stopEngine();
    }

    std::vector<Row> bindRows(std::initializer_list<std::pair<const char*, const char*>> fields,
                              const testsupport::Bytes& bytes) {
        for (const auto& field : fields) templ.appendField(field.first, field.second);
        dir.write("f.bin", bytes);
        document = createDocument(dir.path("f.bin").c_str(), "Untitled", &templ);
        bindFile(document);
        std::vector<Row> rows;
        visitRows(document, [&rows](const Row& row) { rows.push_back(row); });
        return rows;
    }
};

std::string describe(const Row& row) {
    return std::to_string(row.offset) + "+" + std::to_string(row.size) + " d" + std::to_string(row.depth) +
           " " + row.caption + "=" + row.value +
           (row.itemIndex >= 0 ? " #" + std::to_string(row.itemIndex) : "");
}

TEST_F(DocumentRows, OffsetsSizesAndTheTextsTheViewDraws) {
    auto rows = bindRows({{"DWRD", "Width"},
                          {"DVDR", "Names"},
                          {"BZCT", "Count"},
                          {"LSTC", "Item"},
                          {"PSTR", "Name"},
                          {"hwrd", "Flags"},
                          {"LSTE", ""},
                          {"uqwd", "Big"}},
                         {0x12, 0x34, 1, 2, 'h', 'i', 0x0A, 0x00, 0, 0xFF, 0xFF, 7, 0, 0, 0, 0, 0, 0, 0});
    std::vector<std::string> shown;
    for (const Row& row : rows) shown.push_back(describe(row));
    EXPECT_EQ(shown, (std::vector<std::string>{
                         "0+2 d0 Width=4660",
                         "2+0 d0 Names=",
                         "2+1 d0 Count=2",
                         "3+0 d0 Item= #0",
                         "3+3 d1 Name=hi",
                         "6+2 d1 Flags=$000a",
                         "8+0 d0 Item= #1",
                         "8+1 d1 Name=",
                         "9+2 d1 Flags=$ffff",
                         "11+0 d0 =",
                         "11+8 d0 Big=7",
                     }));
    EXPECT_EQ(rows[1].kind, RowShape::Divider);
    EXPECT_EQ(rows[2].kind, RowShape::Count);
    EXPECT_EQ(rows[9].kind, RowShape::ListEnd);
}

}  // namespace
