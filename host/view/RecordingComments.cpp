// The recording view's comments and their activation.
#include "host/view/RecordingComments.h"

#include "host/common/HostObject.h"
#include "host/common/HostString.h"
#include "host/view/EventMarks.h"
#include "hostapi/CalcEnum.h"
#include "hostapi/DataDocument.h"
#include "hostapi/DataObjects.h"
#include "hostapi/MessageHandler.h"

#include <cstring>

namespace host {
namespace {

// The view's own comment: a text at a place, for an event of a type (0: none) drawn in a colour.
class TextComment final : public HostObject<IScrivoCommentEx> {
 public:
  TextComment(int32_t record, int32_t position, std::wstring text, uint32_t typeId, COLORREF colour)
      : mRecord(record), mPosition(position), mText(std::move(text)), mTypeId(typeId), mColour(colour) {}

  HRESULT STDMETHODCALLTYPE GetKeys(CommentPlace* place, uint32_t* wordC, uint32_t* wordB,
                                    QOR::IQORString** text) noexcept override {
    if (text) *text = nullptr;
    try {
      if (text) *text = MakeHostString(mText).Detach();
    } catch (...) {
      return E_OUTOFMEMORY;
    }
    if (place) *place = CommentPlace{mRecord, mPosition};
    if (wordC) *wordC = 0;
    if (wordB) *wordB = 0;
    return S_OK;
  }
  HRESULT STDMETHODCALLTYPE GetPositionRecord(CommentPlace*) noexcept override { return E_NOTIMPL; }
  HRESULT STDMETHODCALLTYPE GetPosition(int32_t* position) noexcept override {
    if (!position) return E_POINTER;
    *position = mPosition;
    return S_OK;
  }
  HRESULT STDMETHODCALLTYPE GetWordA(uint32_t*) noexcept override { return E_NOTIMPL; }
  HRESULT STDMETHODCALLTYPE GetWordC(uint32_t*) noexcept override { return E_NOTIMPL; }
  HRESULT STDMETHODCALLTYPE Draw(HDC, HDC, const CommentDrawPosition*) noexcept override { return E_NOTIMPL; }
  HRESULT STDMETHODCALLTYPE HitTest(HDC, const CommentDrawPosition*, POINT, uint32_t, int32_t*) noexcept override {
    return E_NOTIMPL;
  }
  HRESULT STDMETHODCALLTYPE ShowPopup(HWND, HDC, const CommentDrawPosition*, ICommentPopupWindow**) noexcept override {
    return E_NOTIMPL;
  }
  HRESULT STDMETHODCALLTYPE ShowPopupIfHovered(HWND, HDC, const CommentDrawPosition*,
                                               ICommentPopupWindow**) noexcept override {
    return E_NOTIMPL;
  }
  HRESULT STDMETHODCALLTYPE GetWordB(uint32_t*) noexcept override { return E_NOTIMPL; }
  HRESULT STDMETHODCALLTYPE SetWordB(uint32_t) noexcept override { return E_NOTIMPL; }
  HRESULT STDMETHODCALLTYPE SetWordC(uint32_t, uint32_t) noexcept override { return E_NOTIMPL; }
  HRESULT STDMETHODCALLTYPE GetRecordPosition(CommentPlace*) noexcept override { return E_NOTIMPL; }
  HRESULT STDMETHODCALLTYPE Attach(ICommentHost*) noexcept override { return E_NOTIMPL; }
  HRESULT STDMETHODCALLTYPE GetHost(ICommentHost**) noexcept override { return E_NOTIMPL; }
  HRESULT STDMETHODCALLTYPE GetAbsolutePosition(int32_t*) noexcept override { return E_NOTIMPL; }
  HRESULT STDMETHODCALLTYPE SetText(const wchar_t*) noexcept override { return E_NOTIMPL; }
  HRESULT STDMETHODCALLTYPE GetFlags(uint32_t*) noexcept override { return E_NOTIMPL; }
  HRESULT STDMETHODCALLTYPE Reserved21() noexcept override { return E_NOTIMPL; }
  HRESULT STDMETHODCALLTYPE Reserved22() noexcept override { return E_NOTIMPL; }
  HRESULT STDMETHODCALLTYPE Reserved23() noexcept override { return E_NOTIMPL; }
  HRESULT STDMETHODCALLTYPE IsBefore(IScrivoComment*) noexcept override { return E_NOTIMPL; }
  HRESULT STDMETHODCALLTYPE IsSame(IScrivoComment* other) noexcept override {
    return other == static_cast<IScrivoComment*>(this) ? S_OK : S_FALSE;
  }
  HRESULT STDMETHODCALLTYPE GetExtraWord(uint32_t*) noexcept override { return E_NOTIMPL; }
  HRESULT STDMETHODCALLTYPE SetExtraWord(uint32_t) noexcept override { return E_NOTIMPL; }
  HRESULT STDMETHODCALLTYPE GetTypeId(uint32_t*) noexcept override { return E_NOTIMPL; }
  // The event's type and colour.
  HRESULT STDMETHODCALLTYPE GetDrawInfo(uint32_t* typeId, COLORREF* colour, uint32_t* reserved) noexcept override {
    if (typeId) *typeId = mTypeId;
    if (colour) *colour = mColour;
    if (reserved) *reserved = 0;
    return S_OK;
  }
  HRESULT STDMETHODCALLTYPE GetExtraWords(uint32_t*) noexcept override { return E_NOTIMPL; }
  HRESULT STDMETHODCALLTYPE ShowPopupForRect(HWND, uint32_t, ICommentPopupWindow**, const RECT*) noexcept override {
    return E_NOTIMPL;
  }
  HRESULT STDMETHODCALLTYPE AnimateRect(HWND, const RECT*, const RECT*, uint32_t) noexcept override {
    return E_NOTIMPL;
  }
  HRESULT STDMETHODCALLTYPE AnimateEllipse(HWND, const RECT*, const RECT*, uint32_t) noexcept override {
    return E_NOTIMPL;
  }
  HRESULT STDMETHODCALLTYPE Animate(HWND, int32_t, const RECT*, const RECT*, uint32_t) noexcept override {
    return E_NOTIMPL;
  }
  HRESULT STDMETHODCALLTYPE GetMarkerColour(BOOL, COLORREF*) noexcept override { return E_NOTIMPL; }
  HRESULT STDMETHODCALLTYPE GetMarkerRect(HDC, const CommentDrawPosition*, RECT*) noexcept override { return E_NOTIMPL; }
  HRESULT STDMETHODCALLTYPE ComputeMarkerRect(HDC, const CommentDrawPosition*, RECT*) noexcept override {
    return E_NOTIMPL;
  }

