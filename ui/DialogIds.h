#pragma once
// Resource and control ids of the three dialogs. Shared by the resource
// scripts and the dialog procedures, so only preprocessor definitions here.

#define IDD_SETTINGS 2003
#define IDD_CELL_COLOR 131
#define IDD_NAME 129

// Settings dialog.
#define IDC_FPS 1000
#define IDC_FSIZE_WIDTH 1001
#define IDC_FSIZE_HEIGHT 1002
#define IDC_SCENE_WIDTH 1003
#define IDC_DROP 1004
#define IDC_TIME 1005
#define IDC_PLAY_RULE_CODE 1006
#define IDC_PLAY_RULE_SELECT 1007
#define IDC_PLAY_LIST_ORDER 1008
#define IDC_PLAY_LIST_SHUFFLE 1009
#define IDC_PLAY_LIST_ONE 1010
#define IDC_SCENE_LIST 1011
#define IDC_RESET 1012
#define IDC_PLAY_LIST 1013
#define IDC_SCENE_HEIGHT 1014
#define IDC_OWN_TIME 1020
#define IDC_OWN_SIZE 1021
#define IDC_OWN_INIT 1022
#define IDC_OWN_TILING 1023
#define IDC_OWN_HUE 1024
#define IDC_RANDOM_TIME 1030
#define IDC_RANDOM_SIZE 1031
#define IDC_RANDOM_INIT 1032
#define IDC_RANDOM_TILING 1033
#define IDC_RANDOM_HUE 1034
#define IDC_SCENE_TIME 1040
#define IDC_RENAME 1041
#define IDC_INIT_LIST 1044
#define IDC_ADD_TO_LIST 1045
#define IDC_REMOVE_FROM_LIST 1046
#define IDC_MOVE_UP 1047
#define IDC_MOVE_DOWN 1048
#define IDC_TILING_LIST 1049
#define IDC_COLORS 1050
#define IDC_PROC_NOISE 1071
#define IDC_PROC_BLUR 1072

// Cell colour dialog. The preview shares its id with the settings dialog's
// move-down button; the two live in different dialogs.
#define IDC_PREVIEW 1048
#define IDC_HUE0_EDIT 1051
#define IDC_SAT0_EDIT 1052
#define IDC_VAL0_EDIT 1053
#define IDC_HUE255_EDIT 1054
#define IDC_SAT255_EDIT 1055
#define IDC_VAL255_EDIT 1056
#define IDC_BG_HUE_EDIT 1057
#define IDC_BG_SAT_EDIT 1058
#define IDC_BG_VAL_EDIT 1059
#define IDC_BG_ENABLED 1060
#define IDC_HUE0_BAR 1061
#define IDC_SAT0_BAR 1062
#define IDC_VAL0_BAR 1063
#define IDC_HUE255_BAR 1064
#define IDC_SAT255_BAR 1065
#define IDC_VAL255_BAR 1066
#define IDC_BG_HUE_BAR 1067
#define IDC_BG_SAT_BAR 1068
#define IDC_BG_VAL_BAR 1069
#define IDC_HUE_REVERSED 1070

// Name dialog.
#define IDC_NAME_PROMPT 1042
#define IDC_NAME_TEXT 1043

// Message texts of the settings dialog (its string table).
#define IDS_DATA_FILE_IS_FOLDER 2101
