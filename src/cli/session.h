#pragma once
// The engine as the command-line tool uses it: started for the run, with the template chosen on
// the command line.
#include <string>

#include "cli/options.h"

class Template;

class Session {
  public:
    Session();
    ~Session();
    Session(const Session&) = delete;
    Session& operator=(const Session&) = delete;

    // The -t or -T template, resolved. On failure returns null with the exit code and sentence.
    const Template* chooseTemplate(const Options& options, int* exitCode, std::string* error);

  private:
    Template* ownFile_ = nullptr;
};

// The invalid-template message the GUI shows, from the failing row of a resolved template.
std::string invalidTemplateMessage(const Template& templ);
