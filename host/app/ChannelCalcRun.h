// Puts a module's channel calculation on a new channel of an analysed document and writes that
// channel as CSV: what a user does when adding the module's calculated channel.
#pragma once

#include "host/data/DataDocument.h"
#include "host/data/HostDocument.h"

#include <string>

namespace host {

struct ChannelCalcRequest {
  std::wstring measurement;  // short name, as the calculation's title shows it
  float scaleTop = 1.0f;
  float scaleBottom = -1.0f;
  std::wstring csvFile;
};

// Reads "NAME:TOP:BOTTOM" into request; false for anything else.
bool ParseChannelCalcSpec(const std::wstring& text, ChannelCalcRequest& request);

// Creates the registered calculation class "Ondara" on a new channel, applies settings for the
// measurement and scale, and writes the channel (record, tick, value per line, in the channel's
// output format) to the CSV file. 0 on success, else an error line on stderr and 1.
int RunChannelCalculation(DataDocument* data, const ChannelCalcRequest& request);

// Empty when the document's analysis type offers the request's measurement; else the line that
// says it does not and names those it offers. Checked before the analysis runs.
std::string ChannelMeasurementRefusal(DataDocument* data, const ChannelCalcRequest& request);

// Opens the calculation class's settings dialog for a new channel over the whole recording, as
// a user adding the module's calculated channel sees it, and prints the outcome: the settings
// text on OK, "cancelled" otherwise. 0 unless the class cannot be reached.
int RunChannelCalcDialog(HostDocument* hostDocument, DataDocument* data);

}  // namespace host
