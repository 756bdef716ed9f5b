// The part of the stand-in host document that says how it displays its channels.
#pragma once

#include "hostapi/DocumentDisplay.h"

#include <map>

namespace host {

// This host's display modes for clock times: the time of day, or the date and the time of day.
inline constexpr int32_t kDisplayModeTimeOfDay = 1;
inline constexpr int32_t kDisplayModeDateAndTime = 2;

struct DisplayOptions {
  int32_t gridColourIndex = 7;
  int32_t second = 0;
  bool gridOn = true;
  bool clockTime = false;  // times show the clock time too (kDisplayEntryClockTime)
};

// Lives inside its document: QueryInterface and the count are the owner's.
class DocumentDisplayPart final : public IHostDocumentDisplay {
 public:
  explicit DocumentDisplayPart(IUnknown& owner) noexcept : mOwner(owner) {}
  DocumentDisplayPart(const DocumentDisplayPart&) = delete;
  DocumentDisplayPart& operator=(const DocumentDisplayPart&) = delete;

  HRESULT STDMETHODCALLTYPE QueryInterface(REFIID iid, void** out) noexcept override;
  ULONG STDMETHODCALLTYPE AddRef() noexcept override;
  ULONG STDMETHODCALLTYPE Release() noexcept override;
  HRESULT STDMETHODCALLTYPE GetDisplayMode(int32_t* mode) noexcept override;
  HRESULT STDMETHODCALLTYPE GetChannelColour(int32_t channel, COLORREF* colour) noexcept override;
  // A new options object over this part's values (they are read when asked).
  HRESULT STDMETHODCALLTYPE GetDisplayOptions(IHostColourScheme** options) noexcept override;

  DisplayOptions& Options() noexcept { return mOptions; }
  void SetChannelColour(int32_t channel, COLORREF colour) { mColours[channel] = colour; }
  void SetDisplayMode(int32_t mode) noexcept {
    mMode = mode;
    mHasMode = true;
  }
  // A document without a display mode of its own leaves the asker's value as it was.
  void ClearDisplayMode() noexcept { mHasMode = false; }

 private:
  IUnknown& mOwner;
  DisplayOptions mOptions;
  std::map<int32_t, COLORREF> mColours;
  int32_t mMode = 0;
  bool mHasMode = true;
};

}  // namespace host
