#pragma once
// The message for a template that failed resolve: UI string 36 with the failing row's index, code
// and caption, cut to the buffer of 2000 characters.
#include <cstddef>

class Template;

constexpr size_t kInvalidTemplateMessageSize = 2000;

void formatInvalidTemplateMessage(const Template& templ, char (&text)[kInvalidTemplateMessageSize]);
