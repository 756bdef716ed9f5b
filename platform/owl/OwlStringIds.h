// Ids of the window framework's own texts and bitmaps (resources/OwlStrings.rc); a block of
// their own (32000 to 32015) so that no other string table or bitmap shares it.
#pragma once

#define IDS_OWL_VALIDATOR_INVALID_CHARACTER 32000
#define IDS_OWL_VALIDATOR_OUT_OF_RANGE 32001

#define IDB_OWL_HSLIDER_THUMB 32000
