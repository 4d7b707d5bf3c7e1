#include "fieldtypes/host_interface.h"

#include <new>

#include "document/document.h"
#include "fieldtypes/byte_order.h"
#include "fieldtypes/registry.h"
#include "platform/message_box.h"
#include "shell/drawing_resources.h"
#include "shell/streams.h"
#include "templates/template.h"

HostInterface* hostInterface = nullptr;

namespace {

// Shared drawing resources by number from 1; null for any other number. The table holds the
// addresses of the resources, which exist only after start-up has made them.
template <typename Handle, size_t count>
Handle numbered(Handle* const (&resources)[count], int32_t number) {
    return number >= 1 && number <= static_cast<int32_t>(count) ? *resources[number - 1] : nullptr;
}

platform::Brush lgGetBrush(int32_t number) {
    static platform::Brush* const brushes[] = {&brWindow, &brBtnFace, &brHighlight, &brInactiveSelection};
    return numbered(brushes, number);
}

platform::Pen lgGetPen(int32_t number) {
    static platform::Pen* const pens[] = {&penBlack, &penHighlight};
    return numbered(pens, number);
}

platform::Font lgGetFont(int32_t number) {
    static platform::Font* const fonts[] = {&fntNormal, &fntBold};
    return numbered(fonts, number);
}

platform::Window lgGetMainWindow() {
    return mainWindowHandle;
}

intptr_t lgShowModalDlg(void*) {
    platform::messageBox(nullptr, "Not impemented yet: interface->LowGUIProcs->lgShowModalDlg()", "",
                         platform::kMbOk);
    return 0;
}

intptr_t lgEndModalDlg(void*) {
    return platform::messageBox(nullptr, "Not impemented yet: interface->LowGUIProcs->lgEndModalDlg()", "",
                                platform::kMbOk);
}

int64_t stRead(TIOStream* stream, void* buffer, int64_t count) {
    return stream->Read(buffer, count);
}
int64_t stWrite(TIOStream* stream, const void* buffer, int64_t count) {
    return stream->Write(buffer, count);
}
int64_t stSeek(TIOStream* stream, int64_t offset, int32_t origin) {
    return stream->Seek(offset, origin);
}
int64_t stGetPosition(TIOStream* stream) {
    return stream->Position();
}
uint32_t stGetCaps(TIOStream* stream) {
    return stream->Capabilities();
}
intptr_t stReserved() {
    return 0;
}

TIOStream* stOpenFile(const char* path, uint32_t access, uint32_t disposition) {
    return new (std::nothrow) TIOFile(path, access, disposition);
}

int64_t stCopy(TIOStream* destination, TIOStream* source) {
    return destination->CopyFrom(source, -1);
}
void stClose(TIOStream* stream) {
    delete stream;
}

FieldCode tfGetCode(TemplateField* field) {
    return fieldCodeOf(field->code);
}
const char* tfGetCaption(TemplateField* field) {
    return field->caption;
}
TemplateField* tfGetPrevious(TemplateField* field) {
    return field->previous;
}
TemplateField* tfGetNext(TemplateField* field) {
    return field->next;
}
TemplateField* tfGetParent(TemplateField* field) {
    return field->parent;
}
TemplateField* tfGetPartner(TemplateField* field) {
    return field->partner;
}
uint32_t tfGetExtra(TemplateField* field) {
    return field->extra;
}
intptr_t tfReserved(void*) {
    return 0;
}

int32_t tfRegisterFieldType(FieldCode code, const char* name, uint32_t flags, const FieldTypeProcs* procs) {
    ensureRegistry();
    return registerFieldType(code, name, flags, procs) ? 1 : 0;
}

void* fiGetValue(FieldInstance* instance) {
    return instance->value;
}
// A byte order section's choice reaches field types as the case of the code they are told.
FieldCode fiGetCode(FieldInstance* instance) {
    FieldCode code = fieldCodeOf(instance->field->code);
    if (!(instance->flags & kInstanceOrderChosen)) return code;
    return instance->flags & kInstanceLittleEndian ? code | 0x20202020u : code & ~0x20202020u;
}
const char* fiGetCaption(FieldInstance* instance) {
    return instance->field->caption;
}
FieldInstance* fiGetPrevious(FieldInstance* instance) {
    return instance->previous;
}
FieldInstance* fiGetNext(FieldInstance* instance) {
    return instance->next;
}
FieldInstance* fiGetParent(FieldInstance* instance) {
    return instance->parent;
}
FieldInstance* fiGetPartner(FieldInstance* instance) {
    return instance->partner;
}
FieldInstance* fiGetListSource(FieldInstance* instance) {
    return instance->listSource;
}
TemplateField* fiGetField(FieldInstance* instance) {
    return instance->field;
}

struct CountWidth {
    FieldCode code;  // upper case; the lower-case form counts alike
    int width;
};

constexpr CountWidth kCountWidths[] = {
    {makeFieldCode("BCNT"), 1}, {makeFieldCode("BZCT"), 1}, {makeFieldCode("KBYT"), 1},
    {makeFieldCode("OCNT"), 2}, {makeFieldCode("WCNT"), 2}, {makeFieldCode("WZCT"), 2},
    {makeFieldCode("KWRD"), 2}, {makeFieldCode("KRID"), 2}, {makeFieldCode("LCNT"), 4},
    {makeFieldCode("LZCT"), 4}, {makeFieldCode("KLNG"), 4}, {makeFieldCode("KNAM"), 4},
    {makeFieldCode("QCNT"), 8}, {makeFieldCode("QZCT"), 8}, {makeFieldCode("KQWD"), 8},
};

constexpr FieldCode kLowerCaseBits = 0x20202020u;

// The binder keeps one-byte counts unsigned (0 to 255), so they are read back unsigned here too.
int64_t fiGetCount(FieldInstance* instance) {
    FieldCode code = fieldCodeOf(instance->field->code);
    if (!instance->value) return 0;
    for (const CountWidth& entry : kCountWidths) {
        if (code != entry.code && code != (entry.code | kLowerCaseBits)) continue;
        int64_t number = *static_cast<const int64_t*>(instance->value);
        if (entry.width == 1) return number & 0xFF;
        return byteorder::signExtend(static_cast<uint64_t>(number), entry.width);
    }
    return 0;
}

template <typename Table>
Table* makeTable(const Table& procedures) {
    Table* table = new Table();  // zero-filled
    *table = procedures;
    return table;
}

}  // namespace

