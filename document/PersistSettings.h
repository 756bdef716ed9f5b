// ZR::Doc::PersistSettings: the analysis document's settings stream in the data file: the two
// dialog placements, the settings store, the grid's column state and the Table View's columns.
#pragma once

#include "base/WindowPlacement.h"

#include <ocidl.h>
#include <windows.h>

#include <cstdint>

namespace ZR::Doc {

class ZRDoc;

// Stream words (little-endian int32 after the binary stream's header word): the version (1), the
// channel calculation dialog's placement, the settings dialog's placement, the settings store,
// 787, and with a version above 0 the grid's column state, the Table View's columns and 787.
inline constexpr int32_t kSettingsStreamVersion = 1;
inline constexpr int32_t kSettingsStreamMarker = 787;

// A part of the document: AddRef and Release answer 1 without counting, so the object lives as
// long as its document. Called by the host on its user-interface thread.
class PersistSettings final : public IPersistStreamInit {
 public:
  explicit PersistSettings(ZRDoc& document) noexcept : mDocument(document) {}
  PersistSettings(const PersistSettings&) = delete;
  PersistSettings& operator=(const PersistSettings&) = delete;

  HRESULT STDMETHODCALLTYPE QueryInterface(REFIID iid, void** out) noexcept override;
  ULONG STDMETHODCALLTYPE AddRef() noexcept override { return 1; }
  ULONG STDMETHODCALLTYPE Release() noexcept override { return 1; }
  // The document's class GUID.
  HRESULT STDMETHODCALLTYPE GetClassID(CLSID* classId) noexcept override;
  // S_OK when dirty, S_FALSE when not.
  HRESULT STDMETHODCALLTYPE IsDirty() noexcept override;
  // S_OK, or E_FAIL with nothing applied: every part is read into scratch copies first. A
  // refused stream leaves what was wrong with it, in words, as the thread's error information.
  HRESULT STDMETHODCALLTYPE Load(IStream* stream) noexcept override;
  // S_OK, or STG_E_WRITEFAULT when a write failed (dirty then stays as it was).
  HRESULT STDMETHODCALLTYPE Save(IStream* stream, BOOL clearDirty) noexcept override;
  HRESULT STDMETHODCALLTYPE GetSizeMax(ULARGE_INTEGER*) noexcept override { return E_NOTIMPL; }
  // Defaults for the settings once the persistence was registered or loaded (S_OK); S_FALSE
  // and nothing changed otherwise.
  HRESULT STDMETHODCALLTYPE InitNew() noexcept override;

  void SetDirty() noexcept { mDirty = true; }
  bool Loaded() const noexcept { return mLoaded; }
  QOR::WindowPlacement& ChannelCalcPlacement() noexcept { return mChannelCalcPlacement; }
  QOR::WindowPlacement& SettingsDialogPlacement() noexcept { return mSettingsDialogPlacement; }

 private:
  void Write(IBinOutStream& out);
  // Throws XSettingsStream for a refused stream.
  void Read(IBinInStream& in);

  ZRDoc& mDocument;
  QOR::WindowPlacement mChannelCalcPlacement;
  QOR::WindowPlacement mSettingsDialogPlacement;
  int32_t mVersion = kSettingsStreamVersion;
  bool mLoaded = false;
  bool mDirty = false;
};

}  // namespace ZR::Doc
