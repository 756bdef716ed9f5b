// Ids of the Table View's texts in the module's string table (resources/TableStrings.rc).
#pragma once

#define IDS_TV_ROW_AVG 2301
#define IDS_TV_ROW_MIN 2302
#define IDS_TV_ROW_MAX 2303
#define IDS_TV_ROW_COUNT 2304
#define IDS_TV_SOURCE_NAME 2305
#define IDS_TV_TABLE_NAME 2306
#define IDS_TV_EXPORT_PROGRESS 2307
#define IDS_TV_EXPORT_TITLE 2308
#define IDS_TV_FILTER_TEXT 2309
#define IDS_TV_FILTER_CSV 2310
#define IDS_TV_EXPORT_FAILED 2311
#define IDS_TV_EXPORT_PERCENT 2312
#define IDS_TV_EXPORT_READ_ONLY 2313
