#include "document/binding.h"

#include <cinttypes>
#include <cstdio>

#include "templates/template.h"

const char* bindStopReason(const Document* document) {
    switch (document->stopReason) {
        case BindStop::None:
            return nullptr;
        case BindStop::InstanceLimit:
            return "The file asks for more rows than a document can hold (16,777,216).";
        case BindStop::OutOfMemory:
            return "The file asks for more memory than there is.";
        case BindStop::MissingCount:
            return "A list in the template has no count before it.";
        case BindStop::MissingSize:
            return "A list in the template has no size before it.";
        case BindStop::ListWithoutEnd:
            return "A list in the template has no end.";
        case BindStop::MisplacedEnd:
            return "The template ends a list that it never began.";
        case BindStop::NoFieldType:
            return "A row of the template has no field type.";
        case BindStop::NoValue:
            return "A field type could not make a value.";
        case BindStop::UnreadableField:
            return "A field could not be read.";
        case BindStop::FieldPastFileEnd:
            return "The file ends inside a field.";
        case BindStop::FieldPastSectionEnd:
            return "A field runs past the end of the section or list that holds it.";
        case BindStop::NegativeSize:
            return "A size in the file is negative.";
        case BindStop::SectionPastEnd:
            return "A size in the file runs past the end of the data that holds it.";
        case BindStop::EmptyItem:
            return "A list item takes no bytes, so the list would never end.";
        case BindStop::DivisionByZero:
            return "An expression in the template divides by zero.";
        case BindStop::Overflow:
            return "An expression's value does not fit 64 bits.";
        case BindStop::ShiftRange:
            return "An expression shifts or takes bits outside 0 to 63.";
        case BindStop::UnboundName:
            return "An expression names a row that was not read here.";
        case BindStop::NotANumber:
            return "An expression names a row that holds no whole number.";
        case BindStop::NoBitSource:
            return "A bit row follows no integer.";
        case BindStop::BadMultiple:
            return "A padding's multiple is not a positive number.";
        case BindStop::BadPattern:
            return "A pattern's byte is not a number from 0 to 255.";
        case BindStop::ChecksumRange:
            return "A checksum's bytes are not all in the file.";
        case BindStop::ReuseTooDeep:
            return "A template uses structures more than 8 levels deep.";
        case BindStop::NotFound:
            return "The bytes an expression looks for are not in the file.";
        case BindStop::OffsetPastEnd:
            return "An offset in the file points outside the file.";
        case BindStop::OffsetCycle:
            return "Offsets in the file lead back to bytes already read, so they would never end.";
        case BindStop::OffsetWithoutFile:
            return "Rows at an offset are read only from a file.";
        case BindStop::ReadOutside:
            return "An expression reads a number outside the file.";
    }
    return nullptr;
}

void describeBindStop(const Document* document, char* text, size_t size) {
    const char* reason = bindStopReason(document);
    if (size == 0) return;
    text[0] = 0;
    if (!reason) return;
    int32_t row = document->stopRow;
    if (row < 0 || row >= document->templ->fieldCount) {
        std::snprintf(text, size, "%s", reason);
        return;
    }
    std::snprintf(text, size, "Row %d \"%s\" at offset $%" PRIx64 ": %s", row, document->templ->fields[row]->caption,
                  static_cast<uint64_t>(document->stopOffset), reason);
}