 private:
  void* FindInterface(REFIID iid) override {
    if (iid == IID_IUnknown || iid == IID_IScrivoComment || iid == IID_IScrivoCommentEx)
      return static_cast<IScrivoCommentEx*>(this);
    return nullptr;
  }

  int32_t mRecord;
  int32_t mPosition;
  std::wstring mText;
  uint32_t mTypeId;
  COLORREF mColour;
};

// Every event of source from its position, as record bytes.
HRESULT ReadEvents(IEnumEventEx* source, std::vector<std::vector<unsigned char>>& events) {
  int32_t size = 0;
  HRESULT hr = source->GetRecordSize(&size);
  if (FAILED(hr)) return hr;
  if (size < static_cast<int32_t>(sizeof(int32_t))) return E_FAIL;
  std::vector<unsigned char> block(static_cast<size_t>(size) * 8);
  for (hr = S_OK; hr == S_OK;) {
    int32_t returned = 0;
    int32_t next = 0;
    hr = source->Next(static_cast<int32_t>(block.size()), kEnumRecordEnd, block.data(), &returned, &next);
    if (FAILED(hr)) return hr;
    for (int32_t i = 0; i < returned; ++i)
      events.emplace_back(block.begin() + i * size, block.begin() + (i + 1) * size);
    if (hr == S_OK && returned == 0) break;  // nothing more yet
  }
  return S_OK;
}

// What a comment is called: its text up to the details a "; " starts.
std::wstring CommentName(const std::wstring& text) { return text.substr(0, text.find(L"; ")); }

}  // namespace

HostPtr<IScrivoComment> MakeViewComment(int32_t record, int32_t position, const std::wstring& text, uint32_t typeId,
                                        COLORREF colour) {
  return HostPtr<IScrivoComment>(new TextComment(record, position, text, typeId, colour), false);
}

HRESULT RecordingComments::CollectEventComments(IClassRegistry* registry, IUnknown* dataDocument, int32_t record) {
  if (!registry || !dataDocument) return E_POINTER;
  HostPtr<IHostDataObjects> objects(nullptr);
  HostPtr<IHostDataDocument> document(nullptr);
  dataDocument->QueryInterface(IID_IHostDataObjects, reinterpret_cast<void**>(objects.Out()));
  dataDocument->QueryInterface(IID_IHostDataDocument, reinterpret_cast<void**>(document.Out()));
  if (!objects || !document) return E_NOINTERFACE;
  double secondsPerTick = 0.0;
  HRESULT hr = document->GetRecordTickPeriod(0, record, &secondsPerTick);
  if (FAILED(hr)) return hr;
  std::vector<ViewComment> made;
  for (int32_t i = 0;; ++i) {
    DrawnSource drawn{static_cast<int32_t>(0x80000000u), 0xC0000000u, 0};
    int32_t count = 0;
    hr = objects->GetDrawnSource(0, record, 0, i, &drawn, &count);
    if (FAILED(hr)) return hr;
    if (i >= count) break;
    if (drawn.kind != kEventSourceKind) continue;
    HostPtr<IUnknown> madeSource;
    hr = document->GetChannelSource(drawn.channel, drawn.flags | kChannelRequestSource, record, 0, kEnumRecordEnd,
                                    madeSource.Out());
    if (FAILED(hr)) return hr;
    HostPtr<IEnumEventEx> events = madeSource.As<IEnumEventEx>(IID_IEnumEventEx);
    uint32_t typeId = 0;
    if (!events || FAILED(events->GetEventType(&typeId))) continue;
    std::vector<std::vector<unsigned char>> records;
    hr = ReadEvents(events.Get(), records);
    if (FAILED(hr)) return hr;
    for (const auto& event : records) {
      EventMark mark;
      hr = DescribeEventMark(registry, typeId, dataDocument, record, event.data(), secondsPerTick, &mark);
      if (FAILED(hr)) return hr;
      ViewComment comment;
      std::memcpy(&comment.position, event.data(), sizeof comment.position);
      comment.record = record;
      comment.text = mark.tooltip;
      comment.colour = mark.colour;
      comment.comment = MakeViewComment(record, comment.position, mark.tooltip, typeId, mark.colour);
      made.push_back(std::move(comment));
    }
  }
  mComments = std::move(made);
  return S_OK;
}

HRESULT RecordingComments::Receive(IMessage* message) {
  if (!message) return E_POINTER;
  uint32_t id = 0;
  if (FAILED(message->GetId(&id)) || id != kShowComment2MessageId) return E_INVALIDARG;
  HostPtr<IShowComment2Message> show(nullptr);
  message->QueryInterface(IID_IShowComment2Message, reinterpret_cast<void**>(show.Out()));
  if (!show) return E_INVALIDARG;
  HostPtr<IScrivoCommentEx> comment(nullptr);
  if (show->GetComment(comment.Out()) != S_OK || !comment) return S_FALSE;
  ViewComment shown;
  uint32_t first = 0;
  if (FAILED(message->GetData(&first, &shown.flags))) shown.flags = 0;
  CommentPlace place{0, 0};
  QOR::IQORString* text = nullptr;
  const HRESULT hr = comment->GetKeys(&place, nullptr, nullptr, &text);
  if (FAILED(hr)) return hr;
  shown.text = StringText(text);
  if (text) text->Release();
  shown.record = place.record;
  shown.position = place.position;
  comment->GetDrawInfo(nullptr, &shown.colour, nullptr);
  shown.comment = HostPtr<IScrivoComment>(comment.Get());
  mComments.push_back(std::move(shown));
  return S_OK;
}

HRESULT RecordingComments::ShowComment(IUnknown* customDocument, ITypeRegistry* types, const std::wstring& text) {
  if (!customDocument || !types) return E_POINTER;
  const ViewComment* found = nullptr;
  for (const ViewComment& comment : mComments)
    if (CommentName(comment.text) == text) {
      found = &comment;
      break;
    }
  if (!found) return S_FALSE;
  uint16_t index = 0;
  HRESULT hr = types->RegisterGuid(&kHostNotifyClassGuid, &index);
  if (FAILED(hr)) return hr;
  HostPtr<IObserver> observer(nullptr);
  customDocument->QueryInterface(IID_IObserver, reinterpret_cast<void**>(observer.Out()));
  if (!observer) return E_NOINTERFACE;
  uint32_t words[kCommentActivatedWords] = {};
  words[0] = static_cast<uint32_t>(reinterpret_cast<uintptr_t>(found->comment.Get()));
  const uint32_t eventId = (static_cast<uint32_t>(index) << 16) | kCommentActivatedNumber;
  return observer->Notify(0, eventId, 0, words);
}

}  // namespace host
