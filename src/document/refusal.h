#pragma once
// Why a change was refused, kept in the document for the user (changeRefusal).
#include <cstdio>

#include "document/document.h"
#include "templates/template.h"

// With the row it is about, a reason names its caption in place of its %s.
inline void refuse(Document* document, const char* reason, const FieldInstance* about = nullptr) {
    if (about) {
        std::snprintf(document->refusal, sizeof document->refusal, reason, about->field->caption);
    } else {
        std::snprintf(document->refusal, sizeof document->refusal, "%s", reason);
    }
}
