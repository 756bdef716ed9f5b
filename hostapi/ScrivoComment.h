// Host recording view: comments placed at a position of a record, drawn and hit-tested by their
// own objects, their popup windows, and the show-comment message that carries one to the view.
// Ownership: out-parameters are checked for null, cleared first and filled last; interfaces and
// strings handed out carry one reference for the caller; arguments passed in are borrowed.
#pragma once

#include "hostapi/QORString.h"

#include <unknwn.h>
#include <windows.h>

#include <cstdint>

// Where the view asks a comment to draw itself: x, the top of the mark (firstY), the baseline
// y, a second y and the drawing flags; the first word is the view's own.
struct CommentDrawPosition {
  uint32_t viewWord;
  int32_t x;
  int32_t firstY;
  int32_t y;
  int32_t secondY;
  uint32_t flags;
};
static_assert(sizeof(CommentDrawPosition) == 24, "six 32-bit words");

// Drawing flags.
inline constexpr uint32_t kCommentUseSecondY = 0x02000000u;
inline constexpr uint32_t kCommentDrawBlack = 0x01000000u;
inline constexpr uint32_t kCommentMarkerLine = 0x00800000u;
inline constexpr uint32_t kCommentMarkerLineToo = 0x00100000u;
inline constexpr uint32_t kCommentDrawText = 0x00080000u;
// The comment's flags word: the host keeps the popup to itself.
inline constexpr uint32_t kCommentNoPopup = 0x00080000u;
// The hit-test code of a point on the mark.
inline constexpr int32_t kCommentHitMarker = 4;

// The record and tick position of a comment.
struct CommentPlace {
  int32_t record;
  int32_t position;
};

// {06EE9460-57A7-4354-8171-8C533E8C12DE}
inline constexpr GUID IID_ICommentPopupWindow = {
    0x06EE9460, 0x57A7, 0x4354, {0x81, 0x71, 0x8C, 0x53, 0x3E, 0x8C, 0x12, 0xDE}};
// {2CA4E021-3F50-11D1-9980-00C0DF492697}
inline constexpr GUID IID_IScrivoComment = {
    0x2CA4E021, 0x3F50, 0x11D1, {0x99, 0x80, 0x00, 0xC0, 0xDF, 0x49, 0x26, 0x97}};
// {710456DC-001C-4750-9311-DAFBDCBE4A80}
inline constexpr GUID IID_IScrivoCommentEx = {
    0x710456DC, 0x001C, 0x4750, {0x93, 0x11, 0xDA, 0xFB, 0xDC, 0xBE, 0x4A, 0x80}};

struct IScrivoComment;

// The popup a comment shows while the pointer rests on its mark; the view holds it.
struct ICommentPopupWindow : IUnknown {
  // Slot 3: E_INVALIDARG for a null out.
  virtual HRESULT STDMETHODCALLTYPE GetComment(IScrivoComment** comment) = 0;
  // Slot 4: repaints the popup at once.
  virtual HRESULT STDMETHODCALLTYPE Refresh() = 0;
};

// The object the view attaches a comment to: it knows the comment's record and where the record
// starts. Slots 3-10 and 12 are the view's own.
struct ICommentHost : IUnknown {
  virtual HRESULT STDMETHODCALLTYPE Reserved3() = 0;
  virtual HRESULT STDMETHODCALLTYPE Reserved4() = 0;
  virtual HRESULT STDMETHODCALLTYPE Reserved5() = 0;
  virtual HRESULT STDMETHODCALLTYPE Reserved6() = 0;
  virtual HRESULT STDMETHODCALLTYPE Reserved7() = 0;
  virtual HRESULT STDMETHODCALLTYPE Reserved8() = 0;
  virtual HRESULT STDMETHODCALLTYPE Reserved9() = 0;
  virtual HRESULT STDMETHODCALLTYPE Reserved10() = 0;
  // Slot 11
  virtual int32_t STDMETHODCALLTYPE GetRecord() = 0;
  virtual HRESULT STDMETHODCALLTYPE Reserved12() = 0;
  // Slot 13: the record's first tick counted from the start of the recording.
  virtual int32_t STDMETHODCALLTYPE GetRecordStart() = 0;
};

