// The stand-in host document as the handler of what the modules' documents send their host.
#include "host/data/HostDocument.h"

#include "hostapi/ChannelCalc.h"
#include "hostapi/ClassRegistry.h"
#include "hostapi/FrameworkCommands.h"
#include "hostapi/Message.h"
#include "hostapi/ScrivoComment.h"
#include "hostapi/TypeRegistry.h"

#include <objbase.h>

namespace host {

namespace {

uint32_t CalcOffMessageId() noexcept {
  HostPtr<ITypeRegistry> types;
  uint16_t index = 0;
  if (FAILED(CoGetClassObject(CLSID_LumoFrameWork, CLSCTX_ALL, nullptr, IID_ITypeRegistry,
                              reinterpret_cast<void**>(types.Out()))) ||
      !types || FAILED(types->RegisterGuid(&kHostAuxClassGuid, &index)))
    return 0;
  return (static_cast<uint32_t>(index) << 16) | kCalcOffMessageNumber;
}

}  // namespace

HRESULT STDMETHODCALLTYPE HostDocument::UpdateCalculations(int32_t) noexcept {
  ++mCalculationUpdates;
  return S_OK;
}

HRESULT STDMETHODCALLTYPE HostDocument::Trigger() noexcept {
  ++mTriggers;
  return S_OK;
}

HRESULT STDMETHODCALLTYPE HostDocument::GetChannelObject(int32_t which, IUnknown** object) noexcept {
  if (!object) return E_POINTER;
  *object = nullptr;
  if (which != 0) return E_INVALIDARG;
  *object = static_cast<IHostDataDocument*>(mDataDocument.Get());
  (*object)->AddRef();
  return S_OK;
}

void HostDocument::NoteMessage(IMessage* message) {
  NotedMessage noted{};
  message->GetId(&noted.id);
  message->GetFlags(&noted.flags);
  message->GetArgument(&noted.argument);
  message->GetData(&noted.data[0], &noted.data[1]);
  HostPtr<IMessageValues> values;
  if (SUCCEEDED(message->QueryInterface(IID_IMessageValues, reinterpret_cast<void**>(values.Out()))) && values) {
    int32_t count = 0;
    values->GetValues(&count, nullptr);
    noted.values.resize(static_cast<size_t>(count));
    values->GetValues(&count, noted.values.data());
  }
  mMessages.push_back(std::move(noted));
}

int32_t STDMETHODCALLTYPE HostDocument::HandleMessage(IMessage* message) noexcept {
  uint32_t id = 0;
  if (!message || FAILED(message->GetId(&id))) return kMessageNotConsumed;
  try {
    NoteMessage(message);
    if (id == kShowComment2MessageId)
      return mRecordingView.Receive(message) == S_OK ? kMessageConsumed : kMessageNotConsumed;
    if (id == kOpenViewMessageId) {
      uint32_t request[2] = {0, 0};
      if (FAILED(message->GetData(&request[0], &request[1])) || request[0] != kOpenViewRequest)
        return kMessageNotConsumed;
      return SUCCEEDED(OpenView(request[1])) ? kMessageConsumed : kMessageNotConsumed;
    }
    if (id != CalcOffMessageId() || !mDataDocument) return kMessageNotConsumed;
    uint32_t words[2] = {0, 0};
    if (FAILED(message->GetData(&words[0], &words[1]))) return kMessageNotConsumed;
    const auto channel = static_cast<int32_t>(words[0]);
    if (FAILED(mDataDocument->Apply(channel, 0, 0, nullptr))) return kMessageNotConsumed;
    mSwitchedOff.push_back(channel);
    return kMessageConsumed;
  } catch (...) {
    return kMessageNotConsumed;
  }
}

HRESULT STDMETHODCALLTYPE HostDocument::GetSenderIdentity(IUnknown** identity) noexcept {
  return QueryInterface(IID_IUnknown, reinterpret_cast<void**>(identity));
}

HRESULT STDMETHODCALLTYPE HostDocument::GetContainer(IHostChildDocumentList** container) noexcept {
  if (!container) return E_POINTER;
  *container = static_cast<IHostChildDocumentList*>(this);
  AddRef();
  return S_OK;
}

HRESULT HostDocument::NotifyDocuments(uint32_t eventId, const uint32_t* words) {
  // A copy: a document may close while it is told.
  const std::vector<Child> children = mChildren;
  HRESULT result = S_OK;
  for (const Child& entry : children) {
    auto observer = entry.document.As<IObserver>(IID_IObserver);
    const HRESULT hr = observer ? observer->Notify(0, eventId, 0, words) : E_NOINTERFACE;
    if (FAILED(hr) && SUCCEEDED(result)) result = hr;
  }
  return result;
}

HRESULT HostDocument::AskAnalysisClients(uint16_t number, uint32_t argument, bool confirm) {
  mAnalysisManager->SetConfirm(confirm);
  const uint32_t words[1] = {argument};
  return NotifyDocuments(AnalysisManagerEventId(number), words);
}

}  // namespace host
