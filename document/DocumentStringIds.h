// Ids of the analysis document's texts in the module's string table.
#pragma once

#define IDS_ZR_CLIENT_NAME 111
#define IDS_ZR_CAPTION 119
#define IDS_ZR_CALCULATIONS_OFF 118
#define IDS_ZR_OUT_OF_MEMORY 150
#define IDS_ZR_ONLINE_SELECTION 151
#define IDS_ZR_ONLINE_REGION 152
#define IDS_ZR_NO_DETECTOR 153
#define IDS_ZR_STREAM_DAMAGED 154
#define IDS_ZR_STREAM_VERSION 155
#define IDS_ZR_STREAM_VALUE 156
#define IDS_ZR_STREAM_CHANNEL 157
#define IDS_ZR_MARKER_NAME 2200

// The "Ondara" menu: each item's text at n, its tip at n + 1 and its short name at n + 2.
#define IDS_ZR_MENU_TITLE 2000
#define IDS_ZR_MENU_SETTINGS 2016
#define IDS_ZR_MENU_ANALYSIS_VIEW 2032
#define IDS_ZR_MENU_TABLE_VIEW 2048
#define IDS_ZR_MENU_PEAK_MARKERS 2064
#define IDS_ZR_MENU_WHILE_SAMPLING 2080
#define IDS_ZR_MENU_RESELECT 2096
#define IDS_ZR_MENU_CLEAR 2112
#define IDS_ZR_MENU_ANALYZE 139
#define IDS_ZR_ANALYZE_CHANNEL 116
#define IDS_ZR_ANALYZE_SELECTION 117
#define IDS_ZR_NO_PERIODIX 113

// The Analysis View's marker names and its text for a measurement without a value.
#define IDS_ZR_MARKER_START 2430
#define IDS_ZR_MARKER_PEAK 2431
#define IDS_ZR_MARKER_END 2432
#define IDS_ZR_MARKER_SLOPE 2433
#define IDS_ZR_NO_VALUE 2434
