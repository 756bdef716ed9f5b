// ScrivoClient::EventDataCommentTP: keys, attachment, drawing, hit test, popup and animation.
#include "hostclient/EventDataComment.h"

#include "base/String.h"
#include "hostclient/ClassGuids.h"
#include "hostclient/ComBoundary.h"
#include "hostclient/ComObjectRoot.h"
#include "hostclient/ComPtr.h"
#include "hostclient/CommentAnimation.h"
#include "hostclient/CommentMarker.h"
#include "hostclient/CommentPopup.h"
#include "hostclient/TypeIds.h"
#include "platform/owl/TDC.h"

#include <new>
#include <string>

namespace ScrivoClient {
namespace {

// What a comment reports for ordering; fields it does not fill keep the caller's defaults.
struct CommentKeys {
  CommentPlace place{0, 0};
  uint32_t wordB;
  uint32_t wordA;
  uint32_t wordC = 0;
  std::wstring text;
};

CommentKeys ReadKeys(IScrivoComment* comment, uint32_t missing) {
  CommentKeys keys;
  keys.wordA = keys.wordB = missing;
  QOR::IQORString* text = nullptr;
  // A comment that cannot answer keeps the defaults; the order still is total.
  comment->GetKeys(&keys.place, &keys.wordC, &keys.wordB, &text);
  keys.text = QOR::String::Adopt(text).GetText();
  comment->GetWordA(&keys.wordA);
  return keys;
}

// -1, 0 or 1; text by UTF-16 code unit as unsigned numbers, a prefix first.
int CompareKeys(const CommentKeys& a, const CommentKeys& b) {
  auto cmp = [](auto x, auto y) { return x < y ? -1 : (y < x ? 1 : 0); };
  if (int c = cmp(static_cast<uint32_t>(a.place.record), static_cast<uint32_t>(b.place.record))) return c;
  if (int c = cmp(static_cast<uint32_t>(a.place.position), static_cast<uint32_t>(b.place.position))) return c;
  if (int c = cmp(static_cast<int32_t>(a.wordB), static_cast<int32_t>(b.wordB))) return c;
  if (int c = cmp(a.wordA, b.wordA)) return c;
  if (int c = cmp(static_cast<int32_t>(a.wordC), static_cast<int32_t>(b.wordC))) return c;
  return a.text.compare(b.text) < 0 ? -1 : (a.text == b.text ? 0 : 1);
}

// Answered only by this module's own comments, so that their popup finds the time text; never
// handed to the host.
struct IEventCommentTime : IUnknown {
  virtual HRESULT STDMETHODCALLTYPE GetTimeText(QOR::IQORString** text) = 0;
};
// {5E6C354A-2A17-439E-8FD2-45AAEAB8F6DF}
constexpr GUID IID_IEventCommentTime = {
    0x5E6C354A, 0x2A17, 0x439E, {0x8F, 0xD2, 0x45, 0xAA, 0xEA, 0xB8, 0xF6, 0xDF}};

constexpr uint32_t kSelfMissing = 0xFFFFFFFEu;
constexpr uint32_t kOtherMissing = 0xFFFFFFFFu;

class EventDataCommentTP final : public IScrivoCommentEx, public IEventCommentTime, public QOR::CComObjectRoot {
 public:
  explicit EventDataCommentTP(const EventCommentInit& init)
      : mWordA(init.wordA), mPosition(init.position), mWordC(init.wordC),
        mText(init.text ? init.text : L""), mTimeText(init.timeText ? init.timeText : L""),
        mRecord(init.record), mColour(init.colour), mTypeId(init.typeId) {}

  QOR_BEGIN_INTERFACE_MAP(EventDataCommentTP)
  QOR_INTERFACE_ENTRY(IScrivoCommentEx, IID_IScrivoCommentEx)
  QOR_INTERFACE_ENTRY(IScrivoCommentEx, IID_IScrivoComment)
  QOR_INTERFACE_ENTRY(IEventCommentTime, IID_IEventCommentTime)
  QOR_END_INTERFACE_MAP()
  QOR_IUNKNOWN_HEAP()

