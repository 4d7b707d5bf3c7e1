#pragma once
// The host interface: the one record through which field types reach streams, windows, template
// fields and field instances. Version, table counts and procedure order are binding: field types
// find the procedures by position.
#include <cstdint>

#include "fieldtypes/field_type.h"
#include "platform/types.h"

struct TemplateField;

constexpr uint32_t kInterfaceVersion = 4;

struct LowGUIProcs {
    int32_t count;  // 6
    platform::Brush (*lgGetBrush)(int32_t number);
    platform::Pen (*lgGetPen)(int32_t number);
    platform::Font (*lgGetFont)(int32_t number);
    platform::Window (*lgGetMainWindow)();
    intptr_t (*lgShowModalDlg)(void* unused);
    intptr_t (*lgEndModalDlg)(void* unused);
};

struct StreamProcs {
    int32_t count;  // 9
    int64_t (*stRead)(TIOStream* stream, void* buffer, int64_t count);
    int64_t (*stWrite)(TIOStream* stream, const void* buffer, int64_t count);
    int64_t (*stSeek)(TIOStream* stream, int64_t offset, int32_t origin);
    int64_t (*stGetPosition)(TIOStream* stream);
    uint32_t (*stGetCaps)(TIOStream* stream);
    intptr_t (*stReserved)();
    TIOStream* (*stOpenFile)(const char* path, uint32_t access, uint32_t disposition);
    int64_t (*stCopy)(TIOStream* destination, TIOStream* source);
    void (*stClose)(TIOStream* stream);
};

struct TemplateFieldProcs {
    int32_t count;  // 10
    FieldCode (*tfGetCode)(TemplateField* field);
    const char* (*tfGetCaption)(TemplateField* field);
    TemplateField* (*tfGetPrevious)(TemplateField* field);
    TemplateField* (*tfGetNext)(TemplateField* field);
    TemplateField* (*tfGetParent)(TemplateField* field);
    TemplateField* (*tfGetPartner)(TemplateField* field);
    uint32_t (*tfGetExtra)(TemplateField* field);
    intptr_t (*tfReserved1)(void* unused);
    intptr_t (*tfReserved2)(void* unused);
    int32_t (*tfRegisterFieldType)(FieldCode code, const char* name, uint32_t flags,
                                   const FieldTypeProcs* procs);
};

struct InstanceProcs {
    int32_t count;  // 10
    void* (*fiGetValue)(FieldInstance* instance);
    FieldCode (*fiGetCode)(FieldInstance* instance);
    const char* (*fiGetCaption)(FieldInstance* instance);
    FieldInstance* (*fiGetPrevious)(FieldInstance* instance);
    FieldInstance* (*fiGetNext)(FieldInstance* instance);
    FieldInstance* (*fiGetParent)(FieldInstance* instance);
    FieldInstance* (*fiGetPartner)(FieldInstance* instance);
    FieldInstance* (*fiGetListSource)(FieldInstance* instance);
    int64_t (*fiGetCount)(FieldInstance* instance);
    TemplateField* (*fiGetField)(FieldInstance* instance);
};

struct HostInterface {
    uint32_t version;
    LowGUIProcs* lowGUIProcs;
    StreamProcs* streamProcs;
    TemplateFieldProcs* templateFieldProcs;
    InstanceProcs* instanceProcs;
};

// Null before buildInterface and after freeInterface. (`interface` is a macro in the Windows headers,
// so the record is reached through this name.)
extern HostInterface* hostInterface;

void buildInterface();
void freeInterface();

// The main window handle that lgGetMainWindow hands out; set by the main frame.
extern platform::Window mainWindowHandle;
