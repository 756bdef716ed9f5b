// The settings stream as the host uses it: save and load, the byte layout, streams cut at every
// point or carrying hostile counts (nothing applied), write faults, the dirty and new-document
// rules, and a data file saved with its documents and opened again in the stand-in host.
#include "document/PersistSettings.h"

#include "document/CycleDetector.h"
#include "document/TableViewData.h"
#include "document/ZRDoc.h"
#include "host/data/DocumentStreams.h"
#include "hostclient/ClassGuids.h"
#include "tests/document/ZRDocFixture.h"

#include <gtest/gtest.h>
#include <objbase.h>

#include <algorithm>
#include <cstdio>
#include <cstring>
#include <vector>

namespace {

using ZR::Doc::PersistSettings;

std::vector<uint8_t> Bytes(IStream* stream) {
  HGLOBAL memory = nullptr;
  GetHGlobalFromStream(stream, &memory);
  STATSTG stat{};
  stream->Stat(&stat, STATFLAG_NONAME);
  const auto* start = static_cast<const uint8_t*>(GlobalLock(memory));
  std::vector<uint8_t> bytes(start, start + stat.cbSize.QuadPart);
  GlobalUnlock(memory);
  return bytes;
}

ComPtr<IStream> StreamOf(const std::vector<uint8_t>& bytes) {
  ComPtr<IStream> stream;
  CreateStreamOnHGlobal(nullptr, TRUE, stream.Out());
  stream->Write(bytes.data(), static_cast<ULONG>(bytes.size()), nullptr);
  const LARGE_INTEGER start{};
  stream->Seek(start, STREAM_SEEK_SET, nullptr);
  return stream;
}

// n words from a byte offset (the stream's texts make it 2-byte aligned only).
std::vector<int32_t> Words(const std::vector<uint8_t>& bytes, size_t at, size_t n) {
  std::vector<int32_t> words(n);
  std::memcpy(words.data(), bytes.data() + at, n * 4);
  return words;
}

// A stream that takes the first `room` bytes and then refuses every write.
class FullStream final : public IStream {
 public:
  explicit FullStream(ULONG room) : mRoom(room) {}
  HRESULT STDMETHODCALLTYPE QueryInterface(REFIID iid, void** out) override {
    *out = iid == IID_IUnknown || iid == IID_IStream || iid == IID_ISequentialStream ? this : nullptr;
    return *out ? S_OK : E_NOINTERFACE;
  }
  ULONG STDMETHODCALLTYPE AddRef() override { return 2; }
  ULONG STDMETHODCALLTYPE Release() override { return 1; }
  HRESULT STDMETHODCALLTYPE Read(void*, ULONG, ULONG* read) override {
    if (read) *read = 0;
    return S_FALSE;
  }
  HRESULT STDMETHODCALLTYPE Write(const void*, ULONG n, ULONG* written) override {
    const ULONG taken = n < mRoom ? n : mRoom;
    mRoom -= taken;
    if (written) *written = taken;
    return taken == n ? S_OK : STG_E_MEDIUMFULL;
  }
  HRESULT STDMETHODCALLTYPE Seek(LARGE_INTEGER, DWORD, ULARGE_INTEGER* position) override {
    if (position) position->QuadPart = 0;
    return S_OK;
  }
  HRESULT STDMETHODCALLTYPE SetSize(ULARGE_INTEGER) override { return S_OK; }
  HRESULT STDMETHODCALLTYPE CopyTo(IStream*, ULARGE_INTEGER, ULARGE_INTEGER*, ULARGE_INTEGER*) override { return E_NOTIMPL; }
  HRESULT STDMETHODCALLTYPE Commit(DWORD) override { return S_OK; }
  HRESULT STDMETHODCALLTYPE Revert() override { return E_NOTIMPL; }
  HRESULT STDMETHODCALLTYPE LockRegion(ULARGE_INTEGER, ULARGE_INTEGER, DWORD) override { return E_NOTIMPL; }
  HRESULT STDMETHODCALLTYPE UnlockRegion(ULARGE_INTEGER, ULARGE_INTEGER, DWORD) override { return E_NOTIMPL; }
  HRESULT STDMETHODCALLTYPE Stat(STATSTG* stat, DWORD) override {
    *stat = STATSTG{};
    stat->type = STGTY_STREAM;
    return S_OK;
  }
  HRESULT STDMETHODCALLTYPE Clone(IStream**) override { return E_NOTIMPL; }

