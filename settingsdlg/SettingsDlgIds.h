// Ids of the settings dialog's templates, controls, bitmap and texts in the module's resources.
#pragma once

#define IDD_SETTINGS 112
#define IDD_TABLE_OPTIONS 119
#define IDB_INVALID_MARKER 134

#define IDS_SETTINGS_SOURCE_REFUSED 201
#define IDS_SETTINGS_SOURCE_REFUSED_TITLE 202
#define IDS_SETTINGS_TAB_DETECTOR 203
#define IDS_SETTINGS_TAB_BASELINE 204
#define IDS_SETTINGS_TAB_RMP 205
#define IDS_SETTINGS_TAB_CALCULATIONS 206
#define IDS_SETTINGS_TAB_TABLE_OPTIONS 207

// The frame's controls.
#define IDC_SET_TYPE 1023
#define IDC_SET_SOURCE 1062
#define IDC_SET_SELECTION 1024
#define IDC_SET_CHANNEL 1025
#define IDC_SET_TABS 1022
#define IDC_SET_TYPE_LABEL 1076
#define IDC_SET_SOURCE_LABEL 1029
#define IDC_SET_GROUP 1027
#define IDC_SET_SOURCE_ERROR 1078

// The Table Options page's controls; measurement check boxes are 5000 + k.
#define IDC_TO_SUMMARY 1035
#define IDC_TO_GROUP 1036
#define IDC_TO_CHECK_ALL 1063
#define IDC_TO_UNCHECK_ALL 1064
#define IDC_TO_BOUNDARY 1079
#define IDC_TO_FIRST_MEASUREMENT 5000

// The invalid-settings dialog's controls.
#define IDC_WARN_ICON 1118
#define IDC_WARN_MARKER 1075
