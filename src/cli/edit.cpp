#include "cli/commands.h"
#include "cli/document_session.h"
#include "cli/exit_codes.h"
#include "document/changes.h"
#include "document/document.h"
#include "document/folds.h"
#include "document/saving.h"
#include "views/document/headless/query_script.h"

namespace {

// The field type asks for the value through the value entry dialog; the tool answers it.
bool apply(Document* document, const Edit& edit) {
    FieldInstance* instance = showRow(document, edit.row - 1);
    if (!instance) return false;
    if (edit.kind == Edit::Insert) return insertItem(document, instance, edit.text.empty() ? nullptr : edit.text.c_str());
    if (edit.kind == Edit::Delete) return deleteItem(document, instance);
    queryscript::reset();
    queryscript::answer(edit.text);
    bool changed = editInstance(document, instance);
    queryscript::reset();
    return changed;
}

}  // namespace

int runEdit(const Options& options) {
    if (options.operands.size() != 1 || options.output.empty()) {
        return fail(kExitUsage, "edit takes one file to change and -o OUT for the result.");
    }
    DocumentSession session;
    int code = session.open(options, options.operands[0]);
    if (!session.document()) return code;
    // What binding could not lay out is kept as it is, so a partial document saves whole.
    session.reportBinding();
    for (const Edit& edit : options.edits) {
        if (!apply(session.document(), edit)) {
            const char* what = edit.kind == Edit::Set      ? "cannot be edited"
                               : edit.kind == Edit::Insert ? "is not a list row"
                                                           : "is no list item that can be deleted";
            const char* reason = changeRefusal(session.document());
            std::string why = reason ? std::string(": ") + reason : std::string(" ") + what + ".";
            return fail(kExitEditRefused, "row " + std::to_string(edit.row) + why + " Nothing was saved.");
        }
    }
    if (int64_t saved = saveDocument(session.document(), options.output.c_str()); saved < 0) {
        return fail(kExitFile, "cannot write " + options.output + ": " + saveFailureReason(saved) +
                                   " Nothing was changed there.");
    }
    return kExitDone;
}
