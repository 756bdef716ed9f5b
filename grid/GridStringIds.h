// Ids of the table grid's texts in the module's string table (resources/GridResources.rc).
#pragma once

#define IDS_GRID_CLIPBOARD_BUSY 2501
#define IDS_GRID_ERROR_CAPTION 2502
#define IDS_GRID_CSV_TITLE 2503
#define IDS_GRID_CSV_FILTER 2504
#define IDS_GRID_PRINT_EVENT_ROWS 2505
#define IDS_GRID_PRINT_SUMMARY_ROWS 2506
