// Ids of the channel calculation's texts and of its dialog template in the module's resources.
#pragma once

#define IDS_CC_CAPTION 122
#define IDS_CC_ON_SOURCE_CHANNEL 126
#define IDS_CC_NO_ANALYSIS_TYPE 200
#define IDS_CC_DIALOG_CAPTION 300

// Controls of the dialog "ZRCCDLG".
#define IDC_CC_PARAMETER 1001
#define IDC_CC_SETTINGS 1062
#define IDC_CC_TOP_LABEL 108
#define IDC_CC_TOP 110
#define IDC_CC_TOP_UNITS 112
#define IDC_CC_BOTTOM_LABEL 113
#define IDC_CC_BOTTOM 114
#define IDC_CC_BOTTOM_UNITS 116
#define IDC_CC_DECIMALS 126
#define IDC_CC_SPIN 128
#define IDC_CC_AUTO_SCALE 129
#define IDC_CC_TYPE 111
