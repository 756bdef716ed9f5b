// Host data file: the file behind a data document and the child data it keeps for modules.
// Ownership: out-parameters are checked for null (E_POINTER), cleared first and filled last;
// interfaces handed out carry one reference for the caller.
#pragma once

#include "hostapi/ChildData.h"

#include <unknwn.h>
#include <windows.h>

#include <cstdint>

// {2BC6F321-B62F-11D2-8227-00C0DFE13362}
inline constexpr GUID IID_IHostDataFile = {
    0x2BC6F321, 0xB62F, 0x11D2, {0x82, 0x27, 0x00, 0xC0, 0xDF, 0xE1, 0x33, 0x62}};

// The data file, its data document (IHostDataDocument) and its online-data service
// (IOnlineDataService) are one host object: QueryInterface moves between them. This is the
// data context the host hands to enumerator classes.
struct IHostDataFile : IUnknown {
  // Slot 3: the child the file keeps with that type id; S_FALSE and null when it has none.
  // reserved is 0.
  virtual HRESULT STDMETHODCALLTYPE FindChildData(int32_t reserved, uint32_t typeId,
                                                  IScrivoDataChildData** child) = 0;
  // Slot 4: the file keeps the child (one reference) until it closes; E_INVALIDARG when it
  // already keeps a child of the same type id. reserved is 0.
  virtual HRESULT STDMETHODCALLTYPE AddChildData(int32_t reserved, IScrivoDataChildData* child) = 0;
};
