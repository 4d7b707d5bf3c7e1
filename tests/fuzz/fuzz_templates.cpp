// Template files from any bytes: loading never fails or crashes, link and resolve leave a sound
// structure, and what is saved loads again as the same rows.

#include <cstdint>
#include <cstring>
#include <initializer_list>

#include "fieldtypes/registry.h"
#include "scratch_files.h"
#include "shell/debug_log.h"
#include "templates/template.h"

namespace {

using scratch::check;

const char* inputPath;
const char* savedPath;

bool refersInside(const Template& t, const TemplateField* field) {
    return !field || t.indexOf(field, -1) >= 0;
}

// Links and chains hold between changes of the rows too; partners pair and depths are in range once
// link has run again.
void checkStructure(const Template& t, bool linked = true) {
    for (int32_t i = 0; i < t.fieldCount; ++i) {
        const TemplateField* f = t.fields[i];
        check(refersInside(t, f->parent) && refersInside(t, f->partner), "link points outside the template");
        check(f->previous == (i > 0 ? t.fields[i - 1] : nullptr), "broken previous chain");
        check(f->next == (i + 1 < t.fieldCount ? t.fields[i + 1] : nullptr), "broken next chain");
        check(!linked || !f->partner || f->partner->partner == f, "partners do not pair");
        check(!linked || (f->depth >= 0 && f->depth <= i + 1), "depth out of range");
    }
}

int32_t rowOf(const Template& t, const TemplateField* field) {
    return field ? t.indexOf(field, -1) : -1;
}

void checkSameRows(const Template& a, const Template& b) {
    check(a.fieldCount == b.fieldCount, "row count changed");
    for (int32_t i = 0; i < a.fieldCount; ++i) {
        const TemplateField* x = a.fields[i];
        const TemplateField* y = b.fields[i];
        check(std::memcmp(x->code, y->code, 4) == 0, "code changed");
        check(std::strcmp(x->caption, y->caption) == 0, "caption changed");
        check(x->depth == y->depth && x->hasCases == y->hasCases, "structure changed");
        check(rowOf(a, x->parent) == rowOf(b, y->parent) && rowOf(a, x->partner) == rowOf(b, y->partner),
              "links changed");
    }
}

}  // namespace

extern "C" int LLVMFuzzerInitialize(int*, char***) {
    inputPath = scratch::file("fuzz_templates", "tmpl");
    savedPath = scratch::file("fuzz_templates", "saved.tmpl");
    FieldTypeProcs procs{};  // a few codes known, so that resolve fails on the others
    procs.length = kFieldTypeProcsLength;
    for (const char* code : {"DWRD", "PSTR", "hlng", "KBYT"})
        registerFieldType(fieldCodeOf(code), code, 0, &procs);
    return 0;
}

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    static unsigned runs = 0;
    if (++runs % 4096 == 0) shell::truncateDebugLog();  // misplaced closing codes log a line each
    scratch::write(inputPath, data, size);

    Template loaded;
    check(loaded.load(inputPath) == 0, "load failed");
    check(loaded.linked && !loaded.resolved, "marks after load");
    checkStructure(loaded);
    int resolved = loaded.resolve();
    check(resolved == 0 || (resolved == -4 && loaded.errorRow < loaded.fieldCount), "resolve result");
    // A control code is rejected only for parameters that do not parse, and then says where.
    if (resolved == -4)
        check(!isControlCode(loaded.fields[loaded.errorRow]->code) || (loaded.errorMessage && loaded.errorColumn >= 0),
              "control code rejected");

    check(loaded.save(savedPath) == 0, "save failed");
    Template reloaded;
    check(reloaded.load(savedPath) == 0, "reload failed");
    checkSameRows(loaded, reloaded);

    Template* copy = loaded.clone();
    check(copy != nullptr, "clone failed");
    checkSameRows(loaded, *copy);
    checkStructure(*copy);
    delete copy;

    if (loaded.fieldCount > 0) {
        loaded.removeField(static_cast<int32_t>(size % loaded.fieldCount));
        checkStructure(loaded, false);
        loaded.link();
        checkStructure(loaded);
    }
    return 0;
}
