// Host test documents: empty data documents that the host makes on request for a module's
// self-checks, through the class object of the test-document class.
// Ownership: the object handed out carries one reference for the caller.
#pragma once

#include "hostapi/LumoClassObject.h"

#include <unknwn.h>
#include <windows.h>

// The test-document class; its type id is (type-registry index << 16) | 0.
// {087B8989-C731-48AF-9B76-A38483EAB354}
inline constexpr GUID kTestDocumentClassGuid = {
    0x087B8989, 0xC731, 0x48AF, {0x9B, 0x76, 0xA3, 0x84, 0x83, 0xEA, 0xB3, 0x54}};

// {5FCB46F0-0B1D-11D2-B325-008048C36FE8}
inline constexpr GUID IID_IGenericClassObject = {
    0x5FCB46F0, 0x0B1D, 0x11D2, {0xB3, 0x25, 0x00, 0x80, 0x48, 0xC3, 0x6F, 0xE8}};

// A class object that makes new objects of its class. Slots 0-6 are those of ILumoClassObject.
// A test document answers IHostRecordData (its own interface), IHostDataFile, IHostDataDocument,
// IOnlineDataService, IHostSamplingTarget, IScrivoDataSink and IHostDataObjects: one object.
struct IGenericClassObject : ILumoClassObject {
  // Slot 7: a new object asked for iid; outer must be null (CLASS_E_NOAGGREGATION otherwise).
  virtual HRESULT STDMETHODCALLTYPE CreateObject(IUnknown* outer, REFIID iid, void** object) = 0;
};
