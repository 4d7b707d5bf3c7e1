#pragma once
// Check fields (CHKB, CHKW, CHKL, CHKQ in either byte order, CHKO as octal digits): a number stored
// in the file and the number an expression over the file's bytes says it should be. One that was
// right when read follows what it checks; one that was already wrong stays as read.
#include <cstdint>

#include "fieldtypes/field_type.h"

bool isCheckField(const FieldInstance* instance);
// Whether a check field was right when read, so that it follows what it checks.
bool checkFollows(const FieldInstance* instance);
// The number the row's expression gave where it was bound; whether the stored one equals it decides
// whether the row follows.
void noteComputed(FieldInstance* instance, int64_t computed);
// After a change, from the same row read back: the number it should be now, stored too when the row
// follows. Whether its bytes changed.
bool followComputed(FieldInstance* shown, const FieldInstance* read);
