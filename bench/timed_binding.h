#pragma once
// A document made on a file and bound, with the time it took.
#include <cstdint>
#include <string>

struct Document;
class Template;

struct TimedBinding {
    Document* document;  // null without memory
    int64_t result;
    double seconds;
};

TimedBinding bindTimed(const std::string& path, const Template& templ);
// The same for a synthetic file, from a new peak of memory; *residentBefore is what the process held
// as the binding began.
TimedBinding bindSyntheticTimed(const std::string& path, int64_t* residentBefore);
