// Ids of the Baseline and Calculations pages' templates, controls and texts in the module's resources.
#pragma once

#define IDD_CALC_ER 120
#define IDD_CALC_GEN 121
#define IDD_CALC_SYNAP 122
#define IDD_CALC_CAP 123
#define IDD_CALC_PS 129
#define IDD_CALC_NAP 130
#define IDD_BASELINE 131

#define IDS_BASELINE_RMP_GROUP 1093
#define IDS_BASELINE_RMP_PERCENT 1094

// The Baseline page.
#define IDC_BASELINE_AUTO 1081
#define IDC_BASELINE_FIXED 1082
#define IDC_BASELINE_MINIMUM 1083
#define IDC_BASELINE_VALUE 1084
#define IDC_BASELINE_UNITS 1085
#define IDC_BASELINE_START_LABEL 1086
#define IDC_BASELINE_START_PERCENT 1047
#define IDC_BASELINE_START_AFTER 1087
#define IDC_BASELINE_END_LABEL 1088
#define IDC_BASELINE_END_PERCENT 1090
#define IDC_BASELINE_END_AFTER 1089

// Controls that mean the same on every Calculations page that has them.
#define IDC_CALC_AREA_START 1037
#define IDC_CALC_AREA_END 1038
#define IDC_CALC_RISE_START 1095
#define IDC_CALC_RISE_END 1096
#define IDC_CALC_SLOPE_START 1043
#define IDC_CALC_SLOPE_END 1044
#define IDC_CALC_B_FITTED 1041
#define IDC_CALC_B_BASELINE 1042
#define IDC_CALC_TAU_START 1039
#define IDC_CALC_TAU_END 1040
#define IDC_CALC_VALUE 1045
#define IDC_CALC_MAX_NEG_SLOPE_START 1050
#define IDC_CALC_MAX_NEG_SLOPE_WINDOW 1051

// General - Unstimulated: its own tau edits and the fixed B.
#define IDC_GEN_TAU_START 1045
#define IDC_GEN_TAU_END 1046
#define IDC_GEN_B_FIXED 1048
#define IDC_GEN_B_VALUE 1011
#define IDC_GEN_B_UNITS 1080

// Cardiac Action Potential: "Triangulation = end - start" and the two plateaus.
#define IDC_CAP_TRIANGULATION_END 1005
#define IDC_CAP_TRIANGULATION_START 1049
#define IDC_CAP_PLATEAU1_CENTRE 1048
#define IDC_CAP_PLATEAU1_WIDTH 1012
#define IDC_CAP_PLATEAU2_CENTRE 1015
#define IDC_CAP_PLATEAU2_WIDTH 1013
