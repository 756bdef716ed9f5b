// Host document views: the view a class object makes for the host, the client window the host
// gives it, the view class, and the enumerator over the interfaces a view class lists.
// Ownership: out-parameters are cleared first and filled with one reference for the caller;
// interfaces passed in are borrowed for the call; BSTRs handed out are the caller's to free.
#pragma once

#include "hostapi/LumoClassObject.h"

#include <oaidl.h>
#include <windows.h>

#include <cstdint>

// {CD8A64F2-48D2-11D1-8D03-00C0D1570D74}
inline constexpr GUID IID_IView = {
    0xCD8A64F2, 0x48D2, 0x11D1, {0x8D, 0x03, 0x00, 0xC0, 0xD1, 0x57, 0x0D, 0x74}};
// {BB2BB384-D4ED-11D1-B2EF-00600894D72A}
inline constexpr GUID IID_IDocView = {
    0xBB2BB384, 0xD4ED, 0x11D1, {0xB2, 0xEF, 0x00, 0x60, 0x08, 0x94, 0xD7, 0x2A}};
// {51EA15C1-D849-4601-9D9D-3783ABE89035}
inline constexpr GUID IID_IDocView2 = {
    0x51EA15C1, 0xD849, 0x4601, {0x9D, 0x9D, 0x37, 0x83, 0xAB, 0xE8, 0x90, 0x35}};
// {CD8A64F1-48D2-11D1-8D03-00C0D1570D74}
inline constexpr GUID IID_IViewClass = {
    0xCD8A64F1, 0x48D2, 0x11D1, {0x8D, 0x03, 0x00, 0xC0, 0xD1, 0x57, 0x0D, 0x74}};
// {216EA591-42AF-11D2-B79C-008048C36FE8}
inline constexpr GUID IID_IDocViewClass = {
    0x216EA591, 0x42AF, 0x11D2, {0xB7, 0x9C, 0x00, 0x80, 0x48, 0xC3, 0x6F, 0xE8}};
// {168D30B1-30B5-11D1-8CEB-00C0D1570D74}
inline constexpr GUID IID_IClientWindow = {
    0x168D30B1, 0x30B5, 0x11D1, {0x8C, 0xEB, 0x00, 0xC0, 0xD1, 0x57, 0x0D, 0x74}};
// {0AE13F60-6A62-11D3-80B3-005004AD3C53}
inline constexpr GUID IID_IEnumInterface = {
    0x0AE13F60, 0x6A62, 0x11D3, {0x80, 0xB3, 0x00, 0x50, 0x04, 0xAD, 0x3C, 0x53}};
// {5FCB46F0-0B1D-11D2-B325-008048C36FE8}: the generic class service (kGenericClassServiceId).
inline constexpr GUID IID_IGenericClassObject = {
    0x5FCB46F0, 0x0B1D, 0x11D2, {0xB3, 0x25, 0x00, 0x80, 0x48, 0xC3, 0x6F, 0xE8}};
// {165E5211-D987-11D1-B2F2-00600894D72A}: a view class companion's view bookkeeping.
inline constexpr GUID IID_IViewClassCompanion = {
    0x165E5211, 0xD987, 0x11D1, {0xB2, 0xF2, 0x00, 0x60, 0x08, 0x94, 0xD7, 0x2A}};
// {2F6D1B83-4A7C-4E09-B3D5-61C8E0A9F412}: the stand-in host's view owner.
inline constexpr GUID IID_IViewOwner = {
    0x2F6D1B83, 0x4A7C, 0x4E09, {0xB3, 0xD5, 0x61, 0xC8, 0xE0, 0xA9, 0xF4, 0x12}};
// {7C41A2E5-9B3D-4F18-A6C0-3E5F7D9B1C24}: the stand-in host's client window.
inline constexpr GUID IID_IHostClientWindow = {
    0x7C41A2E5, 0x9B3D, 0x4F18, {0xA6, 0xC0, 0x3E, 0x5F, 0x7D, 0x9B, 0x1C, 0x24}};
// The category of every view class: {D6F52E80-B34D-11D3-80C7-005004AD3C53}
inline constexpr GUID kViewClassCategory = {
    0xD6F52E80, 0xB34D, 0x11D3, {0x80, 0xC7, 0x00, 0x50, 0x04, 0xAD, 0x3C, 0x53}};

