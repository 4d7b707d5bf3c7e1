#pragma once
// The message for a template that failed resolve: UI string 36 with the failing row's index, code
// and caption, and for a caption whose parameters do not parse UI string 93 with the column and the
// reason, cut to the buffer of 2000 characters.
#include <cstddef>

class Template;

constexpr size_t kInvalidTemplateMessageSize = 2000;

void formatInvalidTemplateMessage(const Template& templ, char (&text)[kInvalidTemplateMessageSize]);
