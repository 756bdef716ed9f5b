// ZR::Doc::PersistSettings: writing and reading the settings stream, with nothing applied from a
// stream that fails part way.
#include "document/PersistSettings.h"

#include "base/OFormatStream.h"
#include "base/StorageBinIStreamLite.h"
#include "base/StorageBinOStreamLite.h"
#include "document/DocumentStringIds.h"
#include "document/SettingsStore.h"
#include "document/SettingTextCheck.h"
#include "document/SettingsStreamError.h"
#include "document/TableColumnRecord.h"
#include "document/TableViewData.h"
#include "document/ZRDoc.h"
#include "grid/ITableViewManager.h"
#include "hostclient/ClassGuids.h"
#include "hostclient/ComBoundary.h"
#include "hostclient/ComPtr.h"
#include "hostclient/ModuleInstance.h"
#include "hostclient/ThreadErrorText.h"

#include <oleauto.h>

namespace ZR::Doc {

namespace {

// Copies the column state of one manager into another through the record both read and write.
bool CopyColumnState(ITableViewManager& from, ITableViewManager& to) {
  ComPtr<IStream> memory;
  if (FAILED(CreateStreamOnHGlobal(nullptr, TRUE, memory.Out())) || !memory) return false;
  {
    QOR::StorageBinOStreamLite out(memory.Get());
    from.SaveColumnState(0, &out);
    out.Flush();
    if (out.GetStatus() != S_OK) return false;
  }
  const LARGE_INTEGER start{};
  if (FAILED(memory->Seek(start, STREAM_SEEK_SET, nullptr))) return false;
  QOR::StorageBinIStreamLite in(memory.Get());
  return to.LoadColumnState(0, &in) == S_OK;
}

// A refusal's words with its number, and its other number where the words have a second place.
QOR::String NumberedText(uint32_t id, const XSettingsStream& refusal) {
  QOR::OFormatStringStream text(QOR::String(GetModuleInstance(), id, true));
  text << refusal.Number() << refusal.Other();
  return text.str();
}

// What was wrong with a refused stream, in the words of the string table.
QOR::String RefusalText(const XSettingsStream& refusal) {
  switch (refusal.Fault()) {
    case StreamFault::kUnknownVersion:
      return NumberedText(IDS_ZR_STREAM_VERSION, refusal);
    case StreamFault::kImpossibleChannel:
      return NumberedText(IDS_ZR_STREAM_CHANNEL, refusal);
    case StreamFault::kLostSetting:
      return NumberedText(IDS_ZR_STREAM_LOST_SETTING, refusal);
    case StreamFault::kRepeatedSetting:
      return NumberedText(IDS_ZR_STREAM_REPEATED_SETTING, refusal);
    case StreamFault::kRepeatedGroup:
      return NumberedText(IDS_ZR_STREAM_REPEATED_GROUP, refusal);
    case StreamFault::kNoAnalysisGroup:
      return NumberedText(IDS_ZR_STREAM_NO_ANALYSIS_GROUP, refusal);
    case StreamFault::kRefusedValue: {
      QOR::OFormatStringStream text(QOR::String(GetModuleInstance(), IDS_ZR_STREAM_VALUE, true));
      text << refusal.Number() << QuotedSettingText(refusal.Text()).GetText() << refusal.Words().GetText();
      return text.str();
    }
    case StreamFault::kColumnLayout:
      return QOR::String(GetModuleInstance(), IDS_ZR_STREAM_COLUMNS, true);
    case StreamFault::kColumnFormats:
      return QOR::String(GetModuleInstance(), IDS_ZR_STREAM_FORMATS, true);
    case StreamFault::kDamaged:
      break;
  }
  return QOR::String(GetModuleInstance(), IDS_ZR_STREAM_DAMAGED, true);
}

// Hands the words to the caller of Load as the thread's COM error information.
void ReportRefusal(const XSettingsStream& refusal) noexcept {
  try {
    SetThreadErrorText(IID_IPersistStreamInit, RefusalText(refusal));
  } catch (...) {
    // Without words the caller still has the failure.
  }
}

// The table part: the grid's column layout and the Table View's significant figures. A part
// refused while the stream is still whole is named; one cut short is damage.
void ReadTablePart(IBinInStream& in, ComPtr<ITableViewManager>& columns, CellFormatMap& formats) {
  const auto refuse = [&](StreamFault fault) {
    throw XSettingsStream(in.GetStatus() == S_OK ? fault : StreamFault::kDamaged);
  };
  if (FAILED(CreateTableViewManager(columns.Out())) || !columns) throw XSettingsStream(StreamFault::kDamaged);
  if (columns->LoadColumnState(0, &in) != S_OK) refuse(StreamFault::kColumnLayout);
  if (!LoadColumnRecord(in, formats)) refuse(StreamFault::kColumnFormats);
}

// Whether a byte follows; the stream is spent either way.
bool HasMore(IBinInStream& in) {
  uint8_t next = 0;
  return in.ReadByte(&next) == S_OK && in.GetStatus() == S_OK;
}

}  // namespace

HRESULT STDMETHODCALLTYPE PersistSettings::QueryInterface(REFIID iid, void** out) noexcept {
  if (!out) return E_POINTER;
  *out = nullptr;
  if (!IsEqualIID(iid, IID_IUnknown) && !IsEqualIID(iid, IID_IPersistStreamInit)) return E_NOINTERFACE;
  *out = static_cast<IPersistStreamInit*>(this);
  return S_OK;
}

HRESULT STDMETHODCALLTYPE PersistSettings::GetClassID(CLSID* classId) noexcept {
  if (!classId) return E_POINTER;
  *classId = ZRDocGUID;
  return S_OK;
}

HRESULT STDMETHODCALLTYPE PersistSettings::IsDirty() noexcept { return mDirty ? S_OK : S_FALSE; }

HRESULT STDMETHODCALLTYPE PersistSettings::InitNew() noexcept {
  if (!mDocument.PersistenceRegistered() && !mLoaded) return S_FALSE;
  return ComTry([&] { mDocument.ResetSettingsToDefaults(); });
}

HRESULT STDMETHODCALLTYPE PersistSettings::Save(IStream* stream, BOOL clearDirty) noexcept {
  if (!stream) return E_POINTER;
  return ComTry([&]() -> HRESULT {
    QOR::StorageBinOStreamLite out(stream);
    Write(out);
    out.Flush();
    // A failed write would lose the settings with the data file unnoticed.
    if (out.GetStatus() != S_OK) return STG_E_WRITEFAULT;
    if (clearDirty) mDirty = false;
    return S_OK;
  });
}

void PersistSettings::Write(IBinOutStream& out) {
  out.WriteLong(mVersion);
  QOR::WriteWindowPlacement(out, mChannelCalcPlacement);
  QOR::WriteWindowPlacement(out, mSettingsDialogPlacement);
  mDocument.GetSettings().Write(out);
  out.WriteLong(kSettingsStreamMarker);
  ComPtr<ITableViewManager> manager;
  mDocument.GetTableViewManager(manager.Out());
  if (manager) manager->SaveColumnState(0, &out);  // its answer is ignored: the stream's state counts
  if (const TableViewData* const table = mDocument.GetTableViewData()) table->SaveColumns(out);
  else SaveColumnRecord(out, CellFormatMap{});
  out.WriteLong(kSettingsStreamMarker);
}

HRESULT STDMETHODCALLTYPE PersistSettings::Load(IStream* stream) noexcept {
  if (!stream) return E_POINTER;
  SetErrorInfo(0, nullptr);  // words of an earlier call must not stand for this one
  const HRESULT hr = ComTry([&] {
    try {
      QOR::StorageBinIStreamLite in(stream);
      Read(in);
    } catch (const XSettingsStream& refusal) {
      ReportRefusal(refusal);
      throw;
    } catch (const XQOR&) {
      ReportRefusal(XSettingsStream(StreamFault::kDamaged));  // a corrupt string, for one
      throw;
    }
  });
  return hr == E_OUTOFMEMORY || SUCCEEDED(hr) ? hr : E_FAIL;
}

// Every part goes into a scratch copy; the document takes them only when the whole stream read.
void PersistSettings::Read(IBinInStream& in) {
  int32_t version = 0;  // stays 0 (and the markers below too) once the stream has failed
  in.ReadInt32(&version);
  // A later layout puts its fields elsewhere, and saving it back as this one would lose what
  // only it holds: its version is what tells the user.
  if (in.GetStatus() == S_OK && (version < 0 || version > kSettingsStreamVersion))
    throw XSettingsStream(StreamFault::kUnknownVersion, version);
  QOR::WindowPlacement channelCalc;
  QOR::WindowPlacement settingsDialog;
  QOR::ReadWindowPlacement(in, channelCalc);
  QOR::ReadWindowPlacement(in, settingsDialog);
  SettingsStore store(mDocument.GetSettings());
  store.Read(in, mDocument.DataDocument());
  int32_t markerA = 0;
  in.ReadInt32(&markerA);
  if (in.GetStatus() != S_OK || markerA != kSettingsStreamMarker || channelCalc.readError || settingsDialog.readError)
    throw XSettingsStream(StreamFault::kDamaged);
  ComPtr<ITableViewManager> columns;
  CellFormatMap formats;
  if (version > 0) {
    ReadTablePart(in, columns, formats);
    int32_t markerB = 0;
    in.ReadInt32(&markerB);
    if (in.GetStatus() != S_OK || markerB != kSettingsStreamMarker) throw XSettingsStream(StreamFault::kDamaged);
  } else if (HasMore(in)) {
    // The earliest layout ends with the store; one that says so and goes on is none this build knows.
    throw XSettingsStream(StreamFault::kUnknownVersion, version);
  }
  ComPtr<ITableViewManager> manager;
  if (columns && SUCCEEDED(mDocument.GetTableViewManager(manager.Out())) && !CopyColumnState(*columns, *manager))
    throw XSettingsStream(StreamFault::kDamaged);
  if (TableViewData* const table = mDocument.GetTableViewData()) table->MergeColumns(formats);
  mChannelCalcPlacement = channelCalc;
  mSettingsDialogPlacement = settingsDialog;
  mDocument.GetSettings() = store;
  mDocument.EnsureChannelGroup();
  mLoaded = true;
  mDirty = false;
}

}  // namespace ZR::Doc
