#pragma once
// One template row of a registered code and one instance of it, with the instance's value made by
// the field type: the way the binder and the document view drive a field type.
#include <cstring>
#include <string>
#include <vector>

#include "document/document.h"
#include "fieldtypes/memory_stream.h"
#include "fieldtypes/registry.h"
#include "platform/gdi.h"
#include "platform/recording_surface.h"
#include "shell/drawing_resources.h"
#include "templates/template.h"

// Width of a text in one of the shared fonts, as drawing measures it.
inline int widthIn(platform::Font font, const char* text) {
    return platform::system::measureText(font, text, static_cast<int>(std::strlen(text)));
}

class FieldHarness {
  public:
    explicit FieldHarness(const char* code, const char* caption = "Caption") {
        std::memcpy(field_.code, code, 4);
        field_.caption = const_cast<char*>(caption);
        field_.fieldType = findFieldType(fieldCodeOf(code));
        instance_.field = &field_;
        if (field_.fieldType) instance_.value = procs().createValue(&instance_);
    }
    ~FieldHarness() {
        if (instance_.value) procs().destroyValue(&instance_, instance_.value);
    }
    FieldHarness(const FieldHarness&) = delete;
    FieldHarness& operator=(const FieldHarness&) = delete;

    const FieldTypeProcs& procs() const { return field_.fieldType->procs; }
    void* value() { return instance_.value; }

    int64_t read(const std::vector<unsigned char>& bytes) {
        MemoryStream stream(bytes);
        return procs().readValue(&instance_, value(), &stream, 0);
    }
    std::vector<unsigned char> written(int64_t* result) {
        MemoryStream stream;
        *result = procs().writeValue(&instance_, value(), &stream, 0);
        return stream.bytes();
    }
    int64_t size() { return procs().valueSize(&instance_, value(), 0); }
    int edit() {
        int32_t first = 0, second = 0;
        return procs().editValue(&instance_, value(), &first, &second);
    }
    int setText(const char* text) { return procs().setValueFromText(&instance_, value(), text); }

    // Draws the row at the given place on a device context (a recording surface's or a real one).
    void draw(platform::Dc dc, platform::Rect row, int indent, int clientRight = 400) {
        PaintContext paint{dc, {0, 0, clientRight, 300}, 1};
        RowLayout layout{field_.caption, row, false, indent, 0};
        procs().drawValue(&instance_, value(), &paint, &layout);
    }
    // The value text as drawn: the second text drawValue puts out.
    std::string shown() {
        platform::RecordingSurface surface;
        draw(surface.dc(), {0, 0, 400, 13}, 4);
        return surface.texts.size() == 2 ? surface.texts[1].text : "<nothing drawn>";
    }

  private:
    TemplateField field_{};
    FieldInstance instance_{};
};
