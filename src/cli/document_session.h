#pragma once
// A document bound as the GUI binds it, for one run of the tool.
#include <string>

#include "cli/options.h"
#include "cli/session.h"

struct Document;

class DocumentSession {
  public:
    DocumentSession() = default;
    ~DocumentSession();
    DocumentSession(const DocumentSession&) = delete;
    DocumentSession& operator=(const DocumentSession&) = delete;

    // Binds the file with the chosen template. A missing file or template is reported and leaves
    // no document; a binding that stopped early still leaves the rows bound so far.
    int open(const Options& options, const std::string& file);
    Document* document() { return document_; }
    // Reports why binding stopped early, if it did; the exit code either way.
    int reportBinding() const;

  private:
    Session engine_;
    Document* document_ = nullptr;
};
