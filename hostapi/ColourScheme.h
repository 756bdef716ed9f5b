// Host colour scheme: the values of the host's colour entries, and a source of palette colours by index.
// Ownership: an entry object is borrowed for the call and may be null (the scheme then answers by id).
#pragma once

#include <unknwn.h>
#include <windows.h>

#include <cstdint>

// Colour entries of the host's scheme (also the class ids of their entry objects).
inline constexpr uint32_t kColourEntryGraticule = 0x800C000Au;      // palette index
inline constexpr uint32_t kColourEntry0B = 0x800C000Bu;
inline constexpr uint32_t kColourEntryCount = 0x800C000Cu;          // number of colours
inline constexpr uint32_t kColourEntryPaletteIndex = 0x800C000Du;   // index into the module palette
inline constexpr uint32_t kColourEntryGraticuleStyle = 0x800C000Eu;
inline constexpr uint32_t kColourEntry09 = 0x800C0009u;

// {8CC76B43-E858-493A-90FC-3EEC14994DA8}
inline constexpr GUID IID_IHostColourScheme = {
    0x8CC76B43, 0xE858, 0x493A, {0x90, 0xFC, 0x3E, 0xEC, 0x14, 0x99, 0x4D, 0xA8}};
// {7D10E198-AE0D-4B42-9137-C7CC010AEFE5}
inline constexpr GUID IID_IHostColourSource = {
    0x7D10E198, 0xAE0D, 0x4B42, {0x91, 0x37, 0xC7, 0xCC, 0x01, 0x0A, 0xEF, 0xE5}};

struct IHostColourScheme : IUnknown {
  // Slot 3: counts and palette indexes.
  virtual HRESULT STDMETHODCALLTYPE GetEntryInteger(uint32_t entryId, IUnknown* entry, int32_t* value) = 0;
  // Slot 4: plain values.
  virtual HRESULT STDMETHODCALLTYPE GetEntryValue(uint32_t entryId, IUnknown* entry, uint32_t* value) = 0;
  // Slot 5: styles.
  virtual HRESULT STDMETHODCALLTYPE GetEntryStyle(uint32_t entryId, IUnknown* entry, int32_t* value) = 0;
};

struct IHostColourSource : IUnknown {
  // Slot 3: the colour of a palette index; a failure leaves the module's own palette in force.
  virtual HRESULT STDMETHODCALLTYPE GetColour(uint16_t index, COLORREF* colour) = 0;
};
