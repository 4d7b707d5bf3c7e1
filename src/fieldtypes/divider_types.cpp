// DVDR and dvdr: a row with its caption at the right edge and a thin line across the rest. It
// takes no bytes and holds no value.
#include <cstring>

#include "fieldtypes/builtin_types.h"
#include "fieldtypes/handler_table.h"
#include "fieldtypes/registry.h"
#include "platform/gdi.h"
#include "shell/drawing_resources.h"
#include "shell/ui_strings.h"

namespace {

// createValue must give something non-null; nothing ever looks behind it.
char marker;

constexpr int kCaptionMargin = 4;
constexpr int kLineGap = 12;

// The slots, in the order of the handler table.
struct DividerSlots {
    static void* createValue(FieldInstance*) { return &marker; }
    static void destroyValue(FieldInstance*, void*) {}
    static void* cloneValue(FieldInstance*, void*) { return &marker; }

    static void drawValue(FieldInstance*, void*, PaintContext* paint, RowLayout* row) {
        using namespace platform;
        if (!row->caption) return;
        int length = static_cast<int>(std::strlen(row->caption));
        int captionRight = paint->client.right - kCaptionMargin;
        selectFont(paint->dc, fntNormal);
        setTextAlign(paint->dc, kAlignRight);
        setTransparentBackground(paint->dc);
        textOut(paint->dc, captionRight, row->row.top, row->caption, length);
        int width = textWidth(paint->dc, row->caption, length);
        int middle = (row->row.top + row->row.bottom) / 2;
        selectPen(paint->dc, penDivider);
        moveTo(paint->dc, row->indent, middle);
        lineTo(paint->dc, captionRight - width - kLineGap, middle);
    }

    static int64_t readValue(FieldInstance*, void*, TIOStream*, int64_t) { return 0; }
    static int64_t writeValue(FieldInstance*, void*, TIOStream*, int64_t) { return 0; }
    static int64_t valueSize(FieldInstance*, void*, int64_t) { return 0; }
    static int editValue(FieldInstance*, void*, int32_t*, int32_t*) { return 0; }
    static int setValueFromText(FieldInstance*, void*, const char*) { return 0; }
};

constexpr FieldTypeProcs kDividerProcs = handlerTableOf<DividerSlots>();

const FieldTypeRegistration kDividerTypes[] = {
    {makeFieldCode("DVDR"), usDividerName, 0, &kDividerProcs},
    {makeFieldCode("dvdr"), usDividerName, 0, &kDividerProcs},
};

}  // namespace

void registerDividerTypes() {
    registerFieldTypes(kDividerTypes, 2);
}
