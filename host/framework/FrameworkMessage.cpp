// The framework's message object.
#include "host/framework/FrameworkMessage.h"

#include "host/common/HostObject.h"
#include "host/common/OutParam.h"

#include <algorithm>
#include <new>
#include <vector>

namespace lumo {
namespace {

// {5B0C7E11-9F3A-4D62-8E57-2A61C0D4B9E3}: finds the object behind an IMessage of ours.
constexpr GUID IID_FrameworkMessageImpl = {
    0x5B0C7E11, 0x9F3A, 0x4D62, {0x8E, 0x57, 0x2A, 0x61, 0xC0, 0xD4, 0xB9, 0xE3}};

class FrameworkMessage final : public host::HostObject<IMessage, IMessageValues> {
 public:
  FrameworkMessage(uint32_t id, uint32_t flags, uint32_t reserved, const uint32_t* data)
      : mId(id), mFlags(flags), mReserved(reserved) {
    if (data) {
      mData[0] = data[0];
      mData[1] = data[1];
    }
  }
  void SetArgument(uint32_t argument) {
    mHasArgument = true;
    mArgument = argument;
  }
  void NoteDelivered() { ++mDeliveries; }
  void SetValues(const double* values, int32_t count) { mValues.assign(values, values + count); }

  HRESULT STDMETHODCALLTYPE GetData(uint32_t* first, uint32_t* second) noexcept override {
    if (!first || !second) return E_POINTER;
    *first = mData[0];
    *second = mData[1];
    return S_OK;
  }
  HRESULT STDMETHODCALLTYPE HasArgument(VARIANT_BOOL* present) noexcept override {
    return host::AnswerOut(present, mHasArgument ? VARIANT_TRUE : VARIANT_FALSE);
  }
  HRESULT STDMETHODCALLTYPE GetReserved(uint32_t* value) noexcept override {
    return host::AnswerOut(value, mReserved);
  }
  HRESULT STDMETHODCALLTYPE GetId(uint32_t* id) noexcept override { return host::AnswerOut(id, mId); }
  HRESULT STDMETHODCALLTYPE GetFlags(uint32_t* flags) noexcept override {
    return host::AnswerOut(flags, mFlags);
  }
  HRESULT STDMETHODCALLTYPE GetDeliveryCount(uint32_t* count) noexcept override {
    return host::AnswerOut(count, mDeliveries);
  }
  HRESULT STDMETHODCALLTYPE GetArgument(uint32_t* value) noexcept override {
    return host::AnswerOut(value, mArgument);
  }
  HRESULT STDMETHODCALLTYPE GetValues(int32_t* count, double* values) noexcept override {
    if (!count || (*count > 0 && !values)) return E_POINTER;
    std::copy_n(mValues.begin(), std::min<size_t>(mValues.size(), static_cast<size_t>(std::max(*count, 0))), values);
    *count = static_cast<int32_t>(mValues.size());
    return S_OK;
  }
  HRESULT STDMETHODCALLTYPE SetSender(const void* sender) noexcept override {
    mSender = sender;
    return S_OK;
  }
  HRESULT STDMETHODCALLTYPE IsFromSender(const void* sender,
                                         VARIANT_BOOL* fromSender) noexcept override {
    return host::AnswerOut(fromSender, (mSender && mSender == sender) ? VARIANT_TRUE : VARIANT_FALSE);
  }

 private:
  ~FrameworkMessage() override = default;
  void* FindInterface(REFIID iid) override {
    if (IsEqualIID(iid, IID_IUnknown) || IsEqualIID(iid, IID_IMessage))
      return static_cast<IMessage*>(this);
    if (IsEqualIID(iid, IID_FrameworkMessageImpl)) return static_cast<IMessage*>(this);
    if (IsEqualIID(iid, IID_IMessageValues) && mHasValues) return static_cast<IMessageValues*>(this);
    return nullptr;
  }

  uint32_t mId;
  uint32_t mFlags;
  uint32_t mReserved;
  uint32_t mData[2] = {0, 0};
  uint32_t mArgument = 0;
  bool mHasArgument = false;
  const void* mSender = nullptr;
  uint32_t mDeliveries = 0;
  std::vector<double> mValues;
  bool mHasValues = false;

 public:
  void MarkValues() noexcept { mHasValues = true; }
};

}  // namespace

HRESULT CreateFrameworkMessage(uint32_t id, uint32_t flags, uint32_t argument,
                               bool hasArgument, uint32_t reserved, const uint32_t* data,
                               IMessage** message) noexcept {
  if (!message) return E_POINTER;
  *message = nullptr;
  auto* created = new (std::nothrow) FrameworkMessage(id, flags, reserved, data);
  if (!created) return E_OUTOFMEMORY;
  if (hasArgument) created->SetArgument(argument);
  *message = static_cast<IMessage*>(created);
  return S_OK;
}

HRESULT CreateFrameworkValueMessage(uint32_t id, uint32_t flags, uint32_t argument, const uint32_t* data,
                                    int32_t count, const double* values, IMessage** message) noexcept {
  if (!message || (count > 0 && !values)) return E_POINTER;
  *message = nullptr;
  if (count < 0) return E_INVALIDARG;
  auto* created = new (std::nothrow) FrameworkMessage(id, flags, 0, data);
  if (!created) return E_OUTOFMEMORY;
  created->SetArgument(argument);
  try {
    created->SetValues(values, count);
  } catch (...) {
    created->Release();
    return E_OUTOFMEMORY;
  }
  created->MarkValues();
  *message = static_cast<IMessage*>(created);
  return S_OK;
}

void NoteMessageDelivered(IMessage* message) noexcept {
  if (!message) return;
  void* impl = nullptr;
  if (FAILED(message->QueryInterface(IID_FrameworkMessageImpl, &impl)) || !impl) return;
  auto* ours = static_cast<FrameworkMessage*>(static_cast<IMessage*>(impl));
  ours->NoteDelivered();
  ours->Release();
}

}  // namespace lumo
