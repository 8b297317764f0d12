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
#define IDM_START_WITH_WINDOWS 40017
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

// ---- Memo editor (110) and its schedule page (131) ----
#define IDD_MEMO_EDT 110
#define IDD_TAB_SCHE 131
// Label of a schedule tab; %d is the number of the page in order of creation.
#define IDS_SCHEDULE_TAB 1131
#define IDC_MEMO_TEXT 1000
#define IDC_MEMO_MARKER 1021
#define IDC_MEMO_TABS 1106
#define IDC_MEMO_ADD_SCHEDULE 1051
#define IDC_MEMO_DELETE_ALL 3
#define IDC_SCHE_START_HOUR 1056
#define IDC_SCHE_START_HOUR_SPIN 1055
#define IDC_SCHE_START_MINUTE 1060
#define IDC_SCHE_START_MINUTE_SPIN 1058
#define IDC_SCHE_NOTIFY 1107
#define IDC_SCHE_LEAD_HOUR 1057
#define IDC_SCHE_LEAD_HOUR_SPIN 1062
#define IDC_SCHE_LEAD_MINUTE 1063
#define IDC_SCHE_LEAD_MINUTE_SPIN 1064
#define IDC_SCHE_MESSAGE 1059
#define IDC_SCHE_DELETE 1051
#define IDC_SCHE_PASTE_MEMO 1007
#define IDC_SCHE_NOTIFY_OFF_NOTE 1108

// ---- Display settings dialog (117) and its pages (119, 120, 121, 122, 129) ----
#define IDD_OPTION 117
#define IDD_CHILD_FONT 119
#define IDD_DAY_FORM 120
#define IDD_HEADER_FORM 121
#define IDD_MONTH_FORM 122
#define IDD_BACK_PROP 129
#define IDC_OPT_LABEL_MONTH 1070
#define IDC_OPT_LABEL_HEADER 1069
#define IDC_OPT_LABEL_DAY 1068
#define IDC_OPT_UPPER_BOX 1071
#define IDC_OPT_BACK_BOX 1072
#define IDC_OPT_BACK_LABEL 1001
#define IDC_OPT_MARKER 1021
#define IDC_OPT_MARKER2 1022
#define IDC_FONT_POINTS 1063
#define IDC_FONT_FACE 1064
#define IDC_FONT_PICK 1065
#define IDC_FONT_SHADOW 1066
#define IDC_FONT_SHADOW_SPIN 1067
#define IDC_FORM_COLOR 1028
#define IDC_FORM_SHADOW_COLOR 1029
#define IDC_FORM_PICK_COLOR 1007
#define IDC_FORM_PICK_SHADOW_COLOR 1008
#define IDC_FORM_SPACE_Y 1089
#define IDC_FORM_SPACE_Y_SPIN 1092
#define IDC_FORM_POSITION 1096
#define IDC_FORM_FORMAT 1097
#define IDC_FORM_WEEK_TITLE 1099
#define IDC_FORM_WEEK_START 1094
#define IDC_FORM_SHOW_TITLES 1093
#define IDC_FORM_ADJUST_TOP 1081
#define IDC_FORM_ADJUST_TOP_SPIN 1082
#define IDC_FORM_ADJUST_LEFT 1083
#define IDC_FORM_ADJUST_LEFT_SPIN 1084
#define IDC_FORM_ADJUST_BOTTOM 1085
#define IDC_FORM_ADJUST_BOTTOM_SPIN 1086
#define IDC_FORM_ADJUST_RIGHT 1087
#define IDC_FORM_ADJUST_RIGHT_SPIN 1088
#define IDC_FORM_SPACE_X 1090
#define IDC_FORM_SPACE_X_SPIN 1091
#define IDC_BACK_NO_WALLPAPER 1003
#define IDC_BACK_NO_FILL 1004
#define IDC_BACK_NO_TRANSPARENT 1002
#define IDC_BACK_DESKTOP_COLOR 1005
#define IDC_BACK_OWN_COLOR 1006
#define IDC_BACK_SWATCH 1008
#define IDC_BACK_PICK_COLOR 1007

// Messages about memo files that could not be saved or were set aside
#define IDS_MEMO_SAVE_FAILED 1401
#define IDS_MEMO_SET_ASIDE 1402

// ---- The old calendar (旧暦, 六曜, 二十四節気): texts, the 暦 page of the display settings
// (140), its category label and the 六曜 condition of the day type editor ----
#define IDD_KOYOMI_FORM 140
#define IDC_OPT_LABEL_KOYOMI 1200
#define IDC_ROKUYO_LABEL 1201
#define IDC_ROKUYO_COND 1202
#define IDC_KOYOMI_TIP_LINE 1210
#define IDC_KOYOMI_CELL_LINE 1211
#define IDC_KOYOMI_SEKKI_NAME 1212
#define IDC_KOYOMI_FONT_SIZE 1213
#define IDC_KOYOMI_FONT_SIZE_SPIN 1214
#define IDC_KOYOMI_COLOR 1215
#define IDC_KOYOMI_PICK_COLOR 1216
#define IDS_KOYOMI_DATE 1600
#define IDS_KOYOMI_LEAP 1601
#define IDS_KOYOMI_ROKUYO 1602
#define IDS_KOYOMI_SEKKI 1603
#define IDS_KOYOMI_ZASSETSU 1604
#define IDS_KOYOMI_SEPARATOR 1605
#define IDS_CHOICE_ROKUYO 1606

// ---- Heading forms of the 年・月 page (122): the 和暦 heading ----
#define IDC_FORM_HEADING_FORMS 1250
#define IDC_FORM_GANNEN 1251
// The pictures of the offered heading forms, ';'-separated, and the entry for a free picture.
#define IDS_HEADING_FORMS 1650
#define IDS_HEADING_FREE_FORM 1651