  HRESULT STDMETHODCALLTYPE GetTimeText(QOR::IQORString** text) noexcept override {
    if (!text) return E_POINTER;
    *text = mTimeText.AddRefInterface();
    return S_OK;
  }

  HRESULT STDMETHODCALLTYPE GetKeys(CommentPlace* place, uint32_t* wordC, uint32_t* wordB,
                                    QOR::IQORString** text) noexcept override {
    if (text) *text = nullptr;
    if (place) *place = CommentPlace{Record(), mPosition};
    if (wordC) *wordC = mWordC;
    if (wordB) *wordB = mWordB;
    if (text) *text = mText.AddRefInterface();
    return S_OK;
  }
  HRESULT STDMETHODCALLTYPE GetPositionRecord(CommentPlace*) noexcept override { return E_NOTIMPL; }
  HRESULT STDMETHODCALLTYPE GetPosition(int32_t*) noexcept override { return E_NOTIMPL; }
  HRESULT STDMETHODCALLTYPE GetWordA(uint32_t* value) noexcept override { return Put(value, mWordA); }
  HRESULT STDMETHODCALLTYPE GetWordC(uint32_t* value) noexcept override { return Put(value, mWordC); }

  HRESULT STDMETHODCALLTYPE Draw(HDC target, HDC reference, const CommentDrawPosition* at) noexcept override {
    if (!target || !at) return E_INVALIDARG;
    return ComTry([&] {
      OWL::TDC targetDC(target);
      const OWL::TDC referenceDC(reference ? reference : target);
      DrawCommentMark(targetDC, referenceDC, *at, CommentLook{mColour, mText.GetText(), mFlags});
    });
  }
  HRESULT STDMETHODCALLTYPE HitTest(HDC dc, const CommentDrawPosition* at, POINT point, uint32_t,
                                    int32_t* code) noexcept override {
    if (!at || !code) return E_INVALIDARG;
    *code = 0;
    if (!CommentMarkerHit(MarkerRect(dc, *at), point)) return S_FALSE;
    *code = kCommentHitMarker;
    return S_OK;
  }
  HRESULT STDMETHODCALLTYPE ShowPopup(HWND window, HDC dc, const CommentDrawPosition* at,
                                      ICommentPopupWindow** popup) noexcept override {
    if (!at) return E_INVALIDARG;
    const RECT marker = MarkerRect(dc, *at);
    return ShowPopupForRect(window, 0, popup, &marker);
  }
  HRESULT STDMETHODCALLTYPE ShowPopupIfHovered(HWND window, HDC dc, const CommentDrawPosition* at,
                                               ICommentPopupWindow** popup) noexcept override {
    if (!at || !popup) return E_INVALIDARG;
    *popup = nullptr;
    if (!PointerRestsOn(window)) return S_FALSE;
    RECT marker = MarkerRect(dc, *at);
    RECT wide = marker;
    InflateRect(&wide, 50, 50);
    AnimateEllipse(window, &wide, &marker, 200);
    return ShowPopupForRect(window, 0, popup, &marker);
  }
  HRESULT STDMETHODCALLTYPE GetWordB(uint32_t* value) noexcept override { return Put(value, mWordB); }
  HRESULT STDMETHODCALLTYPE SetWordB(uint32_t value) noexcept override {
    mWordB = value;
    return S_OK;
  }
  HRESULT STDMETHODCALLTYPE SetWordC(uint32_t, uint32_t value) noexcept override {
    mWordC = value;
    return S_OK;
  }
  HRESULT STDMETHODCALLTYPE GetRecordPosition(CommentPlace*) noexcept override { return E_NOTIMPL; }
  HRESULT STDMETHODCALLTYPE Attach(ICommentHost* host) noexcept override {
    if (!host && mHost) mRecord = mHost->GetRecord();
    mHost = ComPtr<ICommentHost>(host);
    return S_OK;
  }
  HRESULT STDMETHODCALLTYPE GetHost(ICommentHost** host) noexcept override {
    if (!host) return E_POINTER;
    mHost.CopyTo(host);
    return mHost ? S_OK : S_FALSE;
  }
  HRESULT STDMETHODCALLTYPE GetAbsolutePosition(int32_t* position) noexcept override {
    if (!position) return E_POINTER;
    if (!mHost) return E_FAIL;
    *position = mHost->GetRecordStart() + mPosition;
    return S_OK;
  }
  HRESULT STDMETHODCALLTYPE SetText(const wchar_t* text) noexcept override {
    return ComTry([&] { mText = QOR::String(text ? text : L""); });
  }
  HRESULT STDMETHODCALLTYPE GetFlags(uint32_t* flags) noexcept override { return Put(flags, mFlags); }
  HRESULT STDMETHODCALLTYPE Reserved21() noexcept override { return E_FAIL; }
  HRESULT STDMETHODCALLTYPE Reserved22() noexcept override { return E_FAIL; }
  HRESULT STDMETHODCALLTYPE Reserved23() noexcept override { return E_FAIL; }

