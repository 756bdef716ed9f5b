// ShowComment2Msg: the search for the event and its message face.
#include "hostclient/ShowComment2Msg.h"

#include "hostapi/CalcEnum.h"
#include "hostapi/DataDocument.h"
#include "hostapi/EventDrawClass.h"
#include "hostclient/ComBoundary.h"
#include "hostclient/ComObjectRoot.h"
#include "hostclient/ComPtr.h"
#include "hostclient/EventDataComment.h"
#include "hostclient/EventIterSet.h"
#include "hostclient/EventTooltipText.h"
#include "hostclient/FrameworkAccess.h"

#include "base/String.h"

#include <cstring>
#include <string>

namespace ScrivoClient {
namespace {

double SecondsPerTick(IUnknown* dataDocument, int32_t record) {
  ComPtr<IHostDataDocument> document;
  double seconds = 0.0;
  if (dataDocument && SUCCEEDED(dataDocument->QueryInterface(IID_IHostDataDocument, document.OutVoid())) &&
      document && SUCCEEDED(document->GetRecordTickPeriod(0, record, &seconds)))
    return seconds;
  return 0.0;
}

// Colour and tooltip from the draw class of typeId; white and no text without one.
void DescribeEvent(uint32_t typeId, const QOREvent::EventIterSet& set, const QOREvent::EventBytes& event,
                   EventCommentInit& init, QOR::String& text) {
  IClassRegistry* const registry = ObjectFactoryAccessor::Get();
  ComPtr<IPODEventDrawClass> drawClass;
  if (!typeId || !registry ||
      FAILED(registry->GetClassObject(typeId, IID_IPODEventDrawClass, drawClass.OutVoid())) || !drawClass)
    return;
  drawClass->GetColour(0, event.data(), &init.colour);
  QOR::IQORString* tooltip = nullptr;
  if (SUCCEEDED(drawClass->GetTooltip(0, set.DataDocument(), set.Record(), event.data(),
                                      SecondsPerTick(set.DataDocument(), set.Record()), &tooltip)))
    text = QOR::String::Adopt(tooltip);
}

class ShowComment2Msg final : public IMessage, public IShowComment2Message, public QOR::CComObjectRoot {
 public:
  ShowComment2Msg(IScrivoCommentEx* comment, uint32_t flags) : mComment(comment), mFlags(flags) {}

  QOR_BEGIN_INTERFACE_MAP(ShowComment2Msg)
  QOR_INTERFACE_ENTRY(IMessage, IID_IMessage)
  QOR_INTERFACE_ENTRY(IShowComment2Message, IID_IShowComment2Message)
  QOR_END_INTERFACE_MAP()
  QOR_IUNKNOWN_HEAP()

  HRESULT STDMETHODCALLTYPE GetComment(IScrivoCommentEx** comment) noexcept override {
    if (!comment) return E_POINTER;
    mComment.CopyTo(comment);
    return mComment ? S_OK : S_FALSE;
  }

  // The comment travels through IShowComment2Message; the data's second word is the flags word.
  HRESULT STDMETHODCALLTYPE GetData(uint32_t* first, uint32_t* second) noexcept override {
    if (!first || !second) return E_POINTER;
    *first = 0;
    *second = mFlags;
    return S_OK;
  }
  HRESULT STDMETHODCALLTYPE HasArgument(VARIANT_BOOL*) noexcept override { return E_NOTIMPL; }
  HRESULT STDMETHODCALLTYPE GetReserved(uint32_t* value) noexcept override { return GetId(value); }
  HRESULT STDMETHODCALLTYPE GetId(uint32_t* id) noexcept override {
    if (!id) return E_POINTER;
    *id = kShowComment2MessageId;
    return S_OK;
  }
  HRESULT STDMETHODCALLTYPE GetFlags(uint32_t* flags) noexcept override {
    if (!flags) return E_POINTER;
    *flags = 0;
    return S_OK;
  }
  HRESULT STDMETHODCALLTYPE GetDeliveryCount(uint32_t* count) noexcept override {
    if (count) *count = 0;
    return E_NOTIMPL;
  }
  HRESULT STDMETHODCALLTYPE GetArgument(uint32_t* value) noexcept override {
    if (value) *value = 0;
    return E_NOTIMPL;
  }
  HRESULT STDMETHODCALLTYPE SetSender(const void* sender) noexcept override {
    mSender = sender;
    return S_OK;
  }
  HRESULT STDMETHODCALLTYPE IsFromSender(const void* sender, VARIANT_BOOL* fromSender) noexcept override {
    if (!fromSender) return E_POINTER;
    *fromSender = sender == mSender ? VARIANT_TRUE : VARIANT_FALSE;
    return S_OK;
  }

 private:
  ~ShowComment2Msg() override = default;

  ComPtr<IScrivoCommentEx> mComment;
  uint32_t mFlags;
  const void* mSender = nullptr;
};

}  // namespace

HRESULT BuildComment(QOREvent::EventIterSet& set, IScrivoCommentEx** comment) {
  if (!comment) return E_POINTER;
  *comment = nullptr;
  QOREvent::EventBytes event;
  if (set.TakeCurrent(&event) != 0) return 1;
  if (set.Current() == 0) {
    if (!set.OwnComment()) return 1;
    ComPtr<IScrivoCommentEx>(set.OwnComment()).CopyTo(comment);
    return 0;
  }
  ComPtr<IEnumEventEx> source;
  int32_t index = 0;
  if (FAILED(set.CurrentSource(source.Out(), &index))) return 1;
  EventCommentInit init;
  if (FAILED(source->GetEventType(&init.typeId))) init.typeId = 0;
  init.record = set.Record();
  std::memcpy(&init.position, event.data(), sizeof init.position);
  QOR::String text;
  DescribeEvent(init.typeId, set, event, init, text);
  init.text = text.GetText();
  const std::wstring time = EventTimeText(init.position, SecondsPerTick(set.DataDocument(), set.Record()));
  init.timeText = time.c_str();
  return CreateEventDataComment(init, comment);
}

HRESULT CreateShowComment2Msg(uint32_t owner, IUnknown* dataDocument, int32_t channel, int32_t record,
                              int32_t position, IMessage** message) noexcept {
  if (!message) return E_POINTER;
  *message = nullptr;
  ComPtr<IScrivoCommentEx> comment;
  const HRESULT hr = ComTry([&] {
    QOREvent::EventIterSet set(owner, dataDocument, channel, record, position);
    set.AddHostSources();
    BuildComment(set, comment.Out());
  });
  return FAILED(hr) ? hr : NewShowComment2Msg(comment.Get(), kShowCommentFlags, message);
}

HRESULT NewShowComment2Msg(IScrivoCommentEx* comment, uint32_t flags, IMessage** message) noexcept {
  if (!message) return E_POINTER;
  *message = nullptr;
  return ComTry([&] {
    auto* made = new ShowComment2Msg(comment, flags);
    made->AddRef();
    *message = static_cast<IMessage*>(made);
  });
}

}  // namespace ScrivoClient
