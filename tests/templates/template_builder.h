#pragma once
// Builds templates from a line of codes ("LSTB DWRD LSTE") and describes what link made of them.
#include <gtest/gtest.h>

#include <sstream>
#include <string>

#include "fieldtypes/registry.h"
#include "templates/template.h"

// Resolve creates the registry; every test leaves without it.
struct TemplateTest : testing::Test {
    void TearDown() override { destroyRegistry(); }

    // Each code is four characters; row i is captioned "row i".
    static void appendCodes(Template& target, const char* codes) {
        std::istringstream words(codes);
        std::string code;
        while (words >> code) {
            std::string caption = "row " + std::to_string(target.fieldCount);
            ASSERT_NE(target.appendField(code.c_str(), caption.c_str()), nullptr);
        }
    }
    // Field types with no procedures, enough for resolve.
    static void registerCodes(const char* codes) {
        FieldTypeProcs noProcs{};
        noProcs.length = kFieldTypeProcsLength;
        std::istringstream words(codes);
        std::string code;
        while (words >> code) registerFieldType(fieldCodeOf(code.c_str()), code.c_str(), 0, &noProcs);
    }
    static std::string codeOf(const TemplateField* field) { return std::string(field->code, 4); }
    static std::string codesOf(const Template& t) {
        std::string codes;
        for (int32_t i = 0; i < t.fieldCount; ++i) codes += (i ? " " : "") + codeOf(t.fields[i]);
        return codes;
    }
    // "depth:parent:partner" per row, with "*" on a key field that has cases.
    static std::string structureOf(const Template& t) {
        auto row = [&t](const TemplateField* f) { return f ? std::to_string(t.indexOf(f, -1)) : "-"; };
        std::string text;
        for (int32_t i = 0; i < t.fieldCount; ++i) {
            const TemplateField* f = t.fields[i];
            text += (i ? " " : "") + std::to_string(f->depth) + ":" + row(f->parent) + ":" + row(f->partner) +
                    (f->hasCases ? "*" : "");
        }
        return text;
    }
    // previous and next follow the order of the rows, with no gaps.
    static void expectChained(const Template& t) {
        for (int32_t i = 0; i < t.fieldCount; ++i) {
            EXPECT_EQ(t.fields[i]->previous, i > 0 ? t.fields[i - 1] : nullptr) << "row " << i;
            EXPECT_EQ(t.fields[i]->next, i + 1 < t.fieldCount ? t.fields[i + 1] : nullptr) << "row " << i;
        }
    }
};
