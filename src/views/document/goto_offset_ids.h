#pragma once
// Control ids of the go to offset dialog "dlgGoToOffset".

#define IDC_GOTO_PROMPT 1015
#define IDC_GOTO_EDIT 1016
