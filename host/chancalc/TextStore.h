// The host's text store: the one line of text it keeps for a persisted object of a channel.
#pragma once

#include "host/common/HostPtr.h"
#include "hostapi/TextStore.h"

#include <string>

namespace host {

// A new store (one reference) holding text.
HostPtr<IHostTextStore> CreateTextStore(const std::wstring& text = std::wstring());
// The text a store made by CreateTextStore holds; empty for any other object.
std::wstring TextStoreText(IHostTextStore* store);

}  // namespace host
