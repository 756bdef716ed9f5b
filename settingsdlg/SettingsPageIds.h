// Ids of the Baseline and Calculations pages' templates and texts in the module's resources.
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
