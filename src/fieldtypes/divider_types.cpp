// DVDR and dvdr: a row with its caption at the right edge and a thin line across the rest. It
// takes no bytes and holds no value.
#include <cstring>

#include "fieldtypes/builtin_types.h"
#include "fieldtypes/registry.h"
#include "platform/gdi.h"
#include "shell/drawing_resources.h"
#include "shell/ui_strings.h"

namespace {

// createValue must give something non-null; nothing ever looks behind it.
char marker;

constexpr int kCaptionMargin = 4;
constexpr int kLineGap = 12;

void* createValue(FieldInstance*) {
    return &marker;
}
void destroyValue(FieldInstance*, void*) {}
void* cloneValue(FieldInstance*, void*) {
    return &marker;
}

void drawValue(FieldInstance*, void*, PaintContext* paint, RowLayout* row) {
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

int64_t readValue(FieldInstance*, void*, TIOStream*, int64_t) {
    return 0;
}
int64_t writeValue(FieldInstance*, void*, TIOStream*, int64_t) {
    return 0;
}
int64_t valueSize(FieldInstance*, void*, int64_t) {
    return 0;
}
int editValue(FieldInstance*, void*, int32_t*, int32_t*) {
    return 0;
}
int setValueFromText(FieldInstance*, void*, const char*) {
    return 0;
}

constexpr FieldTypeProcs kDividerProcs = {kFieldTypeProcsLength,
                                          createValue,
                                          destroyValue,
                                          cloneValue,
                                          drawValue,
                                          readValue,
                                          writeValue,
                                          valueSize,
                                          editValue,
                                          nullptr,
                                          setValueFromText,
                                          nullptr,
                                          nullptr};

const FieldTypeRegistration kDividerTypes[] = {
    {makeFieldCode("DVDR"), usDividerName, 0, &kDividerProcs},
    {makeFieldCode("dvdr"), usDividerName, 0, &kDividerProcs},
};

}  // namespace

void registerDividerTypes() {
    registerFieldTypes(kDividerTypes, 2);
}
