#pragma once
// What field types need to be driven as the binder and the document view drive them: the engine
// brought up, a stream over bytes in memory, and one row of a registered code with one instance.
#include <gtest/gtest.h>

#include <algorithm>
#include <cstring>
#include <string>
#include <vector>

#include "document/document.h"
#include "fieldtypes/registry.h"
#include "platform/gdi.h"
#include "platform/recording_surface.h"
#include "shell/drawing_resources.h"
#include "shell/startup.h"
#include "shell/streams.h"
#include "templates/template.h"
#include "views/document/headless/query_script.h"

// The process-wide state field types and documents need, brought up for one test in the program's
// start-up order and torn down after it, so that every test gives back what it allocated.
struct EngineFixture : testing::Test {
    void SetUp() override { startEngine(); }
    void TearDown() override {
        queryscript::reset();
        stopEngine();
    }
};

class BytesStream : public TIOStream {
  public:
    explicit BytesStream(std::vector<unsigned char> bytes = {}) : bytes_(std::move(bytes)) {}

    int64_t Position() override { return position_; }
    int64_t Size() override { return static_cast<int64_t>(bytes_.size()); }
    int64_t Seek(int64_t offset, int origin) override {
        int64_t base = origin == 0 ? 0 : origin == 1 ? position_ : Size();
        if (origin < 0 || origin > 2 || base + offset < 0) return 0;
        return position_ = base + offset;
    }
    int64_t Read(void* buffer, int64_t count) override {
        int64_t take = std::min(count, Size() - position_);
        if (take <= 0) return 0;
        std::memcpy(buffer, bytes_.data() + position_, take);
        position_ += take;
        return take;
    }
    int64_t Write(const void* buffer, int64_t count) override {
        if (count <= 0) return 0;
        if (Size() < position_ + count) bytes_.resize(position_ + count);
        std::memcpy(bytes_.data() + position_, buffer, count);
        position_ += count;
        return count;
    }
    uint32_t Capabilities() override { return 0x1F; }

    const std::vector<unsigned char>& bytes() const { return bytes_; }

  private:
    std::vector<unsigned char> bytes_;
    int64_t position_ = 0;
};

// Width of a text in one of the shared fonts, as drawing measures it.
inline int widthIn(platform::Font font, const char* text) {
    return platform::system::measureText(font, text, static_cast<int>(std::strlen(text)));
}

// The value text a row's field type draws, as the document view would: the second text drawValue
// puts out, empty when it puts out no two.
inline std::string drawnValue(FieldInstance* instance) {
    platform::RecordingSurface surface;
    PaintContext paint{surface.dc(), {0, 0, 400, 300}, 1};
    RowLayout layout{instance->field->caption, {0, 0, 400, 13}, false, 4, 0};
    instance->field->fieldType->procs.drawValue(instance, instance->value, &paint, &layout);
    return surface.texts.size() == 2 ? surface.texts[1].text : "";
}

// One template row of a registered code and one instance of it, with the instance's value made by
// the field type.
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
    FieldInstance* instance() { return &instance_; }

    int64_t read(const std::vector<unsigned char>& bytes) {
        BytesStream stream(bytes);
        return read(stream, 0);
    }
    int64_t read(TIOStream& stream, int64_t position) {
        return procs().readValue(&instance_, value(), &stream, position);
    }
    std::vector<unsigned char> written(int64_t* result) {
        BytesStream stream;
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
    std::string shown() { return drawnValue(&instance_); }

  private:
    TemplateField field_{};
    FieldInstance instance_{};
};
