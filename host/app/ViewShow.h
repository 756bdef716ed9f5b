// What the analyze command shows after the analysis: the module's views opened from the
// document's menu, the event the user picks in the recording view, and pictures of the views.
#pragma once

#include "host/data/DataDocument.h"
#include "host/data/HostDocument.h"

#include <unknwn.h>
#include <windows.h>

#include <cstdint>
#include <string>
#include <utility>
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

// The frames of the views opened, by short name, in the order they opened.
using ShownFrames = std::vector<std::pair<std::wstring, HWND>>;

// Opens each view of the request through the document's menu. 0, or 1 after printing which view
// did not open (the views opened before it stay open).
int OpenShownViews(host::HostDocument& hostDocument, IUnknown* document, const ViewShowRequest& request,
                   ShownFrames* frames);

// Opens the views of the request unless frames holds them already, makes the event current by
// activating its comment in the recording view, waits until the windows have painted and writes
// each view's frame as FOLDER/NAME-view.png; then takes the outputs the request names from the
// views (the print preview of each, the copy of the last, the Data Pad from the table). Once the
// views are open, each output is written whatever became of the others. 0, or 1 after a line
// for each that failed.
int ShowViews(host::HostDocument& hostDocument, host::DataDocument& data, IUnknown* document,
              const ViewShowRequest& request, ShownFrames* frames);

// Samples source into data in batches of batchTicks ticks while the request's views watch: they
// open first (into frames), and the host's loop runs after each batch, so that they show the
// data as it arrives. E_FAIL after printing which view did not open; else the sampling's answer.
HRESULT SampleWhileShowing(host::HostDocument& hostDocument, host::DataDocument& data, IUnknown* document,
                           const ViewShowRequest& request, const host::Recording& source, int32_t batchTicks,
                           ShownFrames* frames);

// The host's message loop, for the user, until the last open view of the document is closed
// (or WM_QUIT comes).
void KeepViewsOpen(host::HostDocument& hostDocument);

}  // namespace ondara_host
