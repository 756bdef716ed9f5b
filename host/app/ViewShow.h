// What the analyze command shows after the analysis: the module's views opened from the
// document's menu, the event the user picks in the recording view, and pictures of the views.
#pragma once

#include "host/data/DataDocument.h"
#include "host/data/HostDocument.h"

#include <unknwn.h>

#include <cstdint>
#include <string>
#include <vector>

namespace ondara_host {

struct ViewShowRequest {
  std::vector<std::wstring> views;  // short names: "analysis", "table"
  int32_t event = 0;                // counted from 1; 0 leaves the current event
  std::wstring pictureFolder;       // empty: no pictures
  std::wstring previewFolder;       // each view's print preview pages; empty: none
  std::wstring copyFile;            // what a copy in the last view shown puts on the clipboard
  std::wstring dataPadFile;         // the Data Pad after the table view's "Add to Data Pad"
};

// True when name is a view --show knows.
bool IsShowableView(const std::wstring& name);
// The short names --show knows, for the usage text ("analysis, table").
std::wstring ShowableViewNames();

// Opens each view through the document's menu, makes the event current by activating its
// comment in the recording view, waits until the windows have painted and writes each view's
// frame as FOLDER/NAME-view.png; then takes the outputs the request names from the views (the
// print preview of each, the copy of the last, the Data Pad from the table). 0, or 1 after
// printing what failed.
int ShowViews(host::HostDocument& hostDocument, host::DataDocument& data, IUnknown* document,
              const ViewShowRequest& request);

}  // namespace ondara_host
