#include "fieldtypes/host_interface.h"

#include <gtest/gtest.h>

#include <cstring>
#include <string>
#include <vector>

#include "document/document.h"
#include "fieldtypes/field_harness.h"
#include "fieldtypes/registry.h"
#include "platform/file_handle.h"
#include "platform/message_box.h"
#include "shell/drawing_resources.h"
#include "support/debug_capture.h"
#include "templates/template.h"

namespace {

struct HostInterfaceTest : EngineFixture {};

TEST_F(HostInterfaceTest, HasVersionFourAndFourFullTablesOfTheirCounts) {
    ASSERT_NE(hostInterface, nullptr);
    EXPECT_EQ(hostInterface->version, 4u);
    const HostInterface& h = *hostInterface;
    const struct {
        const void* table;
        int32_t count;
        int32_t expected;
    } tables[] = {{h.lowGUIProcs, h.lowGUIProcs->count, 6},
                  {h.streamProcs, h.streamProcs->count, 9},
                  {h.templateFieldProcs, h.templateFieldProcs->count, 10},
                  {h.instanceProcs, h.instanceProcs->count, 10}};
    for (const auto& t : tables) {
        EXPECT_EQ(t.count, t.expected);
        // Field types find procedures by position: no slot after a count may be empty.
        for (int32_t i = 1; i <= t.expected; ++i) {
            void* slot;
            std::memcpy(&slot, static_cast<const char*>(t.table) + i * sizeof(void*), sizeof slot);
            EXPECT_NE(slot, nullptr) << t.expected << " " << i;
        }
    }
}

TEST_F(HostInterfaceTest, HandsOutTheSharedDrawingResourcesByNumber) {
    const LowGUIProcs& lg = *hostInterface->lowGUIProcs;
    const std::vector<const void*> brushes{lg.lgGetBrush(0), lg.lgGetBrush(1), lg.lgGetBrush(2),
                                           lg.lgGetBrush(3), lg.lgGetBrush(4), lg.lgGetBrush(5)};
    EXPECT_EQ(brushes, (std::vector<const void*>{nullptr, brWindow, brBtnFace, brHighlight,
                                                 brInactiveSelection, nullptr}));
    const std::vector<const void*> others{lg.lgGetPen(1),  lg.lgGetPen(2),  lg.lgGetPen(3),
                                          lg.lgGetFont(0), lg.lgGetFont(1), lg.lgGetFont(2)};
    EXPECT_EQ(others,
              (std::vector<const void*>{penBlack, penHighlight, nullptr, nullptr, fntNormal, fntBold}));
    int window = 0;
    mainWindowHandle = &window;
    EXPECT_EQ(lg.lgGetMainWindow(), &window);
    mainWindowHandle = nullptr;
}

// Without a desktop the message box goes to the debugger output, where the test reads it; on
// Windows it would wait for a click.
#ifndef _WIN32
TEST_F(HostInterfaceTest, ModalDialogProceduresOnlySayTheyAreNotImplemented) {
    testsupport::DebugCapture messages;
    EXPECT_EQ(hostInterface->lowGUIProcs->lgShowModalDlg(nullptr), 0);
    EXPECT_EQ(hostInterface->lowGUIProcs->lgEndModalDlg(nullptr), platform::kIdOk);
    for (const char* name : {"lgShowModalDlg", "lgEndModalDlg"}) {
        EXPECT_NE(
            messages.text().find(std::string("Not impemented yet: interface->LowGUIProcs->") + name + "()"),
            std::string::npos);
    }
}
#endif

TEST_F(HostInterfaceTest, RegistrationTakesNewCodesOnly) {
    const FieldTypeProcs procs = findFieldType(makeFieldCode("DVDR"))->procs;
    const TemplateFieldProcs& tf = *hostInterface->templateFieldProcs;
    EXPECT_EQ(tf.tfRegisterFieldType(makeFieldCode("DWRD"), "again", 0, &procs), 0);
    EXPECT_EQ(tf.tfRegisterFieldType(makeFieldCode("NEW1"), "new", 0, &procs), 1);
    EXPECT_NE(findFieldType(makeFieldCode("NEW1")), nullptr);
}

TEST_F(HostInterfaceTest, CountsAreReadAtTheWidthOfTheirCode) {
    const struct {
        const char* code;
        int64_t stored;
        int64_t count;
    } cases[] = {{"BCNT", 200, 200},
                 {"bzct", 7, 7},
                 {"WCNT", 0xFFFF, -1},
                 {"ocnt", 3, 3},
                 {"LCNT", -5, -5},
                 {"lzct", 0x80000000, INT32_MIN},
                 {"QCNT", INT64_MAX, INT64_MAX},
                 {"KWRD", 0x8001, -32767},
                 {"Lcnt", 3, 0}};  // mixed case is no count code
    for (const auto& c : cases) {
        TemplateField row{};
        std::memcpy(row.code, c.code, 4);
        int64_t number = c.stored;
        FieldInstance instance{};
        instance.field = &row;
        instance.value = &number;
        EXPECT_EQ(hostInterface->instanceProcs->fiGetCount(&instance), c.count) << c.code;
    }
}

TEST_F(HostInterfaceTest, StartUpBatchesFillTheBucketsInCodeOrder) {
    auto bucket = [](char fourth) {
        std::string codes;
        unsigned index = static_cast<unsigned char>(fourth);
        for (int32_t i = 0; i < fieldTypeRegistry->counts[index]; ++i) {
            codes.append(fieldTypeRegistry->arrays[index][i]->name).append(";");
        }
        return codes;
    };
    EXPECT_EQ(
        bucket('T'),
        "Key unsigned byte;Decimal byte (BE);Filler byte (BE);Hex byte (BE);Key byte;Unsigned byte (BE);");
    EXPECT_EQ(bucket('R'),
              "Divider;Long string (BE);Pascal string (BE);64-bit string (BE);Word string (BE);");
    EXPECT_EQ(bucket('r'),
              "Divider;Long string (LE);Pascal string (LE);64-bit string (LE);Word string (LE);");
    int total = 0;
    for (int i = 0; i < 256; ++i) total += fieldTypeRegistry->counts[i];
    EXPECT_EQ(total, 62);
}

}  // namespace