struct IDocView2;
struct IDocViewClass;

struct IView : IUnknown {
  // Slot 3: the view's name; S_FALSE when it has none.
  virtual HRESULT STDMETHODCALLTYPE GetNameBstr(BSTR* name) = 0;
  // Slot 4: 0xFFFF when the view may close, else 0; S_OK when nonzero.
  virtual HRESULT STDMETHODCALLTYPE QueryClose(uint16_t* mayClose) = 0;
  // Slot 5: the view lets go of its window and its owner; a second call does nothing.
  virtual HRESULT STDMETHODCALLTYPE Detach() = 0;
  // Slots 6 and 7: a word the host keeps with the view.
  virtual HRESULT STDMETHODCALLTYPE SetWordA(uint32_t word) = 0;
  virtual HRESULT STDMETHODCALLTYPE GetWordA(uint32_t* word) = 0;
  // Slot 8: {the view class's type id, word B << 16 | word A}.
  virtual HRESULT STDMETHODCALLTYPE GetViewRecord(uint32_t record[2]) = 0;
  // Slot 9: the view tells its class companion and its owner that it is active.
  virtual HRESULT STDMETHODCALLTYPE Activate() = 0;
  // Slot 10
  virtual HRESULT STDMETHODCALLTYPE GetViewClass(IDocViewClass** viewClass) = 0;
};

struct IDocView : IView {
  // Slot 11: the host object that asked for the view.
  virtual HRESULT STDMETHODCALLTYPE GetOwner(IUnknown** owner) = 0;
  // Slot 12
  virtual HRESULT STDMETHODCALLTYPE GetReserved12(IUnknown** object) = 0;
};

struct IDocView2 : IDocView {
  // Slots 13 and 14: a second word the host keeps with the view.
  virtual HRESULT STDMETHODCALLTYPE GetWordB(uint32_t* word) = 0;
  virtual HRESULT STDMETHODCALLTYPE SetWordB(uint32_t word) = 0;
};

// The host's client window object that a view is given (IClientWindow slot 3).
struct IHostClientWindow : IUnknown {
  virtual HRESULT STDMETHODCALLTYPE Reserved3() = 0;
  // Slot 4: the window the view's window is made in.
  virtual HRESULT STDMETHODCALLTYPE GetWindowHandle(HWND* window) = 0;
  // Slot 5: the view is being detached; a nonzero answer keeps it attached.
  virtual HRESULT STDMETHODCALLTYPE OnViewDetaching() = 0;
};

struct IClientWindow : IUnknown {
  // Slot 3: the view makes its window inside hostClient's window; E_FAIL when it has one.
  virtual HRESULT STDMETHODCALLTYPE SetHostClient(IHostClientWindow* hostClient,
                                                  HWND* window) = 0;
  // Slot 4: the host's window is going: the view forgets it and its window.
  virtual HRESULT STDMETHODCALLTYPE ReleaseHostClient() = 0;
  // Slot 5
  virtual HRESULT STDMETHODCALLTYPE Reserved5() = 0;
  // Slot 6
  virtual HRESULT STDMETHODCALLTYPE GetHostClient(IHostClientWindow** hostClient) = 0;
  // Slot 7: the deleting destructor; the host never calls it (it releases the view).
  virtual void* STDMETHODCALLTYPE DeletingDestructor(unsigned int flags) = 0;
};

