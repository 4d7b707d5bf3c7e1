#pragma once
// Collects what the program sends to the debugger output while it lives.
#include <string>

#include "platform/debug_output.h"

namespace testsupport {

class DebugCapture {
  public:
    DebugCapture() : previous_(platform::setDebugOutputSink(collect)) { current_ = this; }
    ~DebugCapture() {
        platform::setDebugOutputSink(previous_);
        current_ = nullptr;
    }
    DebugCapture(const DebugCapture&) = delete;
    DebugCapture& operator=(const DebugCapture&) = delete;

    const std::string& text() const { return text_; }

  private:
    static void collect(const char* text) { current_->text_ += text; }

    static inline DebugCapture* current_ = nullptr;

    platform::DebugOutputSink previous_;
    std::string text_;
};

}  // namespace testsupport
