// Host data-object service of a data document: the objects a module keeps in the data file
// (named, switched on or off, attached to channels, each with a stored formula text).
// Ownership: out-parameters are checked for null (E_POINTER), cleared first and filled last;
// strings handed out carry one reference for the caller; strings passed in are borrowed.
#pragma once

#include "hostapi/QORString.h"

#include <unknwn.h>
#include <windows.h>

#include <cstdint>

// An object of the data document: its id and the kind under which it is addressed.
struct DataObjectId {
  int32_t id;
  uint32_t kind;
};
static_assert(sizeof(DataObjectId) == 8, "two 32-bit words");

// NewObject's request: the caller presets the pair to (kNewDataObject, kDataObjectRequestKind).
inline constexpr int32_t kNewDataObject = static_cast<int32_t>(0x80000000u);
inline constexpr uint32_t kDataObjectRequestKind = 0xC0000000u;
// The kind under which modules address the objects they made (their markers).
inline constexpr uint32_t kMarkerObjectKind = 4;

// What the host draws over the channels: a channel number and request flags as the data
// document's GetChannelSource takes them, and the kind of what that request yields.
struct DrawnSource {
  int32_t channel;
  uint32_t flags;
  uint32_t kind;
};
static_assert(sizeof(DrawnSource) == 12, "three 32-bit words");
inline constexpr uint32_t kEventSourceKind = 0x801D0001u;

// {920CDDCC-3748-4EC1-83F8-59EFEE7ED007}
inline constexpr GUID IID_IHostDataObjects = {
    0x920CDDCC, 0x3748, 0x4EC1, {0x83, 0xF8, 0x59, 0xEF, 0xEE, 0x7E, 0xD0, 0x07}};

// Reached by QueryInterface from the host data document. An unknown id or kind gives
// E_INVALIDARG.
struct IHostDataObjects : IUnknown {
  // Slot 3: makes a new object; *object, preset by the caller to the request pair, receives its
  // id and kind, *name its name (unique in the document). The reserved arguments are 0.
  virtual HRESULT STDMETHODCALLTYPE NewObject(int32_t reserved, int16_t reserved2,
                                              int32_t reserved3, QOR::IQORString** name,
                                              DataObjectId* object) = 0;
  // Slot 4
  virtual HRESULT STDMETHODCALLTYPE GetObjectName(int32_t id, uint32_t kind,
                                                  QOR::IQORString** name) = 0;
  // Slot 5: E_INVALIDARG for an empty name or one another object has.
  virtual HRESULT STDMETHODCALLTYPE RenameObject(int32_t id, uint32_t kind,
                                                 QOR::IQORString* name) = 0;
  // Slot 6: the object's stored formula text (the first text its calculation was given), as
  // the host keeps it; S_FALSE and an empty text while it has none. reserved is 0.
  virtual HRESULT STDMETHODCALLTYPE GetFormulaText(int32_t reserved, int32_t id, uint32_t kind,
                                                   QOR::IQORString** text) = 0;
  // Slot 7: the host's selection question; not used by the module.
  virtual HRESULT STDMETHODCALLTYPE Reserved7() = 0;
  // Slot 8: the index-th source the host draws over the document's channels as seen from
  // (record, position), and in *count how many there are. *source, preset by the caller to
  // (0x80000000, 0xC0000000, 0), is filled only while index < *count; its kind is
  // kEventSourceKind for a source of events. reserved is 0.
  virtual HRESULT STDMETHODCALLTYPE GetDrawnSource(int32_t reserved, int32_t record, int32_t position,
                                                   int32_t index, DrawnSource* source, int32_t* count) = 0;
  // Slot 9: not used by the module.
  virtual HRESULT STDMETHODCALLTYPE Reserved9() = 0;
  // Slot 10: VARIANT_TRUE while the object is switched on (new objects are on).
  virtual HRESULT STDMETHODCALLTYPE GetObjectState(int32_t id, uint32_t kind, VARIANT_BOOL* on) = 0;
  // Slot 11
  virtual HRESULT STDMETHODCALLTYPE SetObjectState(int32_t id, uint32_t kind, VARIANT_BOOL on) = 0;
  // Slot 12: removes the object of that name; S_FALSE when there is none.
  virtual HRESULT STDMETHODCALLTYPE RemoveObject(QOR::IQORString* name) = 0;
  // Slot 13: the host draws the object over the channel; attaching twice keeps one (S_FALSE).
  virtual HRESULT STDMETHODCALLTYPE AttachObject(int32_t id, uint32_t kind, int32_t channel) = 0;
  // Slot 14: S_FALSE when the object was not attached to the channel.
  virtual HRESULT STDMETHODCALLTYPE DetachObject(int32_t id, uint32_t kind, int32_t channel) = 0;
};

// {1BDB49D0-273D-4FAE-809F-1CAE9093DF05}: asked of a data document before its drawn sources are
// searched for an event (IHostDataObjects::GetDrawnSource).
inline constexpr GUID IID_IHostEventSearch = {
    0x1BDB49D0, 0x273D, 0x4FAE, {0x80, 0x9F, 0x1C, 0xAE, 0x90, 0x93, 0xDF, 0x05}};
// The request a module's event search passes.
inline constexpr uint32_t kEventSearchRequest = 0xC0000000u;

struct IHostEventSearch : IUnknown {
  // Slot 3: the host's own; not used by the module.
  virtual HRESULT STDMETHODCALLTYPE Reserved3() = 0;
  // Slot 4: a search of the drawn sources begins; the sources are brought up to date for request.
  virtual HRESULT STDMETHODCALLTYPE BeginEventSearch(uint32_t request) = 0;
};
