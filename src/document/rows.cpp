#include "document/rows.h"

#include <cinttypes>
#include <cstdio>

#include "document/count_display.h"
#include "document/document.h"
#include "document/folds.h"
#include "document/instances.h"
#include "document/places.h"
#include "document/rest.h"
#include "document/row_kind.h"
#include "fieldtypes/byte_run.h"
#include "fieldtypes/key_value.h"
#include "fieldtypes/registry.h"
#include "platform/recording_surface.h"
#include "shell/drawing_resources.h"
#include "templates/row_parameters.h"
#include "templates/template.h"

namespace {

constexpr int32_t kViewWidth = 640;

// The value text is what drawValue draws after the caption: every text but the first.
void drawnValue(platform::RecordingSurface& surface, FieldInstance* instance, Row& row) {
    FieldType* type = instance->field->fieldType;
    surface.clear();
    int32_t height = static_cast<int32_t>(instance->height);
    PaintContext paint{surface.dc(), {0, 0, kViewWidth, height}, 1};
    RowLayout layout{instance->field->caption,
                     {0, 0, kViewWidth, height},
                     instance->field->hasCases,
                     row.depth * 12 + 4,
                     instance->flags};
    type->procs.drawValue(instance, instance->value, &paint, &layout);
    for (size_t i = 1; i < surface.texts.size(); ++i) row.value += surface.texts[i].text;
    // A rest row words its own caption ("N more bytes").
    if (isRestInstance(instance) && !surface.texts.empty()) row.caption = surface.texts[0].text;
}

// Control characters as dots; a key name, which the view shows in ASCII, loses its other bytes too.
std::string printable(const std::string& text, bool asciiOnly = false) {
    std::string out;
    for (unsigned char c : text)
        out += c < 0x20 || c == 0x7f || (asciiOnly && c > 0x7f) ? '.' : static_cast<char>(c);
    return out;
}

std::string shownText(const Row& row) {
    switch (row.kind) {
        case RowShape::ListHeader:
            return printable(row.caption) + " " + row.value;
        case RowShape::ListEnd:
            return row.value + " " + printable(row.caption);
        case RowShape::Divider:
            return "-- " + printable(row.caption) + " --";
        case RowShape::Key:
            return printable(row.caption) + "  " + printable(row.value, true);
        default:
            return row.value.empty() ? printable(row.caption)
                                     : printable(row.caption) + "  " + printable(row.value);
    }
}

}  // namespace

const char* const kRowTextHeading = "  row    offset    size  field\n";

std::string rowTextLine(const Row& row, size_t number) {
    char start[64];
    std::snprintf(start, sizeof start, "%5zu  %08" PRIx64 "  %6" PRId64 "  %*s", number, row.offset, row.size,
                  2 * row.depth, "");
    return start + shownText(row) + "\n";
}

void RowReader::read(FieldInstance* instance, int64_t offset, Row& row) {
    TemplateField* field = instance->field;
    const char* caption;
    int32_t captionLength;
    shownCaption(field, &caption, &captionLength);
    row.offset = offset;
    row.size = 0;
    row.depth = instance->depth;
    row.code.assign(field->code, 4);
    row.caption.assign(caption, captionLength);
    row.value.clear();
    row.kind = RowShape::Control;
    row.itemIndex = -1;
    row.bytes = nullptr;
    row.byteCount = 0;
    RowKind kind = rowKindOf(field->code);
    FieldType* type = field->fieldType;
    if (type && instance->value) {
        row.size = instanceSize(instance);
        drawnValue(surface_, instance, row);
        bool divider = row.code == "DVDR" || row.code == "dvdr";
        row.kind = isRestInstance(instance)    ? RowShape::Rest
                   : kind.role == RowRole::Key ? RowShape::Key
                   : divider                   ? RowShape::Divider
                                               : RowShape::Data;
        // The view draws a key name's odd bytes as dots; here they stand as they are.
        const KeyValue* key = keyValueOf(instance);
        if (key && (row.code == "KNAM" || row.code == "knam"))
            row.value.assign(reinterpret_cast<const char*>(key->bytes), key->width);
        if (const ByteRun* bytes = byteArrayOf(instance)) {
            row.bytes = bytes->bytes;
            row.byteCount = bytes->length;
        }
    } else if (kind.role == RowRole::Case) {
        row.kind = RowShape::Case;
    } else if (kind.list != 0) {
        row.kind = RowShape::ListHeader;
        row.itemIndex = instance->value ? *static_cast<int64_t*>(instance->value) : 0;
        row.value = "[" + std::to_string(row.itemIndex) + "]";
    } else if (kind.role == RowRole::ListEnd) {
        row.kind = RowShape::ListEnd;
        row.value = "[end]";
    } else if (isNumberRole(kind.role)) {
        row.size = kind.width;
        int64_t shown;
        if (shownNumber(instance, &shown)) {
            row.kind = kind.role == RowRole::Count     ? RowShape::Count
                       : kind.role == RowRole::Derived ? RowShape::Computed
                       : kind.role == RowRole::Placed  ? RowShape::Offset
                                                       : RowShape::Size;
            row.value = std::to_string(shown);
        }
    }
}

void visitRows(Document* document, const std::function<void(const Row&)>& visit) {
    visitRowsFrom(document, 0, [&](const Row& row) {
        visit(row);
        return true;
    });
}

bool visitRowsFrom(Document* document, int64_t from, const std::function<bool(const Row&)>& visit) {
    RowReader reader;
    Placer placer(document->placed);
    Row row{};
    bool going = true;
    for (FieldInstance* instance = document->first; instance && going; instance = instance->next) {
        int64_t place = placer.place(instance);
        int64_t rows = isFoldInstance(instance) ? foldRows(instance) : 1;
        if (from >= rows) {
            from -= rows;
            continue;
        }
        if (isFoldInstance(instance)) {
            bool read = visitFoldedRows(instance, from, place, [&](FieldInstance* folded, int64_t offset) {
                reader.read(folded, offset, row);
                return going = visit(row);
            });
            if (!read) return false;
        } else {
            reader.read(instance, place, row);
            going = visit(row);
        }
        from = 0;
    }
    return true;
}

std::string selectedRowsText(Document* document) {
    std::string text;
    RowReader reader;
    Placer placer(document->placed);
    Row row{};
    size_t number = 0;
    for (FieldInstance* instance = document->first; instance; instance = instance->next) {
        int64_t offset = placer.place(instance);
        // Folded rows were never shown, so none is selected.
        number += isFoldInstance(instance) ? foldRows(instance) : 1;
        if (!(instance->flags & kInstanceSelected)) continue;
        reader.read(instance, offset, row);
        text += rowTextLine(row, number);
    }
    return text;
}
