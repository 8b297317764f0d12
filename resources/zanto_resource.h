// Resource identifiers of the calendar program.
#pragma once

#define IDI_ZANTO 101

#define IDS_VERSION 1
#define IDS_PROGRAM_NAME 2
#define IDS_DISPLAY_NAME 3
#define IDS_MEMO_CAPTION 6
#define IDS_STANDARD_DECO 7
#define IDS_TOMORROW 9
#define IDS_WINDOW_CLASS 10
#define IDS_SETTINGS_ERROR 11

#define IDS_CHOICE_POSITION 201
#define IDS_CHOICE_FRAME 202
#define IDS_CHOICE_MARK 203
#define IDS_CHOICE_IMAGE 204
#define IDS_CHOICE_WEEK_START 205
#define IDS_CHOICE_TODAY 206
#define IDS_CHOICE_WEEKDAY 207
#define IDS_CHOICE_HOLIDAY 208

#define IDS_POWER_SAVE_NOTICE 1001
#define IDS_YEAR_BOUNDARY 1002

// --- tray icon and menus ---
#define IDR_MENUS 108
#define IDM_EXIT 40001
#define IDM_DISPLAY_SETTINGS 40003
#define IDM_DAY_TYPES 40004
#define IDM_TOP_RIGHT 40005
#define IDM_VERSION 40007
#define IDM_MOVE 40008
#define IDM_ALWAYS_BOTTOM 40009
#define IDM_STOP_POWER_SAVE 40011
#define IDM_SET_HOME 40013
#define IDM_GO_HOME 40015
// External entry i has the command id IDM_FIRST_EXTERN_APP + i.
#define IDM_FIRST_EXTERN_APP 41100
// --- Dialog framework, day decoration editors and version dialog ---
#define IDD_DAY_DECO_EDT 102
#define IDD_DECO_ARRAY_EDT 115
#define IDD_DAY_EDT 116
#define IDD_VERSION 125

#define IDS_FILTER_ALL_FILES 301

// Hidden statics that mark where a dialog places its pages.
#define IDC_MARKER 1021
#define IDC_MARKER2 1022

// Decoration page (102): per row the "標準" box, swatch, type combo, "..." button.
#define IDC_STD_COLOUR 1002
#define IDC_STD_SHADOW 1003
#define IDC_STD_FRAME 1004
#define IDC_STD_MARK 1005
#define IDC_STD_IMAGE 1006
#define IDC_PICK_COLOUR 1007
#define IDC_PICK_SHADOW 1008
#define IDC_PICK_IMAGE 1009
#define IDC_PICK_FRAME 1010
#define IDC_PICK_MARK 1011
#define IDC_IMAGE_PATH 1017
#define IDC_SWATCH_COLOUR 1028
#define IDC_SWATCH_SHADOW 1029
#define IDC_SWATCH_FRAME 1033
#define IDC_SWATCH_MARK 1034
#define IDC_FRAME_TYPE 1035
#define IDC_MARK_TYPE 1036
#define IDC_IMAGE_TYPE 1037

// Decoration list (115).
#define IDC_EDIT_DECO 3
#define IDC_NEW_DECO 4
#define IDC_DELETE_DECO 5
#define IDC_MOVE_UP 6
#define IDC_MOVE_DOWN 7
#define IDC_DECO_LIST 1041

// One decoration (116).
#define IDC_DECO_NAME 1042
#define IDC_TODAY_LABEL 1098
#define IDC_WEEKDAY_LABEL 1023
#define IDC_HOLIDAY_LABEL 1024
#define IDC_TODAY_COND 1049
#define IDC_WEEKDAY_COND 1050
#define IDC_HOLIDAY_COND 1051

// Version dialog (125).
#define IDC_VERSION_TEXT 1101
#define IDC_WEB_LINK 1103
#define IDC_PROGRAM_TITLE 1105
