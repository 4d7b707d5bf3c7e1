#include "cli/rows.h"

#include "document/count_display.h"
#include "document/document.h"
#include "fieldtypes/registry.h"
#include "platform/recording_surface.h"
#include "shell/drawing_resources.h"
#include "templates/template.h"

namespace {

constexpr int32_t kViewWidth = 640;

// The value text is what drawValue draws after the caption: every text but the first.
std::string drawnValue(platform::RecordingSurface& surface, FieldInstance* instance, const Row& row) {
    FieldType* type = instance->field->fieldType;
    surface.clear();
    PaintContext paint{surface.dc(), {0, 0, kViewWidth, instance->height}, 1};
    RowLayout layout{instance->field->caption,
                     {0, 0, kViewWidth, instance->height},
                     instance->field->hasCases,
                     row.depth * 12 + 4,
                     instance->flags};
    type->procs.drawValue(instance, instance->value, &paint, &layout);
    std::string value;
    for (size_t i = 1; i < surface.texts.size(); ++i) value += surface.texts[i].text;
    return value;
}

int64_t numberWidth(const char code[4]) {
    switch (code[0] | 0x20) {
        case 'b':
            return 1;
        case 'o':
        case 'w':
            return 2;
        case 'l':
            return 4;
        default:
            return 8;
    }
}

}  // namespace

void visitRows(Document* document, const std::function<void(const Row&)>& visit) {
    platform::RecordingSurface surface;
    int64_t offset = 0;
    for (FieldInstance* instance = document->first; instance; instance = instance->next) {
        TemplateField* field = instance->field;
        Row row{offset,         0,  instance->depth,   std::string(field->code, 4),
                field->caption, "", RowShape::Control, -1};
        if (FieldType* type = field->fieldType) {
            row.size = type->procs.valueSize ? type->procs.valueSize(instance, instance->value, 0) : 0;
            row.value = drawnValue(surface, instance, row);
            bool divider = row.code == "DVDR" || row.code == "dvdr";
            row.kind = divider ? RowShape::Divider : RowShape::Data;
        } else if (row.code == "LSTC" || row.code == "lstc") {
            row.kind = RowShape::ListHeader;
            row.itemIndex = instance->value ? *static_cast<int64_t*>(instance->value) : 0;
        } else if (row.code == "LSTE" || row.code == "lste") {
            row.kind = RowShape::ListEnd;
        } else if (isCountOrSizeRow(field)) {
            row.size = numberWidth(field->code);
            int64_t shown;
            if (shownCount(instance, &shown)) {
                row.kind = RowShape::Count;
                row.value = std::to_string(shown);
            }
        }
        offset += row.size;
        visit(row);
    }
}
