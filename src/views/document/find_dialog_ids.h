#pragma once
// Control ids of the find dialog "dlgFind".

#define IDC_FIND_PROMPT 500
#define IDC_FIND_EDIT 501
#define IDC_FIND_TEXT 502
#define IDC_FIND_NUMBER 503
#define IDC_FIND_BYTES 504