// {C7A81D52-90B4-4E1F-A3D6-5B2E0F7C9A14}
inline constexpr GUID IID_ICommentHost = {
    0xC7A81D52, 0x90B4, 0x4E1F, {0xA3, 0xD6, 0x5B, 0x2E, 0x0F, 0x7C, 0x9A, 0x14}};

struct IScrivoComment : IUnknown {
  // Slot 3: any out may be null.
  virtual HRESULT STDMETHODCALLTYPE GetKeys(CommentPlace* place, uint32_t* wordC, uint32_t* wordB,
                                            QOR::IQORString** text) = 0;
  virtual HRESULT STDMETHODCALLTYPE GetPositionRecord(CommentPlace* place) = 0;  // slot 4
  virtual HRESULT STDMETHODCALLTYPE GetPosition(int32_t* position) = 0;           // slot 5
  virtual HRESULT STDMETHODCALLTYPE GetWordA(uint32_t* value) = 0;                // slot 6
  virtual HRESULT STDMETHODCALLTYPE GetWordC(uint32_t* value) = 0;                // slot 7
  // Slot 8: target may differ from reference (a printer or a bitmap).
  virtual HRESULT STDMETHODCALLTYPE Draw(HDC target, HDC reference,
                                         const CommentDrawPosition* at) = 0;
  // Slot 9: S_OK with kCommentHitMarker on the mark, else S_FALSE with 0.
  virtual HRESULT STDMETHODCALLTYPE HitTest(HDC dc, const CommentDrawPosition* at, POINT point,
                                            uint32_t reserved, int32_t* code) = 0;
  // Slot 10: the popup for the mark drawn at `at`.
  virtual HRESULT STDMETHODCALLTYPE ShowPopup(HWND window, HDC dc, const CommentDrawPosition* at,
                                              ICommentPopupWindow** popup) = 0;
  // Slot 11: the same, only while the pointer rests on the window of a visible view.
  virtual HRESULT STDMETHODCALLTYPE ShowPopupIfHovered(HWND window, HDC dc,
                                                       const CommentDrawPosition* at,
                                                       ICommentPopupWindow** popup) = 0;
  virtual HRESULT STDMETHODCALLTYPE GetWordB(uint32_t* value) = 0;                // slot 12
  virtual HRESULT STDMETHODCALLTYPE SetWordB(uint32_t value) = 0;                 // slot 13
  virtual HRESULT STDMETHODCALLTYPE SetWordC(uint32_t reserved, uint32_t value) = 0;  // slot 14
  virtual HRESULT STDMETHODCALLTYPE GetRecordPosition(CommentPlace* place) = 0;   // slot 15
  // Slot 16: null detaches.
  virtual HRESULT STDMETHODCALLTYPE Attach(ICommentHost* host) = 0;
  // Slot 17: S_FALSE and null while detached.
  virtual HRESULT STDMETHODCALLTYPE GetHost(ICommentHost** host) = 0;
  // Slot 18: the position counted from the start of the recording (E_FAIL while detached).
  virtual HRESULT STDMETHODCALLTYPE GetAbsolutePosition(int32_t* position) = 0;
  virtual HRESULT STDMETHODCALLTYPE SetText(const wchar_t* text) = 0;             // slot 19
  virtual HRESULT STDMETHODCALLTYPE GetFlags(uint32_t* flags) = 0;                // slot 20
  virtual HRESULT STDMETHODCALLTYPE Reserved21() = 0;
  virtual HRESULT STDMETHODCALLTYPE Reserved22() = 0;
  virtual HRESULT STDMETHODCALLTYPE Reserved23() = 0;
};