 private:
  ULONG mRoom;
};

class PersistSettingsTest : public doctest::ZRDocTest {
 protected:
  PersistSettings& Persist() { return mDoc->SettingsPersistence(); }
  std::vector<uint8_t> Saved() {
    ComPtr<IStream> stream;
    CreateStreamOnHGlobal(nullptr, TRUE, stream.Out());
    EXPECT_EQ(S_OK, Persist().Save(stream.Get(), TRUE));
    return Bytes(stream.Get());
  }
  HRESULT LoadBytes(const std::vector<uint8_t>& bytes) { return Persist().Load(StreamOf(bytes).Get()); }
  int32_t& Figures(int32_t measurement) { return mDoc->GetTableViewData()->GetCellFormat(measurement).significantFigures; }
};

TEST_F(PersistSettingsTest, SaveThenLoadGivesBackTheSettingsAndPlacements) {
  Open();
  Set(1001, L"12");
  Set(2004, L"t");
  Persist().SettingsDialogPlacement() = QOR::WindowPlacement{0, RECT{10, 20, 110, 220}, 1};
  mDoc->ResetHostState();
  EXPECT_EQ(S_OK, Persist().IsDirty());
  const std::vector<uint8_t> bytes = Saved();
  EXPECT_EQ(S_FALSE, Persist().IsDirty()) << "saved with clear-dirty";
  Set(1001, L"30");
  Set(2004, L"f");
  Persist().SettingsDialogPlacement() = QOR::WindowPlacement{};
  mDoc->ResetHostState();
  ASSERT_EQ(S_OK, LoadBytes(bytes));
  EXPECT_EQ(L"12", Text(ZR::Doc::kSettingMinPeakWidthCAP));
  EXPECT_TRUE(Flag(ZR::Doc::kSettingAnalyseSelection));
  EXPECT_EQ(1, Persist().SettingsDialogPlacement().valid);
  EXPECT_EQ(220, Persist().SettingsDialogPlacement().rect.bottom);
  EXPECT_TRUE(Persist().Loaded());
  EXPECT_EQ(S_FALSE, Persist().IsDirty());
  EXPECT_EQ(bytes, Saved()) << "the same state saves the same bytes";
}

TEST_F(PersistSettingsTest, StreamHoldsPlacementsStoreColumnStateAndMarkers) {
  Open();
  Persist().ChannelCalcPlacement() = QOR::WindowPlacement{0, RECT{10, 20, 110, 220}, 1};
  const std::vector<uint8_t> bytes = Saved();
  const std::vector<int32_t> head{static_cast<int32_t>(0x5514AAAAu), 1, 1, 1, 20, 10, 220, 110, 777, 1, 0, 777, 1, 347};
  ASSERT_GT(bytes.size(), 4 * (head.size() + 10));
  EXPECT_EQ(head, Words(bytes, 0, head.size()));
  // The store ends with 347, then 787, the grid's column state, the Table View's columns, 787.
  const std::vector<int32_t> tail{347, 787, 2, 0, 1337, -1, 2, -1, -1, 787};
  EXPECT_EQ(tail, Words(bytes, bytes.size() - 4 * tail.size(), tail.size()));
}

TEST_F(PersistSettingsTest, TableColumnStateAndFormatsTravelWithTheStream) {
  Open();
  Figures(5) = 3;
  Figures(12) = 6;
  const std::vector<uint8_t> bytes = Saved();
  // The grid's column state, then the formats in measurement order: key, 1, figures, measurement.
  const std::vector<int32_t> tail{1337, -1, 2, 5, 1, 3, 5, 12, 1, 6, 12, -1, -1, 787};
  EXPECT_EQ(tail, Words(bytes, bytes.size() - 4 * tail.size(), tail.size()));

  // Two grid columns after the row numbers swapped, with their widths, come back as they were saved.
  std::vector<uint8_t> columns(bytes.begin(), bytes.end() - 4 * (tail.size() + 1));
  for (const int32_t word : {3, 0, 2, 1, 50, 60, 80}) {
    const auto* const start = reinterpret_cast<const uint8_t*>(&word);
    columns.insert(columns.end(), start, start + 4);
  }
  columns.insert(columns.end(), bytes.end() - 4 * tail.size(), bytes.end());
  ASSERT_EQ(S_OK, LoadBytes(columns));
  EXPECT_EQ(columns, Saved());
  Figures(5) = 9;
  Figures(7) = 2;
  ASSERT_EQ(S_OK, LoadBytes(bytes));
  EXPECT_EQ(3, Figures(5));
  EXPECT_EQ(6, Figures(12));
  EXPECT_EQ(2, Figures(7)) << "a measurement the stream does not name keeps its format";

  // Version 0 ends after the store's marker: no table part, the formats stay as they are.
  std::vector<uint8_t> version0(bytes.begin(), bytes.end() - 4 * (tail.size() + 2));
  const int32_t zero = 0;
  std::memcpy(version0.data() + 4, &zero, 4);
  Figures(5) = 9;
  ASSERT_EQ(S_OK, LoadBytes(version0));
  EXPECT_EQ(9, Figures(5));
}

TEST_F(PersistSettingsTest, EveryCutAndHostileStreamFailsWithNothingApplied) {
  Open();
  Set(1001, L"12");
  Persist().SettingsDialogPlacement() = QOR::WindowPlacement{0, RECT{10, 20, 110, 220}, 1};
  Figures(5) = 3;
  const std::vector<uint8_t> bytes = Saved();
  Set(1001, L"30");
  Persist().SettingsDialogPlacement() = QOR::WindowPlacement{};
  Figures(5) = 9;
  const auto unchanged = [&](const char* what, size_t at) {
    EXPECT_EQ(L"30", Text(ZR::Doc::kSettingMinPeakWidthCAP)) << what << " " << at;
    EXPECT_EQ(9, Figures(5)) << what << " " << at;
    EXPECT_EQ(0, Persist().SettingsDialogPlacement().valid) << what << " " << at;
    EXPECT_FALSE(Persist().Loaded()) << what << " " << at;
  };
  for (size_t cut = 0; cut < bytes.size(); ++cut) {
    EXPECT_EQ(E_FAIL, LoadBytes(std::vector<uint8_t>(bytes.begin(), bytes.begin() + cut))) << cut;
    unchanged("cut at byte", cut);
  }
  // Byte offsets of single words: from the start for the placements and the store's head, from
  // the end for the column state (2, n, 1337), the Table View's columns (-1, 2, 5, 1, 3, 5, -1,
  // -1) and the closing marker.
  // Words 2-4 are the first placement (no rectangle), 5-11 the second, 12 on the store.
  const size_t storeAt = 4 * 12;  // 1, 347, the group's version, its setting count
  for (const auto& [at, value] : std::vector<std::pair<size_t, int32_t>>{
           {4 * 2, 2},                       // the first placement of a later version
           {4 * 11, 778},                    // the second one's trailer
           {storeAt + 12, 0x7FFFFFFF},       // the global group's setting count
           {storeAt + 12, -5},
           {bytes.size() - 44, 100000000},   // the column count
           {bytes.size() - 32, 3},           // the Table View columns' version
           {bytes.size() - 28, 59},          // a format's measurement key
           {bytes.size() - 4, 788}}) {       // the closing marker
    std::vector<uint8_t> hostile = bytes;
    std::memcpy(hostile.data() + at, &value, 4);
    EXPECT_EQ(E_FAIL, LoadBytes(hostile)) << at;
    unchanged("byte", at);
  }
}

TEST_F(PersistSettingsTest, AFailedWriteIsReportedAndKeepsTheSettingsDirty) {
  Open();
  mDoc->ResetHostState();
  const size_t size = Saved().size();
  mDoc->ResetHostState();
  for (const ULONG room : {ULONG{0}, ULONG{9}, static_cast<ULONG>(size - 1)}) {
    FullStream stream(room);
    EXPECT_EQ(STG_E_WRITEFAULT, Persist().Save(&stream, TRUE)) << room;
    EXPECT_EQ(S_OK, Persist().IsDirty()) << room;
  }
  FullStream enough(static_cast<ULONG>(2 * size));
  EXPECT_EQ(S_OK, Persist().Save(&enough, FALSE));
  EXPECT_EQ(S_OK, Persist().IsDirty()) << "not asked to clear";
}

TEST_F(PersistSettingsTest, IdentityDirtyAndNewDocumentRules) {
  Open();
  IUnknown* reserved = nullptr;
  ComPtr<IUnknown> object;
  EXPECT_EQ(S_FALSE, mDocument->GetPersistObject(1, 2, &reserved, object.Out()));
  EXPECT_EQ(nullptr, object.Get());
  EXPECT_EQ(S_FALSE, mDocument->GetPersistObject(0, 1, &reserved, object.Out()));
  ASSERT_EQ(S_OK, mDocument->GetPersistObject(0, 2, &reserved, object.Out()));
  ComPtr<IPersistStreamInit> persist;
  ASSERT_EQ(S_OK, object->QueryInterface(IID_IPersistStreamInit, persist.OutVoid()));
  EXPECT_EQ(static_cast<IPersistStreamInit*>(&Persist()), persist.Get());
  void* none = &persist;
  EXPECT_EQ(E_NOINTERFACE, object->QueryInterface(IID_IPersistStream, &none));
  EXPECT_EQ(nullptr, none);
  CLSID id{};
  EXPECT_EQ(S_OK, persist->GetClassID(&id));
  EXPECT_EQ(ZRDocGUID, id);
  ULARGE_INTEGER size{};
  EXPECT_EQ(E_NOTIMPL, persist->GetSizeMax(&size));

  EXPECT_EQ(S_FALSE, persist->IsDirty()) << "a fresh document";
  Set(1001, L"12");
  EXPECT_EQ(S_FALSE, persist->InitNew()) << "neither registered nor loaded";
  EXPECT_EQ(L"12", Text(ZR::Doc::kSettingMinPeakWidthCAP));
  mDoc->ResetHostState();
  EXPECT_TRUE(mDoc->PersistenceRegistered()) << "the stand-in host keeps the stream";
  EXPECT_EQ(S_OK, persist->InitNew());
  EXPECT_EQ(L"0", Text(ZR::Doc::kSettingAnalysisType)) << "defaults";
  EXPECT_EQ(S_OK, persist->IsDirty());
}

// The words a refused Load leaves as the thread's error information; empty without any.
std::wstring RefusalWords() {
  ComPtr<IErrorInfo> info;
  BSTR text = nullptr;
  if (GetErrorInfo(0, info.Out()) != S_OK || !info || FAILED(info->GetDescription(&text)) || !text) return L"";
  std::wstring words(text, SysStringLen(text));
  SysFreeString(text);
  return words;
}

// A value text damaged so that it still reads as a number, or a version this build does not
// write: the stream is refused, nothing changes, and the refusal says what was wrong.
TEST_F(PersistSettingsTest, DamagedStreamIsRefusedWithWhatWasWrong) {
  Open();
  Set(1001, L"12");
  std::vector<uint8_t> bytes = Saved();
  Set(1001, L"30");
  const uint8_t twelve[] = {'1', 0, '2', 0};
  const auto at = std::search(bytes.begin(), bytes.end(), std::begin(twelve), std::end(twelve));
  ASSERT_NE(bytes.end(), at);
  std::vector<uint8_t> damaged = bytes;
  damaged[static_cast<size_t>(at - bytes.begin()) + 2] = 0x30;  // "1\u2030": reads as 1 by extraction
  damaged[static_cast<size_t>(at - bytes.begin()) + 3] = 0x20;
  EXPECT_EQ(E_FAIL, LoadBytes(damaged));
  EXPECT_EQ(L"setting 1001 of its analysis settings holds \"1\x2030\": not a number", RefusalWords());
  EXPECT_EQ(L"30", Text(ZR::Doc::kSettingMinPeakWidthCAP));
  EXPECT_FALSE(Persist().Loaded());
  std::vector<uint8_t> later = bytes;  // a later layout: version 7 with a field of its own
  later[4] = 7;
  later.insert(later.begin() + 8, {9, 0, 0, 0});
  EXPECT_EQ(E_FAIL, LoadBytes(later));
  EXPECT_EQ(L"its analysis settings are of unknown version 7", RefusalWords());
  // Versions whose fields stand where this build's do: saved back as version 1 they would lose
  // what they hold. Version 0 is known only as the layout that ends with the store.
  for (const int32_t version : {2, 0, -5}) {
    std::vector<uint8_t> unknown = bytes;
    std::memcpy(unknown.data() + 4, &version, 4);
    EXPECT_EQ(E_FAIL, LoadBytes(unknown)) << version;
    EXPECT_EQ(L"its analysis settings are of unknown version " + std::to_wstring(version), RefusalWords());
    EXPECT_EQ(L"30", Text(ZR::Doc::kSettingMinPeakWidthCAP)) << version;
  }
  EXPECT_EQ(E_FAIL, LoadBytes(std::vector<uint8_t>(bytes.begin(), bytes.end() - 1)));
  EXPECT_EQ(L"its analysis settings are damaged", RefusalWords());
  EXPECT_EQ(S_OK, LoadBytes(bytes));
  EXPECT_EQ(L"", RefusalWords()) << "no words stand for a load that worked";
  EXPECT_EQ(L"12", Text(ZR::Doc::kSettingMinPeakWidthCAP));
}

TEST_F(PersistSettingsTest, DataFileSavedWithItsDocumentOpensWithTheSameSettingsAndRows) {
  Open();
  Set(1001, L"12");
  Figures(5) = 3;
  ASSERT_EQ(S_OK, SendAnalyze());
  const std::vector<int32_t> rows = mDoc->GetCycleDetector()->EventsPerRecord();
  ASSERT_EQ((std::vector<int32_t>{4, 4}), rows);
  wchar_t folder[MAX_PATH];
  GetTempPathW(MAX_PATH, folder);
  const std::wstring path = std::wstring(folder) + L"ondara-documents.bin";
  ASSERT_EQ(S_OK, host::SaveDocumentStreams(*mHost.Get(), path));
  mHost->CloseChildDocuments();
  mDoc.Reset();
  mDocument.Reset();

  mData = host::DataDocument::Create(doctest::CardiacRecording(2, 5000));
  mHost = host::HostDocument::Create(mData);
  std::vector<host::HostPtr<ICustomDocument2>> opened;
  ASSERT_EQ(S_OK, host::OpenSavedDocuments(*mHost.Get(), path, opened));
  ASSERT_EQ(1u, opened.size());
  mDocument = opened[0];
  mDoc.Attach(ZR::Doc::ZRDoc::FromHostDocument(static_cast<IHostDocument*>(mHost.Get())));
  ASSERT_NE(nullptr, mDoc.Get());
  EXPECT_EQ(L"1", Text(ZR::Doc::kSettingAnalysisType));
  EXPECT_EQ(L"12", Text(ZR::Doc::kSettingMinPeakWidthCAP));
  EXPECT_EQ(3, Figures(5)) << "the Table View's column format";
  EXPECT_TRUE(Flag(ZR::Doc::kSettingRegionStored)) << "the analysis was kept";
  EXPECT_EQ(3u, mData->Objects().Objects().size()) << "marker objects made in the new file";
  ASSERT_EQ(S_OK, SendAnalyze());
  EXPECT_EQ(rows, mDoc->GetCycleDetector()->EventsPerRecord());
  EXPECT_EQ(S_OK, host::SaveDocumentStreams(*mHost.Get(), path)) << "loaded documents are saved again";

  // A file of another layout or cut short opens nothing.
  std::vector<uint8_t> bytes;
  if (FILE* file = _wfopen(path.c_str(), L"rb")) {
    for (int c; (c = std::fgetc(file)) != EOF;) bytes.push_back(static_cast<uint8_t>(c));
    std::fclose(file);
  }
  mHost->CloseChildDocuments();
  for (const size_t cut : {size_t{3}, size_t{8}, bytes.size() - 1}) {
    if (FILE* file = _wfopen(path.c_str(), L"wb")) {
      std::fwrite(bytes.data(), 1, cut, file);
      std::fclose(file);
    }
    opened.clear();
    EXPECT_NE(S_OK, host::OpenSavedDocuments(*mHost.Get(), path, opened)) << cut;
  }
  _wremove(path.c_str());
  EXPECT_EQ(STG_E_FILENOTFOUND, host::OpenSavedDocuments(*mHost.Get(), path, opened));
}

}  // namespace
