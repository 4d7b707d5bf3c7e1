#pragma once
// Control ids of the value entry dialog "dlgSimpleQuery".

#define IDC_QUERY_PROMPT 1013
#define IDC_QUERY_EDIT 1014
