#pragma once
// Answers for the value entry dialog where there is no desktop: the command-line tool and the
// tests queue the texts a user would have typed, or a cancel.
#include <string>

namespace queryscript {

void answer(const std::string& text);
void cancel();
void reset();
// Questions asked since the last reset, each as "title|prompt|initial text".
int asked();
const std::string& lastQuestion();
// Why the last refused answer was refused, as the dialog would show it; empty when none was.
const std::string& lastRefusal();
bool pending();

}  // namespace queryscript
