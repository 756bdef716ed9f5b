// The channel references a formula text names ("ch1", "vch2", "rchannel3").
#pragma once

#include <cstdint>
#include <string>
#include <vector>

namespace ExtLib {

struct ChannelRef {
  int32_t channel = 0;  // the written number minus 1
  bool rMark = false;   // written with an r before the ch
  bool vMark = false;   // written with a v before the ch

  bool operator==(const ChannelRef& o) const noexcept {
    return channel == o.channel && rMark == o.rMark && vMark == o.vMark;
  }
};

// Scans lower-cased formula text for "ch" or "channel" followed by a decimal number from 1, each
// optionally preceded by r or v. A number below 1 or beyond 32 bits names no channel and is
// skipped. Repeated references are kept once, in first-seen order.
std::vector<ChannelRef> ParseChannelRefs(const std::wstring& text);

}  // namespace ExtLib
