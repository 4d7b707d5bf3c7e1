#include <optional>
#include <string>
#include <vector>

#include "shell/strings.h"
#include "views/document/headless/query_script.h"
#include "views/document/query_value.h"

namespace {

// A vector, which holds no memory while empty, so an idle script leaks nothing between tests.
std::vector<std::optional<std::string>>& answers() {
    static std::vector<std::optional<std::string>> queue;
    return queue;
}

int questions = 0;
std::string* last = nullptr;
std::string* refusal = nullptr;

}  // namespace

namespace queryscript {

void answer(const std::string& text) {
    answers().emplace_back(text);
}
void cancel() {
    answers().emplace_back(std::nullopt);
}

void reset() {
    answers().clear();
    answers().shrink_to_fit();
    questions = 0;
    delete last;
    last = nullptr;
    delete refusal;
    refusal = nullptr;
}

int asked() {
    return questions;
}

const std::string& lastQuestion() {
    static const std::string none;
    return last ? *last : none;
}

const std::string& lastRefusal() {
    static const std::string none;
    return refusal ? *refusal : none;
}

bool pending() {
    return !answers().empty();
}

}  // namespace queryscript

// With no answer queued the question is cancelled, as a user closing the dialog would. A refused
// answer keeps the question open for the next one, as the dialog stays open for a correction.
char* queryValue(platform::Window, const char* title, const char* prompt, const char* initialText,
                 RefuseTextProc refuse) {
    ++questions;
    std::string question = std::string(title ? title : "") + "|" + (prompt ? prompt : "") + "|" +
                           (initialText ? initialText : "");
    if (!last) last = new std::string;
    *last = question;
    while (!answers().empty()) {
        std::optional<std::string> reply = answers().front();
        answers().erase(answers().begin());
        if (answers().empty()) answers().shrink_to_fit();
        if (!reply) return nullptr;
        const char* reason = refuse ? refuse(reply->c_str()) : nullptr;
        if (!reason) return DupString(reply->c_str());
        if (!refusal) refusal = new std::string;
        *refusal = reason;
    }
    return nullptr;
}
