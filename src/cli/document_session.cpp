#include "cli/document_session.h"

#include "cli/exit_codes.h"
#include "document/binding.h"
#include "document/document.h"
#include "platform/file_handle.h"
#include "shell/ui_strings.h"

static bool fileExists(const std::string& path) {
    platform::FileHandle file =
        platform::createFile(path.c_str(), platform::kGenericRead, platform::kOpenExisting);
    if (file == platform::invalidFileHandle()) return false;
    platform::closeHandle(file);
    return true;
}

DocumentSession::~DocumentSession() {
    if (document_) destroyDocument(document_);
}

int DocumentSession::open(const Options& options, const std::string& file) {
    if (!fileExists(file)) return fail(kExitFile, "cannot read " + file + ".");
    int code = kExitDone;
    std::string error;
    const Template* templ = engine_.chooseTemplate(options, &code, &error);
    if (!templ) return fail(code, error);
    document_ = createDocument(file.c_str(), UIStrings[usUntitled], templ);
    if (!document_) return fail(kExitFile, "not enough memory to open " + file + ".");
    bindFile(document_);
    return kExitDone;
}

int DocumentSession::reportBinding() const {
    char text[512];
    describeBindStop(document_, text, sizeof text);
    return text[0] ? fail(kExitBindingStopped, std::string("binding stopped early. ") + text) : kExitDone;
}
