#include "fieldtypes/host_interface.h"

#include <gtest/gtest.h>

#include <cstring>
#include <numeric>
#include <string>
#include <tuple>
#include <vector>

#include "fieldtypes/field_harness.h"
#include "fieldtypes/registry.h"
#include "platform/message_box.h"
#include "shell/drawing_resources.h"
#include "support/debug_capture.h"

namespace {

using HostInterfaceTest = EngineFixture;

// Field types find procedures by position: each table starts with its count, and no slot after it
// may be empty.
TEST_F(HostInterfaceTest, HasVersionFourAndFourFullTablesOfTheirCounts) {
    ASSERT_NE(hostInterface, nullptr);
    EXPECT_EQ(hostInterface->version, 4u) << "field types built for version 4 check it";
    const HostInterface& h = *hostInterface;
    const std::pair<const void*, int32_t> tables[] = {
        {h.lowGUIProcs, 6}, {h.streamProcs, 9}, {h.templateFieldProcs, 10}, {h.instanceProcs, 10}};
    for (const auto& [table, count] : tables) {
        EXPECT_EQ(*static_cast<const int32_t*>(table), count);
        for (int32_t i = 1; i <= count; ++i) {
            void* slot;
            std::memcpy(&slot, static_cast<const char*>(table) + i * sizeof slot, sizeof slot);
            EXPECT_NE(slot, nullptr) << count << " " << i;
        }
    }
}

// Brushes 0 to 5, pens 1 to 3, fonts 0 to 2.
TEST_F(HostInterfaceTest, HandsOutTheSharedDrawingResourcesByNumber) {
    const LowGUIProcs& lg = *hostInterface->lowGUIProcs;
    const std::vector<const void*> handed{lg.lgGetBrush(0), lg.lgGetBrush(1), lg.lgGetBrush(2),
                                          lg.lgGetBrush(3), lg.lgGetBrush(4), lg.lgGetBrush(5),
                                          lg.lgGetPen(1),   lg.lgGetPen(2),   lg.lgGetPen(3),
                                          lg.lgGetFont(0),  lg.lgGetFont(1),  lg.lgGetFont(2)};
    EXPECT_EQ(handed, (std::vector<const void*>{nullptr, brWindow, brBtnFace, brHighlight,
                                                brInactiveSelection, nullptr, penBlack, penHighlight, nullptr,
                                                nullptr, fntNormal, fntBold}));
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
    for (const char* name : {"lgShowModalDlg", "lgEndModalDlg"})
        EXPECT_NE(
            messages.text().find(std::string("Not impemented yet: interface->LowGUIProcs->") + name + "()"),
            std::string::npos);
}
#endif

// Code, number stored, count read; "Lcnt", in mixed case, is no count code.
TEST_F(HostInterfaceTest, CountsAreReadAtTheWidthOfTheirCode) {
    auto read = [](const char* code, int64_t stored) {
        TemplateField row{};
        std::memcpy(row.code, code, 4);
        FieldInstance instance{};
        instance.field = &row;
        instance.value = &stored;
        return hostInterface->instanceProcs->fiGetCount(&instance);
    };
    // Every count and key code, in either case, with its width's sign bit and the bit above it set:
    // one-byte counts are unsigned, the others signed.
    const std::pair<const char*, int> widths[] = {{"BCNT bzct KBYT", 1},
                                                  {"ocnt WCNT WZCT kwrd KRID", 2},
                                                  {"LCNT lzct KLNG knam", 4},
                                                  {"QCNT qzct KQWD", 8}};
    for (const auto& [codes, width] : widths) {
        const int64_t stored = width == 8 ? INT64_MIN : int64_t{0x180} << (8 * width - 8);
        const int64_t count = width == 1 ? 0x80 : width == 8 ? INT64_MIN : -(int64_t{1} << (8 * width - 1));
        for (const char* code = codes; *code; code += code[4] ? 5 : 4)
            EXPECT_EQ(read(code, stored), count) << std::string(code, 4);
    }
    EXPECT_EQ(read("QCNT", INT64_MAX), INT64_MAX);
    EXPECT_EQ(read("LCNT", -5), -5);
    EXPECT_EQ(read("Lcnt", 3), 0) << "mixed case is no count code";
}

// The names of each bucket's types, in order.
TEST_F(HostInterfaceTest, StartUpBatchesFillTheBucketsInCodeOrderAndRegistrationTakesNewCodesOnly) {
    auto bucket = [](unsigned char fourth) {
        std::string names;
        for (int32_t i = 0; i < fieldTypeRegistry->counts[fourth]; ++i)
            names.append(fieldTypeRegistry->arrays[fourth][i]->name).append(";");
        return names;
    };
    EXPECT_EQ(bucket('T'),
              "Key unsigned byte;Fixed-length text;Decimal number text;Octal number text;Decimal byte "
              "(BE);Filler byte (BE);Hex byte (BE);Key byte;Unsigned byte (BE);");
    EXPECT_EQ(bucket('R'),
              "Divider;Zero-terminated string;Long string (BE);Pascal string (BE);64-bit string "
              "(BE);Word string (BE);");
    EXPECT_EQ(bucket('r'),
              "Divider;Zero-terminated string;Long string (LE);Pascal string (LE);64-bit string "
              "(LE);Word string (LE);");
    EXPECT_EQ(std::accumulate(fieldTypeRegistry->counts, fieldTypeRegistry->counts + 256, 0), 106);

    const FieldTypeProcs procs = findFieldType(makeFieldCode("DVDR"))->procs;
    const TemplateFieldProcs& tf = *hostInterface->templateFieldProcs;
    EXPECT_EQ(tf.tfRegisterFieldType(makeFieldCode("DWRD"), "again", 0, &procs), 0);
    EXPECT_EQ(tf.tfRegisterFieldType(makeFieldCode("NEW1"), "new", 0, &procs), 1);
    EXPECT_NE(findFieldType(makeFieldCode("NEW1")), nullptr);
}

}  // namespace
