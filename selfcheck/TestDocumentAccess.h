// The host's test documents as the checks reach them: a new empty document per check, and the
// calculated channels added to it.
#pragma once

#include "hostapi/RecordData.h"
#include "hostclient/ComPtr.h"

#include <cstdint>
#include <string>
#include <vector>

namespace SelfCheck {

// A new test document with one reference for the caller, or null (S_FALSE or a failure) when
// the host has no test-document class or cannot make one.
HRESULT GetTestObjectFactory(IHostRecordData** document) noexcept;

// A new test document; a check fails at (file, line) with "The host could not create a test
// document." when there is none.
QOR::ComPtr<IHostRecordData> NewTestDocument(const char* file, int32_t line);

// Adds one calculated channel per formula, in order: a new data object of the document, with a
// formula calculation bound to it; the first is read as "vch1". A document that makes no object
// fails the check.
void AddCalculatedChannels(IUnknown* document, const std::vector<std::wstring>& formulas);

}  // namespace SelfCheck