// The host object that asks a view class for a view (the view's owner).
struct IViewOwner : IUnknown {
  virtual HRESULT STDMETHODCALLTYPE Reserved3() = 0;
  virtual HRESULT STDMETHODCALLTYPE Reserved4() = 0;
  virtual HRESULT STDMETHODCALLTYPE Reserved5() = 0;
  virtual HRESULT STDMETHODCALLTYPE Reserved6() = 0;
  virtual HRESULT STDMETHODCALLTYPE Reserved7() = 0;
  virtual HRESULT STDMETHODCALLTYPE Reserved8() = 0;
  virtual HRESULT STDMETHODCALLTYPE Reserved9() = 0;
  virtual HRESULT STDMETHODCALLTYPE Reserved10() = 0;
  virtual HRESULT STDMETHODCALLTYPE Reserved11() = 0;
  virtual HRESULT STDMETHODCALLTYPE Reserved12() = 0;
  // Slot 13: the owner's say on closing view; it may clear *mayClose.
  virtual HRESULT STDMETHODCALLTYPE QueryViewClose(IDocView2* view, uint16_t* mayClose) = 0;
  virtual HRESULT STDMETHODCALLTYPE Reserved14() = 0;
  // Slot 15: view has detached itself from the owner.
  virtual HRESULT STDMETHODCALLTYPE OnViewDetached(IDocView2* view) = 0;
  virtual HRESULT STDMETHODCALLTYPE Reserved16() = 0;
  virtual HRESULT STDMETHODCALLTYPE Reserved17() = 0;
  virtual HRESULT STDMETHODCALLTYPE Reserved18() = 0;
  virtual HRESULT STDMETHODCALLTYPE Reserved19() = 0;
  virtual HRESULT STDMETHODCALLTYPE Reserved20() = 0;
  // Slot 21: view has become the active one.
  virtual HRESULT STDMETHODCALLTYPE OnViewActivated(IDocView2* view) = 0;
};

// Enumerates pointers to interface ids, in the manner of the standard enumerators.
struct IEnumInterface : IUnknown {
  // Slot 3: S_OK when count were copied, else S_FALSE; fetched may be null only for count 1.
  virtual HRESULT STDMETHODCALLTYPE Next(uint32_t count, const IID** iids, uint32_t* fetched) = 0;
  // Slot 4
  virtual HRESULT STDMETHODCALLTYPE Skip(uint32_t count) = 0;
  // Slot 5
  virtual HRESULT STDMETHODCALLTYPE Reset() = 0;
  // Slot 6: a new enumerator at the same position.
  virtual HRESULT STDMETHODCALLTYPE Clone(IEnumInterface** clone) = 0;
};

struct IViewClass : ILumoClassObject {
  // Slot 7: the class name (not the display name).
  virtual HRESULT STDMETHODCALLTYPE GetClassNameBstr(BSTR* name) = 0;
  // Slot 8: the module instance the class's resources come from.
  virtual HRESULT STDMETHODCALLTYPE GetInstance(HINSTANCE* instance) = 0;
  // Slot 9
  virtual HRESULT STDMETHODCALLTYPE GetClassFlags(uint32_t* flags) = 0;
  // Slot 10: the host has registered the class; it sets up its companion and menus.
  virtual HRESULT STDMETHODCALLTYPE Initialise() = 0;
  // Slot 11: a new view for owner, with one reference.
  virtual HRESULT STDMETHODCALLTYPE CreateView(uintptr_t unused, IUnknown* owner,
                                               IDocView2** view) = 0;
  // Slot 12: the interface ids the class's views serve their documents through.
  virtual HRESULT STDMETHODCALLTYPE GetInterfaces(IEnumInterface** interfaces) = 0;
};

struct IDocViewClass : IViewClass {
  // Slots 13-15: the count of live views of the class.
  virtual HRESULT STDMETHODCALLTYPE LockClass() = 0;
  virtual HRESULT STDMETHODCALLTYPE UnlockClass() = 0;
  virtual HRESULT STDMETHODCALLTYPE GetLockCount(uintptr_t unused, int32_t* count) = 0;
};

// The framework's generic class service: makes the companion of a view class object.
struct IGenericClassObject : IUnknown {
  virtual HRESULT STDMETHODCALLTYPE Reserved3() = 0;
  virtual HRESULT STDMETHODCALLTYPE Reserved4() = 0;
  virtual HRESULT STDMETHODCALLTYPE Reserved5() = 0;
  virtual HRESULT STDMETHODCALLTYPE Reserved6() = 0;
  // Slot 7: classObject is borrowed (the companion must not hold it).
  virtual HRESULT STDMETHODCALLTYPE CreateCompanion(IUnknown* classObject, REFIID iid,
                                                    void** companion) = 0;
};

// A view class companion: keeps the active view and the class's set-up.
struct IViewClassCompanion : IUnknown {
  // Slot 3: view is now the class's active view.
  virtual HRESULT STDMETHODCALLTYPE ViewActivated(IUnknown* view) = 0;
  virtual HRESULT STDMETHODCALLTYPE Reserved4() = 0;
  // Slot 5: the class object has been registered and initialises.
  virtual HRESULT STDMETHODCALLTYPE ClassInitialised() = 0;
};
