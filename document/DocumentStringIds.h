// Ids of the analysis document's texts in the module's string table.
#pragma once

#define IDS_ZR_CLIENT_NAME 111
#define IDS_ZR_CAPTION 119
#define IDS_ZR_OUT_OF_MEMORY 150
#define IDS_ZR_ONLINE_SELECTION 151
#define IDS_ZR_ONLINE_REGION 152
#define IDS_ZR_NO_DETECTOR 153
#define IDS_ZR_MARKER_NAME 2200