  HRESULT STDMETHODCALLTYPE IsBefore(IScrivoComment* other) noexcept override {
    if (!other) return E_INVALIDARG;
    return ComTry([&] { return CommentOrdersBefore(this, other) ? S_OK : S_FALSE; });
  }
  HRESULT STDMETHODCALLTYPE IsSame(IScrivoComment* other) noexcept override {
    if (!other) return E_INVALIDARG;
    return ComTry([&] { return CommentsEqual(this, other) ? S_OK : S_FALSE; });
  }
  HRESULT STDMETHODCALLTYPE GetExtraWord(uint32_t* value) noexcept override {
    if (!value) return E_INVALIDARG;
    *value = mExtra[0];
    return S_OK;
  }
  HRESULT STDMETHODCALLTYPE SetExtraWord(uint32_t value) noexcept override {
    mExtra[0] = value;
    return S_OK;
  }
  HRESULT STDMETHODCALLTYPE GetTypeId(uint32_t* typeId) noexcept override {
    if (!typeId) return E_POINTER;
    TypeIdClass<&HostUiClassGUID, 18>::GetId(typeId);
    return S_OK;
  }
  HRESULT STDMETHODCALLTYPE GetDrawInfo(uint32_t* typeId, COLORREF* colour, uint32_t* reserved) noexcept override {
    if (typeId) *typeId = mTypeId;
    if (colour) *colour = mColour;
    if (reserved) *reserved = 0;
    return S_OK;
  }
  HRESULT STDMETHODCALLTYPE GetExtraWords(uint32_t* twoWords) noexcept override {
    if (!twoWords) return E_INVALIDARG;
    twoWords[0] = mExtra[0];
    twoWords[1] = mExtra[1];
    return S_OK;
  }
  HRESULT STDMETHODCALLTYPE ShowPopupForRect(HWND window, uint32_t, ICommentPopupWindow** popup,
                                             const RECT* marker) noexcept override {
    if (!popup || !marker) return E_INVALIDARG;
    *popup = nullptr;
    if (mFlags & kCommentNoPopup) return S_FALSE;
    POINT anchor{(marker->left + marker->right) / 2, marker->top};
    ClientToScreen(window, &anchor);
    return CreateCommentPopup(window, anchor, this, marker->bottom - marker->top, popup);
  }
  HRESULT STDMETHODCALLTYPE AnimateRect(HWND window, const RECT* from, const RECT* to,
                                        uint32_t milliseconds) noexcept override {
    return Animate(window, 0, from, to, milliseconds);
  }
  HRESULT STDMETHODCALLTYPE AnimateEllipse(HWND window, const RECT* from, const RECT* to,
                                           uint32_t milliseconds) noexcept override {
    return Animate(window, 1, from, to, milliseconds);
  }
  HRESULT STDMETHODCALLTYPE Animate(HWND window, int32_t mode, const RECT* from, const RECT* to,
                                    uint32_t milliseconds) noexcept override {
    if (!from || !to) return E_INVALIDARG;
    AnimateFrame(window, mode == 1 ? FrameShape::Ellipse : FrameShape::Rectangle, *from, *to,
                 milliseconds);
    return S_OK;
  }
  HRESULT STDMETHODCALLTYPE GetMarkerColour(BOOL black, COLORREF* colour) noexcept override {
    return Put(colour, black ? RGB(0, 0, 0) : mColour);
  }
  HRESULT STDMETHODCALLTYPE GetMarkerRect(HDC dc, const CommentDrawPosition* at, RECT* rect) noexcept override {
    return ComputeMarkerRect(dc, at, rect);
  }
  HRESULT STDMETHODCALLTYPE ComputeMarkerRect(HDC dc, const CommentDrawPosition* at, RECT* rect) noexcept override {
    if (!at || !rect) return E_INVALIDARG;
    *rect = MarkerRect(dc, *at);
    return S_OK;
  }

