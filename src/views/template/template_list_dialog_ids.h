#pragma once
// Controls of the dialog "dlgListTemplates"; the resource script sees these too.
#include "views/template/template_choice_list_ids.h"

#define IDC_EDIT_TEMPLATE 1006
