#pragma once
// The sub-commands of sondrix-cli; each returns its exit code.
#include "cli/options.h"

int runDump(const Options& options);
int runEdit(const Options& options);
int runTemplates(const Options& options);
int runDetect(const Options& options);
int runCompile(const Options& options);
int runDecompile(const Options& options);
