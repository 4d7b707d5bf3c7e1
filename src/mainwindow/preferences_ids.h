#pragma once
// Control ids of the preferences dialog "dlgPreferences".

#define IDC_PREF_BESIDE 550
#define IDC_PREF_BELOW 551
#define IDC_PREF_ROWS_LABEL 552
#define IDC_PREF_ROWS_POINTS 553
#define IDC_PREF_BYTES_LABEL 554
#define IDC_PREF_BYTES_POINTS 555
#define IDC_PREF_NOTE 556
#define IDC_PREF_PLACE_GROUP 557
