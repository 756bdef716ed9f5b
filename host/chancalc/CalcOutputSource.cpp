// The host's output source of a calculated channel.
#include "host/chancalc/CalcOutputSource.h"

#include "host/common/HostObject.h"

#include <utility>

namespace host {

namespace {

// The stand-in's own id under which the source answers itself.
// {A54E2F70-1C4B-4D3E-9B8A-6F2E0D4C7B15}
constexpr GUID IID_HostCalcOutputSource = {
    0xA54E2F70, 0x1C4B, 0x4D3E, {0x9B, 0x8A, 0x6F, 0x2E, 0x0D, 0x4C, 0x7B, 0x15}};

class CalcOutputSource final : public HostObject<IUnknown> {
 public:
  CalcOutputSource(const ChannelCalcFormat& format, std::wstring units) : mFormat(format), mUnits(std::move(units)) {}
  const ChannelCalcFormat& Format() const noexcept { return mFormat; }
  const std::wstring& Units() const noexcept { return mUnits; }

 private:
  ~CalcOutputSource() override = default;
  void* FindInterface(REFIID iid) override {
    return iid == IID_IUnknown || iid == IID_HostCalcOutputSource ? static_cast<IUnknown*>(this) : nullptr;
  }

  ChannelCalcFormat mFormat;
  std::wstring mUnits;
};

}  // namespace

HostPtr<IUnknown> CreateCalcOutputSource(const ChannelCalcFormat& format, const std::wstring& units) {
  HostPtr<IUnknown> source;
  source.Attach(new CalcOutputSource(format, units));
  return source;
}

bool OutputSourceFormat(IUnknown* source, ChannelCalcFormat& format, std::wstring* units) {
  IUnknown* found = nullptr;
  if (!source || FAILED(source->QueryInterface(IID_HostCalcOutputSource, reinterpret_cast<void**>(&found))))
    return false;
  const auto* const output = static_cast<CalcOutputSource*>(found);
  format = output->Format();
  if (units) *units = output->Units();
  found->Release();
  return true;
}

}  // namespace host
