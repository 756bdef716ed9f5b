// Ids of the detector pages' templates, controls, bitmaps and texts in the module's resources
// (resources/DetectorPages.rc).
#pragma once

// Templates.
#define IDD_DETECTOR_UNSTIM 114
#define IDD_DETECTOR_ER 115
#define IDD_STIM_FIXED_POSITION 116
#define IDD_STIM_HEIGHT_WIDTH 124
#define IDD_MIN_PEAK_HEIGHT 125
#define IDD_DETECTOR_CAP 126
#define IDD_DETECTOR_PS 127

// Bitmaps of the bitmap group boxes.
#define IDB_STIMULUS_GROUP 130
#define IDB_DETECTION_GROUP 2202

// Texts.
#define IDS_CUSTOMIZE_TITLE 115
#define IDS_HALF_HEIGHT_TITLE 129
#define IDS_HALF_HEIGHT_TEXT 131
#define IDS_MIN_HEIGHT_TITLE 132
#define IDS_MIN_HEIGHT_TEXT 133

// Every detector page: the preview's place and the group boxes.
#define IDC_DET_PREVIEW_GROUP 1019
#define IDC_DET_PREVIEW_PLACE 1053
#define IDC_DET_GROUP 1020
#define IDC_DET_SETTINGS_GROUP 1021
#define IDC_DET_STIMULUS_GROUP 1065
#define IDC_DET_NESTED_PLACE 1028

// Stimulated pages.
#define IDC_DET_HEIGHT 1007
#define IDC_DET_WIDTH 1008
#define IDC_DET_HEIGHT_UNIT 1100
#define IDC_DET_WIDTH_UNIT 1104
#define IDC_DET_HEIGHT_SPIN 1071
#define IDC_DET_WIDTH_SPIN 1072
#define IDC_DET_HALF_HEIGHT 1016
#define IDC_DET_AT_MIN_HEIGHT 1017
#define IDC_DET_METHOD 1027
#define IDC_DET_RESPONSES 1059
#define IDC_DET_FROM 1013
#define IDC_DET_TO 1018
#define IDC_DET_FROM_ERROR 1075
#define IDC_DET_TO_ERROR 1076
#define IDC_DET_ER_MS_TO 1056
#define IDC_DET_ER_AFTER 1057
#define IDC_DET_MIN_HEIGHT_LABEL 1060
#define IDC_DET_PS_MS_TO 1058
#define IDC_DET_PS_AFTER 1077

// Nested stimulus pages.
#define IDC_STIM_POSITION 1051
#define IDC_STIM_POSITION_ERROR 1071
#define IDC_STIM_MAX_WIDTH 1012
#define IDC_STIM_MAX_WIDTH_UNIT 1031
#define IDC_STIM_MIN_HEIGHT 1033
#define IDC_STIM_MIN_HEIGHT_UNIT 1050
#define IDC_STIM_SKIP_LABEL 1032
#define IDC_STIM_SKIP 1013
#define IDC_STIM_SKIP_UNIT 1037

// Unstimulated page.
#define IDC_UNSTIM_PRESETS 1039
#define IDC_UNSTIM_CUSTOMIZE 1040
#define IDC_UNSTIM_SAVE 1125
#define IDC_UNSTIM_DELETE 1123
#define IDC_UNSTIM_MPH_PLACE 1052

// Minimum-peak-height page.
#define IDC_MPH_CAPTION 1032
#define IDC_MPH_EDIT 1007
#define IDC_MPH_SPIN 1071
#define IDC_MPH_UNIT 1100
#define IDC_MPH_SLIDER 1061
#define IDC_MPH_LOW 1103
#define IDC_MPH_HIGH 1106

// Texts of the preset list and the minimum-peak-height page.
#define IDS_USER_CUSTOM 2740
#define IDS_MPH_SD_UNIT 2741
#define IDS_MPH_CAPTION 2742
#define IDS_MPH_SD_RANGE 2743
#define IDS_MPH_POSITIVE 2744
#define IDS_MPH_FLOAT 2745
#define IDS_MPH_INVALID_VALUE 2746
#define IDS_DETECTION_UNITS 2747