struct IScrivoCommentEx : IScrivoComment {
  // Slot 24: S_OK when this comment orders before other, else S_FALSE.
  virtual HRESULT STDMETHODCALLTYPE IsBefore(IScrivoComment* other) = 0;
  // Slot 25: S_OK when both are the same comment, else S_FALSE.
  virtual HRESULT STDMETHODCALLTYPE IsSame(IScrivoComment* other) = 0;
  virtual HRESULT STDMETHODCALLTYPE GetExtraWord(uint32_t* value) = 0;            // slot 26
  virtual HRESULT STDMETHODCALLTYPE SetExtraWord(uint32_t value) = 0;             // slot 27
  virtual HRESULT STDMETHODCALLTYPE GetTypeId(uint32_t* typeId) = 0;              // slot 28
  virtual HRESULT STDMETHODCALLTYPE GetDrawInfo(uint32_t* typeId, COLORREF* colour,
                                                uint32_t* reserved) = 0;           // slot 29
  virtual HRESULT STDMETHODCALLTYPE GetExtraWords(uint32_t* twoWords) = 0;        // slot 30
  // Slot 31: S_FALSE and no popup when the comment's flags have kCommentNoPopup.
  virtual HRESULT STDMETHODCALLTYPE ShowPopupForRect(HWND window, uint32_t reserved,
                                                     ICommentPopupWindow** popup,
                                                     const RECT* marker) = 0;
  virtual HRESULT STDMETHODCALLTYPE AnimateRect(HWND window, const RECT* from, const RECT* to,
                                                uint32_t milliseconds) = 0;       // slot 32
  virtual HRESULT STDMETHODCALLTYPE AnimateEllipse(HWND window, const RECT* from, const RECT* to,
                                                   uint32_t milliseconds) = 0;    // slot 33
  // Slot 34: mode 0 a rectangle, 1 an ellipse.
  virtual HRESULT STDMETHODCALLTYPE Animate(HWND window, int32_t mode, const RECT* from,
                                            const RECT* to, uint32_t milliseconds) = 0;
  virtual HRESULT STDMETHODCALLTYPE GetMarkerColour(BOOL black, COLORREF* colour) = 0;  // slot 35
  virtual HRESULT STDMETHODCALLTYPE GetMarkerRect(HDC dc, const CommentDrawPosition* at,
                                                  RECT* rect) = 0;                // slot 36
  virtual HRESULT STDMETHODCALLTYPE ComputeMarkerRect(HDC dc, const CommentDrawPosition* at,
                                                      RECT* rect) = 0;            // slot 37
};

// {FB92FE2E-0523-4B26-9EAF-F18F3B304B40}: answered by the show-comment message.
inline constexpr GUID IID_IShowComment2Message = {
    0xFB92FE2E, 0x0523, 0x4B26, {0x9E, 0xAF, 0xF1, 0x8F, 0x3B, 0x30, 0x4B, 0x40}};
// The host's notifications: ids (class index of this GUID << 16) | number.
// {3A7D80F0-59D6-11D3-80AE-005004AD3C53}
inline constexpr GUID kHostNotifyClassGuid = {
    0x3A7D80F0, 0x59D6, 0x11D3, {0x80, 0xAE, 0x00, 0x50, 0x04, 0xAD, 0x3C, 0x53}};
// The host's notification that the user activated a comment (HostNotifyMsgGUID number 44)
// carries nine argument words; the first is the activated comment as an IScrivoComment pointer,
// borrowed for the call, the others are the view's.
inline constexpr uint16_t kCommentActivatedNumber = 44;
inline constexpr int kCommentActivatedWords = 9;

// The show-comment message's id.
inline constexpr uint32_t kShowComment2MessageId = 0x800C005Au;

struct IShowComment2Message : IUnknown {
  // Slot 3: the comment to show.
  virtual HRESULT STDMETHODCALLTYPE GetComment(IScrivoCommentEx** comment) = 0;
};
