// Ids of the view base's texts in the module's string table (resources/ViewStrings.rc).
#pragma once

// The print command's leading word, and what it becomes on a Spanish host.
#define IDS_VIEW_PRINT_WORD 2401
#define IDS_VIEW_PRINT_WORD_SPANISH 2402
// The Table View's names for the host's copy and print commands, and its buttons.
#define IDS_TV_COPY_COMMAND 114
#define IDS_TV_PRINT_COMMAND 120
#define IDS_TV_BUTTON_EXPORT 2411
#define IDS_TV_BUTTON_SETTINGS 2412
#define IDS_TV_BUTTON_DATA_PAD 2413
// The Analysis View's names for the host's copy and print commands, and its status texts.
#define IDS_AV_COPY_COMMAND 123
#define IDS_AV_PRINT_COMMAND 124
#define IDS_AV_NO_EVENTS 2421
#define IDS_AV_EVENT 2422
#define IDS_AV_OF 2423
#define IDS_AV_END 2424
// The Analysis View plot's time axis and its cursor read-out (%1 channel, %2 time, %3 value,
// %4 unit).
#define IDS_AV_TIME_TITLE 2425
#define IDS_AV_TIME_UNITS 2426
#define IDS_AV_POINT_LABEL 2427
