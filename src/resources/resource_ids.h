#pragma once
// Command identifiers of the menu "mMain" and the accelerators "accMain", and the names of the
// resources the windows load. The resource script sees only the macros.

#define IDM_NEW 40001
#define IDM_OPEN 40002
#define IDM_SAVE 40003
#define IDM_SAVE_AS 40004
#define IDM_EXIT 40005
#define IDM_UNDO 40006
#define IDM_REDO 40007
#define IDM_LIST_TEMPLATES 40008
#define IDM_PREFERENCES 40009
#define IDM_HELP_INDEX 40010
#define IDM_HELP_CONTENTS 40011
#define IDM_ABOUT 40012
#define IDM_HOME_PAGE 40013
#define IDM_CLOSE 40014
#define IDM_DELETE_ITEM 40015
#define IDM_GOTO_OFFSET 40016
#define IDM_BYTES_BESIDE 40017
#define IDM_BYTES_BELOW 40018
#define IDM_FIND 40030
#define IDM_FIND_NEXT 40031
#define IDM_FIND_PREVIOUS 40032
#define IDM_COPY 40033
#define IDM_PASTE 40034
// File > the recent files, the most recent first.
#define IDM_RECENT_FIRST 40050
#define IDM_RECENT_LAST 40057

#ifndef RC_INVOKED

enum CommandId : int {
    cmdNew = IDM_NEW,
    cmdOpen = IDM_OPEN,
    cmdSave = IDM_SAVE,
    cmdSaveAs = IDM_SAVE_AS,
    cmdExit = IDM_EXIT,
    cmdUndo = IDM_UNDO,
    cmdRedo = IDM_REDO,
    cmdListTemplates = IDM_LIST_TEMPLATES,
    cmdPreferences = IDM_PREFERENCES,
    cmdHelpIndex = IDM_HELP_INDEX,
    cmdHelpContents = IDM_HELP_CONTENTS,
    cmdAbout = IDM_ABOUT,
    cmdHomePage = IDM_HOME_PAGE,
    cmdClose = IDM_CLOSE,
    cmdDeleteItem = IDM_DELETE_ITEM,
    cmdGoToOffset = IDM_GOTO_OFFSET,
    cmdBytesBeside = IDM_BYTES_BESIDE,
    cmdBytesBelow = IDM_BYTES_BELOW,
    cmdFind = IDM_FIND,
    cmdFindNext = IDM_FIND_NEXT,
    cmdFindPrevious = IDM_FIND_PREVIOUS,
    cmdCopy = IDM_COPY,
    cmdPaste = IDM_PASTE,
    cmdRecentFirst = IDM_RECENT_FIRST,
    cmdRecentLast = IDM_RECENT_LAST,
};

constexpr const char* kMainMenuName = "mMain";
constexpr const char* kAcceleratorsName = "accMain";
constexpr const char* kMainIconName = "icoMain";
constexpr const char* kDownIconName = "sicoDown";

#endif
