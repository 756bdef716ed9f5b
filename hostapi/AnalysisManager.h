// Host analysis manager: the host's record of the modules that analyse a data document, their
// settings streams and analysed ranges, and the requests it hands them; and the container a
// host object finds it in.
// Ownership: out-parameters are checked for null, cleared first and filled last; interfaces
// handed out carry one reference for the caller; texts and interfaces passed in are borrowed.
#pragma once

#include "hostapi/ChildDocumentList.h"

#include <oaidl.h>
#include <unknwn.h>
#include <windows.h>

#include <cstdint>

// The analysis manager's class: {659C39BA-EB97-4486-842E-10E185D5C17A}. Number 0 is the type of
// the manager among a container's children; numbers 5, 6 and 7 are the notifications it sends
// the documents of a data document, each with one word (a value of the host's own):
inline constexpr GUID kAnalysisManagerClassGuid = {
    0x659C39BA, 0xEB97, 0x4486, {0x84, 0x2E, 0x10, 0xE1, 0x85, 0xD5, 0xC1, 0x7A}};
inline constexpr uint16_t kManagerAskRange = 5;      // report the analysed range
inline constexpr uint16_t kManagerAskRemove = 6;     // remove the analysis, when confirmed
inline constexpr uint16_t kManagerAskReanalyse = 7;  // analyse again, when confirmed
// The host's broadcast that its documents are open (two words; fixed id, not formed from a GUID).
inline constexpr uint32_t kDocumentsOpenEventId = 0x80000000u;

// {6A1E5B3C-9D27-4F84-B0C5-3E2D1A7F6B90}: reached from a host object by QueryInterface: the
// container that holds it among its children. (This host's own interface id.)
inline constexpr GUID IID_IHostObjectContainer = {
    0x6A1E5B3C, 0x9D27, 0x4F84, {0xB0, 0xC5, 0x3E, 0x2D, 0x1A, 0x7F, 0x6B, 0x90}};

struct IHostObjectContainer : IUnknown {
  // Slots 3-6: the host's own; not used by the module.
  virtual HRESULT STDMETHODCALLTYPE ContainerReserved3() = 0;
  virtual HRESULT STDMETHODCALLTYPE ContainerReserved4() = 0;
  virtual HRESULT STDMETHODCALLTYPE ContainerReserved5() = 0;
  virtual HRESULT STDMETHODCALLTYPE ContainerReserved6() = 0;
  // Slot 7: the container, whose children (slot 25) include the analysis manager.
  virtual HRESULT STDMETHODCALLTYPE GetContainer(IHostChildDocumentList** container) = 0;
};

// A position as the manager keeps it: tick, then record.
struct ManagerPosition {
  int32_t tick;
  int32_t record;
};
static_assert(sizeof(ManagerPosition) == 8, "two 32-bit words");

// {2C8F4D61-7B3A-4E95-A1D2-5F6E7C8B9A03} (this host's own interface id).
inline constexpr GUID IID_IAnalysisManager = {
    0x2C8F4D61, 0x7B3A, 0x4E95, {0xA1, 0xD2, 0x5F, 0x6E, 0x7C, 0x8B, 0x9A, 0x03}};

struct IAnalysisManager : IUnknown {
  // Slot 3: registers an analysing module under its identifier and display name; *clientId
  // receives the number it is known by (the same identifier gets the same number again).
  virtual HRESULT STDMETHODCALLTYPE RegisterClient(const wchar_t* identifier, const wchar_t* displayName,
                                                   int32_t* clientId) = 0;
  // Slot 4: the client's analysis changed.
  virtual HRESULT STDMETHODCALLTYPE AnalysisChanged(int32_t clientId) = 0;
  // Slot 5: the object keeping the client's settings stream (IPersistStreamInit) for request;
  // loaded tells whether it was loaded from the data file. S_OK when the manager keeps it.
  virtual HRESULT STDMETHODCALLTYPE OfferPersistObject(int32_t clientId, int32_t request, IUnknown* object,
                                                       VARIANT_BOOL loaded) = 0;
  // Slot 6: the range the client analysed, for the request word of the manager's notification.
  virtual HRESULT STDMETHODCALLTYPE ReportAnalyzedRange(int32_t clientId, uint32_t argument,
                                                        const ManagerPosition* start,
                                                        const ManagerPosition* end) = 0;
  // Slot 7: whether the request the manager notified the client of (remove, analyse again) is
  // confirmed for this client.
  virtual HRESULT STDMETHODCALLTYPE ConfirmRequest(int32_t clientId, VARIANT_BOOL* confirmed) = 0;
  // Slot 8: whether the manager follows the client's changes (AnalysisChanged).
  virtual HRESULT STDMETHODCALLTYPE IsFollowingClient(int32_t clientId, VARIANT_BOOL* follows) = 0;
};
