// Host document: the host's document object that holds a data document and names its channels.
// Ownership: out-parameters are checked for null (E_POINTER), cleared first and filled last;
// interfaces handed out carry one reference and BSTRs are the caller's to free (SysFreeString).
#pragma once

#include "hostapi/DataDocument.h"
#include "hostapi/Selection.h"

#include <oaidl.h>
#include <unknwn.h>
#include <windows.h>

#include <cstdint>

// {864B2DE1-3F7F-11D1-9981-00C0DF492697}
inline constexpr GUID IID_IHostDocument = {
    0x864B2DE1, 0x3F7F, 0x11D1, {0x99, 0x81, 0x00, 0xC0, 0xDF, 0x49, 0x26, 0x97}};

// Flag 0 of QueryFlag: the host samples into the document's data document.
inline constexpr int32_t kHostDocumentFlagSampling = 0;
// Flag 1 of QueryFlag: the host wants module settings opened at their table page and a change
// of them bracketed by BeginSettingsChange and EndSettingsChange.
inline constexpr int32_t kHostDocumentFlagSettingsPage = 1;

// The slot order below is this host's own: it keeps only the operations the module calls.
struct IHostDocument : IUnknown {
  // Slot 3: the data document the host document holds.
  virtual HRESULT STDMETHODCALLTYPE GetDataDocument(IHostDataDocument** document) = 0;
  // Slot 4: the value of one of the document's flags (kHostDocumentFlag...); E_INVALIDARG for a
  // flag the host does not know.
  virtual HRESULT STDMETHODCALLTYPE QueryFlag(int32_t flag, VARIANT_BOOL* set) = 0;
  // Slots 5-7: three counts of the document's channels: every channel it has, those holding a
  // recording, and those calculated by a formula. A caller offering channels as sources takes
  // the largest.
  virtual HRESULT STDMETHODCALLTYPE GetChannelCount(int32_t* count) = 0;
  virtual HRESULT STDMETHODCALLTYPE GetRecordedChannelCount(int32_t* count) = 0;
  virtual HRESULT STDMETHODCALLTYPE GetCalculatedChannelCount(int32_t* count) = 0;
  // Slot 8: the host's name of a channel as it shows it to the user (its title, or "Channel n"
  // counting from 1 when it has none); reserved is 0, flags as GetChannelSource of the data
  // document. E_INVALIDARG for a channel the document does not have.
  virtual HRESULT STDMETHODCALLTYPE GetChannelText(int32_t reserved, int32_t channel,
                                                   uint32_t flags, BSTR* text) = 0;
  // Slots 9-14: the objects a module's document over this host document works with; each
  // E_NOTIMPL and null when the host has no such object.
  // Slot 9: the object holding the data file (its host document child).
  virtual HRESULT STDMETHODCALLTYPE GetDocumentObject(IUnknown** object) = 0;
  // Slot 10: the object whose link interface the document keeps.
  virtual HRESULT STDMETHODCALLTYPE GetLinkSource(IUnknown** object) = 0;
  // Slots 11 and 12: two further host objects.
  virtual HRESULT STDMETHODCALLTYPE GetHostObjectA(IUnknown** object) = 0;
  virtual HRESULT STDMETHODCALLTYPE GetHostObjectB(IUnknown** object) = 0;
  // Slot 13: the data document's selection.
  virtual HRESULT STDMETHODCALLTYPE GetSelection(IHostSelection** selection) = 0;
  // Slot 14: the data source (records, lengths, tick periods, data end); reserved is 0.
  virtual HRESULT STDMETHODCALLTYPE GetDataSource(int32_t reserved, IUnknown** source) = 0;
  // Slots 15 and 16: bracket a change of a module's settings and the analysis that follows it;
  // the host holds back its own updates of the document in between. value is 0.0.
  virtual HRESULT STDMETHODCALLTYPE BeginSettingsChange() = 0;
  virtual HRESULT STDMETHODCALLTYPE EndSettingsChange(double value) = 0;
  // Slot 17: scales the document's calculated channel that was applied last to the values it
  // shows, with value as the margin the host adds.
  virtual HRESULT STDMETHODCALLTYPE SetValue(double value) = 0;
  // Slot 18: the calculated channels were given their settings again; the host recomputes and
  // redraws them. reserved is 0.
  virtual HRESULT STDMETHODCALLTYPE UpdateCalculations(int32_t reserved) = 0;
  // Slot 19: the host brings its document up to date at once (before a calculation evaluates
  // its formula over the document's data).
  virtual HRESULT STDMETHODCALLTYPE Trigger() = 0;
  // Slot 20: the document's channel object (which 0: the one calculations are installed on);
  // the caller holds it while it installs one.
  virtual HRESULT STDMETHODCALLTYPE GetChannelObject(int32_t which, IUnknown** object) = 0;
};

// {CD8A64F0-48D2-11D1-8D03-00C0D1570D74}: the persistence service of a host document (asked of
// the host document itself).
inline constexpr GUID IID_IHostPersistService = {
    0xCD8A64F0, 0x48D2, 0x11D1, {0x8D, 0x03, 0x00, 0xC0, 0xD1, 0x57, 0x0D, 0x74}};

struct IHostPersistService : IUnknown {
  // Slot 3: from now on the host saves object's stream (it answers IPersistStreamInit) with the
  // data file and loads it back into the object's document when the file is opened. object is
  // the persistence object a module's document answers for GetPersistObject(0, 2); it must stay
  // valid as long as that document. frame is the document's frame interface (may be null). The
  // name the stream is kept under goes to *name (null: not wanted); the caller frees it.
  virtual HRESULT STDMETHODCALLTYPE RegisterPersistObject(IUnknown* object, IUnknown* frame, BSTR* name) = 0;
};
