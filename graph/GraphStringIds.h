// String ids of the graph library's texts (resources/GraphStrings.rc); a block of their own
// (32100 to 32115) so that no other string table shares it.
#pragma once

#define IDS_GRAPH_NO_ONDRAW 32100
#define IDS_GRAPH_SECRET_TEXT 32101
#define IDS_GRAPH_SECRET_CAPTION 32102
#define IDS_GRAPH_SERIES_OUT_OF_RANGE 32103
#define IDS_GRAPH_DEFAULT_UNITS 32104
#define IDS_GRAPH_DUMMY_HINT 32105
#define IDS_GRAPH_WINDOW_TITLE 32106
