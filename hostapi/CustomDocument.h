// Host custom documents: the document a module keeps beside a host data document, its class
// object, and the framework services that pair both with the framework's companions.
// Ownership: out-parameters are cleared first and filled with one reference for the caller;
// interfaces passed in are borrowed for the call; BSTRs handed out are the caller's to free.
#pragma once

#include "hostapi/LumoClassObject.h"
#include "hostapi/QORString.h"

#include <oaidl.h>
#include <windows.h>

#include <cstdint>

// {6786FCE0-0F95-11D1-8CC5-00C0D1570D74}
inline constexpr GUID IID_ICustomDocument = {
    0x6786FCE0, 0x0F95, 0x11D1, {0x8C, 0xC5, 0x00, 0xC0, 0xD1, 0x57, 0x0D, 0x74}};
// {3B1F470C-1731-4761-916A-B75F07F9E7F8}
inline constexpr GUID IID_ICustomDocument2 = {
    0x3B1F470C, 0x1731, 0x4761, {0x91, 0x6A, 0xB7, 0x5F, 0x07, 0xF9, 0xE7, 0xF8}};
// {7B542011-6854-11D1-B2A7-00600894D72A}
inline constexpr GUID IID_ICustomDocClass = {
    0x7B542011, 0x6854, 0x11D1, {0xB2, 0xA7, 0x00, 0x60, 0x08, 0x94, 0xD7, 0x2A}};
// {D6F52E82-B34D-11D3-80C7-005004AD3C53}: the document service (kDocumentServiceId).
inline constexpr GUID IID_IDocumentService = {
    0xD6F52E82, 0xB34D, 0x11D3, {0x80, 0xC7, 0x00, 0x50, 0x04, 0xAD, 0x3C, 0x53}};
// {7B542012-6854-11D1-B2A7-00600894D72A}: the document class service (kDocumentClassServiceId).
inline constexpr GUID IID_IDocumentClassService = {
    0x7B542012, 0x6854, 0x11D1, {0xB2, 0xA7, 0x00, 0x60, 0x08, 0x94, 0xD7, 0x2A}};
// {CD8A64F3-48D2-11D1-8D03-00C0D1570D74}: what a class object and its companion link by.
inline constexpr GUID IID_IClassObjectLink = {
    0xCD8A64F3, 0x48D2, 0x11D1, {0x8D, 0x03, 0x00, 0xC0, 0xD1, 0x57, 0x0D, 0x74}};
// {376B4751-F226-11D2-B84E-008048C36FE8}: the host's information about a document.
inline constexpr GUID IID_IHostDocumentInfo = {
    0x376B4751, 0xF226, 0x11D2, {0xB8, 0x4E, 0x00, 0x80, 0x48, 0xC3, 0x6F, 0xE8}};
// {C60D5F9C-196E-4750-9450-251C268422D2}: refused by every custom document.
inline constexpr GUID IID_IRefusedByDocuments = {
    0xC60D5F9C, 0x196E, 0x4750, {0x94, 0x50, 0x25, 0x1C, 0x26, 0x84, 0x22, 0xD2}};
// The category of every document class: {D6F52E84-B34D-11D3-80C7-005004AD3C53}
inline constexpr GUID kDocumentClassCategory = {
    0xD6F52E84, 0xB34D, 0x11D3, {0x80, 0xC7, 0x00, 0x50, 0x04, 0xAD, 0x3C, 0x53}};

// Bit 30 of a document's creation flags, passed on to the document service as 0 or 1.
inline constexpr uint32_t kDocumentFlagCompanionBit = 0x40000000u;

