#pragma once
// Controls of the dialog "dlgTemplateField"; the resource script sees these too.

#define IDC_FIELD_CAPTION 1007
#define IDC_FIELD_CODE 1009
#define IDC_FIELD_CODE_CHOICE 1010
