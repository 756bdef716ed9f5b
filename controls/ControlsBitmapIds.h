// Bitmap ids of the control library (resources/ControlsImages.rc).
#pragma once

#define IDB_ERROR_ICON 206
#define IDB_WARNING_ICON 207
#define IDB_INFORMATION_ICON 208
#define IDB_HELP_GLYPH 2201
