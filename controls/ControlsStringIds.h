// String ids of the control library's own texts (resources/ControlsStrings.rc), a block of
// their own (32032 to 32047).
#pragma once

#define IDS_THEME_OPEN_FAILED 32032
#define IDS_THEME_CLOSE_FAILED 32033
#define IDS_THEME_DRAW_BACKGROUND_FAILED 32034
#define IDS_THEME_PART_SIZE_FAILED 32035
#define IDS_THEME_TEXT_EXTENT_FAILED 32036
#define IDS_THEME_DRAW_TEXT_FAILED 32037
#define IDS_MENU_TEMPLATE_MISSING 32038

// The tip of the dialogs' Help button: a module text of its own id.
#define IDS_DIALOG_HELP_TIP 127
