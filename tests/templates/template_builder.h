#pragma once
// Builds templates from a line of codes ("LSTB DWRD LSTE") and describes what link made of them.
#include <gtest/gtest.h>

#include <sstream>
#include <string>

#include "fieldtypes/registry.h"
#include "templates/template.h"

namespace templatetest {

// Each code is four characters; row i is captioned "row i".
inline void appendCodes(Template& target, const char* codes) {
    std::istringstream words(codes);
    std::string code;
    while (words >> code) {
        std::string caption = "row " + std::to_string(target.fieldCount);
        ASSERT_NE(target.appendField(code.c_str(), caption.c_str()), nullptr);
    }
}

inline std::string codeOf(const TemplateField* field) {
    return std::string(field->code, 4);
}

inline std::string rowText(const Template& t, const TemplateField* field) {
    return field ? std::to_string(t.indexOf(field, -1)) : "-";
}

// "depth:parent:partner" per row, with "*" on a key field that has cases.
inline std::string structureOf(const Template& t) {
    std::string text;
    for (int32_t i = 0; i < t.fieldCount; ++i) {
        const TemplateField* f = t.fields[i];
        text += (i ? " " : "") + std::to_string(f->depth) + ":" + rowText(t, f->parent) + ":" +
                rowText(t, f->partner) + (f->hasCases ? "*" : "");
    }
    return text;
}

// previous and next follow the order of the rows, with no gaps.
inline void expectChained(const Template& t) {
    for (int32_t i = 0; i < t.fieldCount; ++i) {
        EXPECT_EQ(t.fields[i]->previous, i > 0 ? t.fields[i - 1] : nullptr) << "row " << i;
        EXPECT_EQ(t.fields[i]->next, i + 1 < t.fieldCount ? t.fields[i + 1] : nullptr) << "row " << i;
    }
}

// Resolve creates the registry; every test leaves without it.
struct RegistryTest : testing::Test {
    void TearDown() override { destroyRegistry(); }

    // Field types with no procedures, enough for resolve.
    static void registerCodes(const char* codes) {
        FieldTypeProcs noProcs{};
        noProcs.length = kFieldTypeProcsLength;
        std::istringstream words(codes);
        std::string code;
        while (words >> code) registerFieldType(fieldCodeOf(code.c_str()), code.c_str(), 0, &noProcs);
    }
};

}  // namespace templatetest