 private:
  ~EventDataCommentTP() override = default;

  template <class T>
  static HRESULT Put(T* out, T value) noexcept {
    if (!out) return E_POINTER;
    *out = value;
    return S_OK;
  }
  int32_t Record() const noexcept { return mHost ? mHost->GetRecord() : mRecord; }
  static RECT MarkerRect(HDC dc, const CommentDrawPosition& at) noexcept {
    const HDC screen = dc ? nullptr : GetDC(nullptr);
    const int dpi = GetDeviceCaps(dc ? dc : screen, LOGPIXELSY);
    if (screen) ReleaseDC(nullptr, screen);
    return CommentMarkerRect(dpi, at.x, at.firstY);
  }
  // Shown normally or maximised, and the window under the pointer.
  static bool PointerRestsOn(HWND window) noexcept {
    WINDOWPLACEMENT placement{};
    placement.length = sizeof placement;
    if (!IsWindowVisible(window) || !GetWindowPlacement(window, &placement)) return false;
    if (placement.showCmd != SW_SHOWNORMAL && placement.showCmd != SW_SHOWMAXIMIZED) return false;
    POINT pointer;
    return GetCursorPos(&pointer) && WindowFromPoint(pointer) == window;
  }

  uint32_t mWordA;
  uint32_t mWordB = 0;
  int32_t mPosition;
  uint32_t mWordC;
  QOR::String mText;
  QOR::String mTimeText;
  uint32_t mFlags = 0;
  ComPtr<ICommentHost> mHost;
  int32_t mRecord;
  COLORREF mColour;
  uint32_t mTypeId;
  uint32_t mExtra[2] = {0, 0};
};

}  // namespace

QOR::String CommentTimeText(IScrivoComment* comment) {
  ComPtr<IEventCommentTime> own;
  if (!comment || FAILED(comment->QueryInterface(IID_IEventCommentTime, own.OutVoid())) || !own) return QOR::String();
  QOR::IQORString* text = nullptr;
  if (FAILED(own->GetTimeText(&text))) return QOR::String();
  return QOR::String::Adopt(text);
}

bool CommentOrdersBefore(IScrivoComment* self, IScrivoComment* other) {
  return CompareKeys(ReadKeys(self, kSelfMissing), ReadKeys(other, kOtherMissing)) < 0;
}

bool CommentsEqual(IScrivoComment* self, IScrivoComment* other) {
  if (self == other) return true;
  return CompareKeys(ReadKeys(self, kSelfMissing), ReadKeys(other, kOtherMissing)) == 0;
}

HRESULT CreateEventDataComment(const EventCommentInit& init, IScrivoCommentEx** comment) noexcept {
  if (!comment) return E_POINTER;
  *comment = nullptr;
  return ComTry([&] {
    auto* made = new EventDataCommentTP(init);
    made->AddRef();
    *comment = made;
  });
}

}  // namespace ScrivoClient
