#pragma once
// The list of templates in both template dialogs; the resource scripts see this too.

#define IDC_TEMPLATE_LIST 1000