void buildInterface() {
    if (hostInterface) return;
    HostInterface* record = new HostInterface();
    record->version = kInterfaceVersion;
    record->streamProcs = makeTable(StreamProcs{9, stRead, stWrite, stSeek, stGetPosition, stGetCaps,
                                                stReserved, stOpenFile, stCopy, stClose});
    record->lowGUIProcs = makeTable(
        LowGUIProcs{6, lgGetBrush, lgGetPen, lgGetFont, lgGetMainWindow, lgShowModalDlg, lgEndModalDlg});
    record->instanceProcs =
        makeTable(InstanceProcs{10, fiGetValue, fiGetCode, fiGetCaption, fiGetPrevious, fiGetNext,
                                fiGetParent, fiGetPartner, fiGetListSource, fiGetCount, fiGetField});
    record->templateFieldProcs =
        makeTable(TemplateFieldProcs{10, tfGetCode, tfGetCaption, tfGetPrevious, tfGetNext, tfGetParent,
                                     tfGetPartner, tfGetExtra, tfReserved, tfReserved, tfRegisterFieldType});
    hostInterface = record;
}

void freeInterface() {
    if (!hostInterface) return;
    delete hostInterface->instanceProcs;
    delete hostInterface->templateFieldProcs;
    delete hostInterface->streamProcs;
    delete hostInterface->lowGUIProcs;
    delete hostInterface;
    hostInterface = nullptr;
}
