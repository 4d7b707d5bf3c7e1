#include "timed_binding.h"

#include "document/binding.h"
#include "document/document.h"
#include "stopwatch.h"

TimedBinding bindTimed(const std::string& path, const Template& templ) {
    auto start = std::chrono::steady_clock::now();
    Document* document = createDocument(path.c_str(), "Untitled", &templ);
    int64_t result = document ? bindFile(document) : kResultNoMemory;
    return TimedBinding{document, result, secondsSince(start)};
}
