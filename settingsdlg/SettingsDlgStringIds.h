// String ids of the settings dialog's own texts (resources/SettingsDlgStrings.rc).
#pragma once

#define IDS_SETTINGS_ORDER_INCORRECT 2700
#define IDS_SETTINGS_ORDER_LESS 2701
#define IDS_SETTINGS_ORDER_GREATER 2702
#define IDS_SETTINGS_ORDER_LESS_OR_EQUAL 2703
#define IDS_SETTINGS_ORDER_GREATER_OR_EQUAL 2704
#define IDS_SETTINGS_APD_LEVEL 2705
