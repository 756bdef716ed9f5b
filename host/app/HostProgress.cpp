// The host's progress objects.
#include "host/app/HostProgress.h"

#include "host/common/HostClassObject.h"
#include "host/common/HostPtr.h"
#include "host/common/HostString.h"
#include "hostapi/HostProgress.h"

#include "host/common/MessageText.h"

#include <algorithm>
#include <cstdio>
#include <new>

namespace host {

namespace {

class HostProgressObject final : public HostObject<IHostProgress> {
 public:
  HostProgressObject() { ++Progress().live; }

  HRESULT STDMETHODCALLTYPE Start(int32_t mode, QOR::IQORString* title, QOR::IQORString* text,
                                  QOR::IQORString* detail, int32_t style) noexcept override {
    if (mStarted) return E_UNEXPECTED;
    if (Progress().unavailable) return E_FAIL;
    try {
      Progress().titles.push_back(StringText(title));
      Progress().texts.push_back(StringText(text));
      Progress().details.push_back(StringText(detail));
      Progress().modes.emplace_back(mode, style);
      mTitle = StringText(title);
      mText = StringText(text);
      mStarted = true;
      ShowLine();
      return S_OK;
    } catch (const std::bad_alloc&) {
      return E_OUTOFMEMORY;
    }
  }
  HRESULT STDMETHODCALLTYPE SetText(QOR::IQORString* text) noexcept override {
    try {
      Progress().texts.push_back(StringText(text));
      mText = StringText(text);
      ShowLine();
      return S_OK;
    } catch (const std::bad_alloc&) {
      return E_OUTOFMEMORY;
    }
  }
  int32_t STDMETHODCALLTYPE SetPercent(int32_t percent) noexcept override {
    const int32_t shown = std::clamp(percent, 0, 100);
    ProgressLog& log = Progress();
    try {
      log.percents.push_back(shown);
    } catch (const std::bad_alloc&) {
      // The display only misses a line; the answer still counts.
    }
    if (log.cancelAtPercent >= 0 && shown >= log.cancelAtPercent) mCancelled = true;
    if (mCancelled) log.cancelled = true;
    if (shown != mPercent) {
      mPercent = shown;
      ShowLine();
    }
    return mCancelled ? 1 : 0;
  }

 private:
  ~HostProgressObject() override {
    --Progress().live;
    if (mShown) std::fputs("\n", stderr);
  }
  // Carriage return and spaces overwrite the line shown before.
  void ShowLine() noexcept {
    if (!Progress().showOnTerminal) return;
    try {
      const std::string line = Utf8FromWide(mTitle + L": " + mText + L" " + std::to_wstring(std::max(mPercent, 0)) + L" %");
      std::fprintf(stderr, "\r%-60s", line.c_str());
      std::fflush(stderr);
      mShown = true;
    } catch (const std::bad_alloc&) {
      // Only the terminal line is missed.
    }
  }
  void* FindInterface(REFIID iid) override {
    if (iid == IID_IUnknown || iid == IID_IHostProgress) return static_cast<IHostProgress*>(this);
    return nullptr;
  }

  bool mStarted = false;
  bool mCancelled = false;
  bool mShown = false;
  int32_t mPercent = -1;
  std::wstring mTitle;
  std::wstring mText;
};

}  // namespace

ProgressLog& Progress() {
  static ProgressLog log;
  return log;
}

HRESULT RegisterProgressClass(IClassRegistry* registry, ITypeRegistry* types) {
  if (!registry || !types) return E_POINTER;
  uint16_t index = 0;
  const HRESULT hr = types->RegisterGuid(&kHostUiClassGuid, &index);
  if (FAILED(hr)) return hr;
  HostPtr<ILumoClassObject> progressClass;
  progressClass.Attach(
      new (std::nothrow) HostFactoryClass<HostProgressObject>(
          (static_cast<uint32_t>(index) << 16) | kHostProgressClassNumber, L"Progress"));
  if (!progressClass) return E_OUTOFMEMORY;
  return registry->RegisterClassObject(progressClass.Get());
}

}  // namespace host
