// Ids of the view base's texts in the module's string table (resources/ViewStrings.rc).
#pragma once

// The print command's leading word, and what it becomes on a Spanish host.
#define IDS_VIEW_PRINT_WORD 2401
#define IDS_VIEW_PRINT_WORD_SPANISH 2402