struct ICustomDocument : IUnknown {
  // Slot 3: frees a BSTR already in *name; an empty name leaves it null.
  virtual HRESULT STDMETHODCALLTYPE GetNameBstr(BSTR* name) = 0;
  // Slot 4: a 16-bit truth value (VARIANT_TRUE for the module's documents).
  virtual HRESULT STDMETHODCALLTYPE GetFlag(uint16_t* value) = 0;
  // Slot 5: the host detaches the document from its data.
  virtual HRESULT STDMETHODCALLTYPE Detach() = 0;
  // Slot 6
  virtual HRESULT STDMETHODCALLTYPE GetReserved6(IUnknown** object) = 0;
  // Slot 7: the creation flags the class object was given.
  virtual HRESULT STDMETHODCALLTYPE GetCreationFlags(uint32_t* flags) = 0;
  // Slot 8: the host's information object of the document (IID_IHostDocumentInfo).
  virtual HRESULT STDMETHODCALLTYPE GetDocumentInfo(IUnknown** info) = 0;
  // Slot 9: the object that stores the document's settings with the data file.
  virtual HRESULT STDMETHODCALLTYPE GetPersistObject(uint32_t request, uint32_t kind,
                                                     IUnknown** reserved, IUnknown** object) = 0;
  // Slots 10 and 11: a text the host keeps with the document.
  virtual HRESULT STDMETHODCALLTYPE SetText(const wchar_t* text) = 0;
  virtual HRESULT STDMETHODCALLTYPE GetText(QOR::IQORString** text) = 0;
  // Slots 12 and 13: a word the host keeps with the document.
  virtual HRESULT STDMETHODCALLTYPE GetUserWord(uint32_t* word) = 0;
  virtual HRESULT STDMETHODCALLTYPE SetUserWord(uint32_t word) = 0;
  // Slot 14: the host has attached the data file.
  virtual HRESULT STDMETHODCALLTYPE OnDataAttached() = 0;
};

struct ICustomDocument2 : ICustomDocument {
  // Slots 15-17: the host's own notices; the module answers S_OK.
  virtual HRESULT STDMETHODCALLTYPE Notice15(uintptr_t a, uintptr_t b, uintptr_t c, uintptr_t d,
                                             uintptr_t e) = 0;
  virtual HRESULT STDMETHODCALLTYPE Notice16() = 0;
  virtual HRESULT STDMETHODCALLTYPE Notice17() = 0;
};

struct ICustomDocClass : ILumoClassObject {
  // Slot 7: the class name, as GetNameBstr.
  virtual HRESULT STDMETHODCALLTYPE GetClassNameBstr(BSTR* name) = 0;
  // Slot 8
  virtual HRESULT STDMETHODCALLTYPE GetClassFlags(uint32_t* flags) = 0;
  // Slot 9: a new document over hostObject (the host document) with one reference.
  virtual HRESULT STDMETHODCALLTYPE CreateDocument(uintptr_t unused1, IUnknown* hostObject,
                                                   uint32_t flags, ICustomDocument2** document,
                                                   uintptr_t unused2) = 0;
  // Slot 10
  virtual HRESULT STDMETHODCALLTYPE Reserved10() = 0;
  // Slot 11: the class adds its menus; argument is handed on to the menu-root service.
  virtual HRESULT STDMETHODCALLTYPE RequestMenus(IUnknown* argument) = 0;
  // Slot 12
  virtual HRESULT STDMETHODCALLTYPE Reserved12() = 0;
  // Slot 13: the message class of the class's documents.
  virtual HRESULT STDMETHODCALLTYPE GetClassGuid(const GUID** guid) = 0;
};

// The framework's document service: makes the companion of each new document.
struct IDocumentService : IUnknown {
  virtual HRESULT STDMETHODCALLTYPE Reserved3() = 0;
  virtual HRESULT STDMETHODCALLTYPE Reserved4() = 0;
  virtual HRESULT STDMETHODCALLTYPE Reserved5() = 0;
  virtual HRESULT STDMETHODCALLTYPE Reserved6() = 0;
  // Slot 7: document is borrowed (the companion must not hold it); flag is 0 or 1.
  virtual HRESULT STDMETHODCALLTYPE CreateCompanion(IUnknown* classObject, IUnknown* hostObject,
                                                    IUnknown* document, uint32_t flag,
                                                    IUnknown** companion) = 0;
};

// The framework's document class service: makes the companion of a document class object.
struct IDocumentClassService : IUnknown {
  virtual HRESULT STDMETHODCALLTYPE Reserved3() = 0;
  virtual HRESULT STDMETHODCALLTYPE Reserved4() = 0;
  virtual HRESULT STDMETHODCALLTYPE Reserved5() = 0;
  virtual HRESULT STDMETHODCALLTYPE Reserved6() = 0;
  // Slot 7: classObject is borrowed; value is the class's own word for the service.
  virtual HRESULT STDMETHODCALLTYPE CreateCompanion(IUnknown** companion, IUnknown* classObject,
                                                    uint32_t value) = 0;
};

