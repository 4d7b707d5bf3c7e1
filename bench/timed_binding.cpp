#include "timed_binding.h"

#include "document/binding.h"
#include "document/document.h"
#include "process_memory.h"
#include "stopwatch.h"
#include "synthetic_file.h"
#include "templates/template.h"

TimedBinding bindTimed(const std::string& path, const Template& templ) {
    auto start = std::chrono::steady_clock::now();
    Document* document = createDocument(path.c_str(), "Untitled", &templ);
    int64_t result = document ? bindFile(document) : kResultNoMemory;
    return TimedBinding{document, result, secondsSince(start)};
}

TimedBinding bindSyntheticTimed(const std::string& path, int64_t* residentBefore) {
    Template templ;
    fillSyntheticTemplate(templ);
    resetPeakMemory();
    *residentBefore = residentBytes();
    return bindTimed(path, templ);
}
