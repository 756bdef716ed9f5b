// The host's test documents as the checks reach them: a new empty document per check, and the
// calculated channels added to it.
#pragma once

#include "hostapi/RecordData.h"
#include "hostclient/ComPtr.h"

#include <cstdint>
#include <initializer_list>
#include <string>
#include <utility>
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

// The host's own detector formula over the channel reference text, as an analysis asks for it: detection
// settings made by the document's per-cycle service, given these parameter values (index, value), write it. The
// formula language is the host's, so no check writes the host's detector itself. A document without that
// service, or settings that refuse a value or the formula, fail the check.
std::wstring HostDetectorFormula(IUnknown* document, const wchar_t* reference,
                                 std::initializer_list<std::pair<int32_t, double>> parameters);

}  // namespace SelfCheck
