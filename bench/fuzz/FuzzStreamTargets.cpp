// The fuzz targets over the binary storage format: bare streams read value by value, the
// analysis settings store read from its stream form, the table's column state and its cell formats; and the formulas the expression builder
// writes from the settings, as formula seeds.
#include "bench/fuzz/FuzzTargets.h"

#include "base/StorageBinIStreamLite.h"
#include "base/StorageBinOStreamLite.h"
#include "base/XQOR.h"
#include "document/ExpressionBuilder.h"
#include "document/ParamCatalogue.h"
#include "document/SettingIds.h"
#include "document/SettingsStore.h"
#include "document/TableColumnRecord.h"
#include "document/ZRSetting.h"
#include "grid/ITableViewManager.h"
#include "host/common/HostPtr.h"
#include "host/common/MessageText.h"

#include <objbase.h>

#include <functional>
#include <memory>
#include <stdexcept>

namespace fuzz {

namespace {

// An IStream in memory holding bytes, read from its start.
host::HostPtr<IStream> StreamOf(const std::string& bytes) {
  host::HostPtr<IStream> stream;
  if (FAILED(CreateStreamOnHGlobal(nullptr, TRUE, stream.Out()))) throw std::bad_alloc();
  ULONG written = 0;
  if (!bytes.empty()) stream->Write(bytes.data(), static_cast<ULONG>(bytes.size()), &written);
  const LARGE_INTEGER zero{};
  stream->Seek(zero, STREAM_SEEK_SET, nullptr);
  return stream;
}

std::string BytesOf(const std::function<void(IBinOutStream&)>& write) {
  host::HostPtr<IStream> stream = StreamOf("");
  {
    QOR::StorageBinOStreamLite out(stream.Get());
    write(out);
  }
  STATSTG stat{};
  stream->Stat(&stat, STATFLAG_NONAME);
  std::string bytes(static_cast<size_t>(stat.cbSize.QuadPart), '\0');
  const LARGE_INTEGER zero{};
  stream->Seek(zero, STREAM_SEEK_SET, nullptr);
  ULONG read = 0;
  if (!bytes.empty()) stream->Read(&bytes[0], static_cast<ULONG>(bytes.size()), &read);
  return bytes;
}

// The bare stream: each value is announced by a byte that says its kind (0 a word, 1 a double,
// 2 a string, 3 a 64-bit word, 4 a float, 5 a short), so that mutations can reach every reader.
enum ValueKind : uint8_t { kWord, kDouble, kText, kWide, kFloat, kShort, kKinds };

// True when the stream ends cleanly before a kind byte; false when a value is cut short or corrupt.
bool ReadAnnounced(IBinInStream& in) {
  for (int i = 0; i < 256; ++i) {
    uint8_t kind = 0;
    if (in.ReadByte(&kind) != S_OK) return true;
    int32_t word = 0;
    double number = 0.0;
    int64_t wide = 0;
    float single = 0.0f;
    int16_t half = 0;
    switch (kind % kKinds) {
      case kWord: in.ReadInt32(&word); break;
      case kDouble: in.ReadDouble(&number); break;
      case kText: {
        host::HostPtr<QOR::IQORString> text;
        in.ReadString(text.Out());
        break;
      }
      case kWide: in.ReadInt64(&wide); break;
      case kFloat: in.ReadFloat(&single); break;
      default: in.ReadShort(&half);
    }
    if (in.GetStatus() != S_OK) return false;
  }
  return true;
}

const ZR::Doc::ParamCatalogue& Catalogue() {
  static std::unique_ptr<ZR::Doc::ParamCatalogue> catalogue;
  if (!catalogue) ZR::Doc::BuildParamCatalogue(catalogue);
  return *catalogue;
}

// A store for an analysis type and detection method, with two channel groups.
std::unique_ptr<ZR::Doc::SettingsStore> StoreFor(int type, int method) {
  auto store = std::make_unique<ZR::Doc::SettingsStore>(&Catalogue());
  store->GetOrCreateGroup(0, -1, nullptr);
  store->GetOrCreateGroup(2, -1, nullptr);
  if (ZR::Doc::ZRSetting* setting = store->FindSetting(ZR::Doc::kSettingAnalysisType))
    setting->FromText(std::to_wstring(type).c_str(), true);
  if (ZR::Doc::ZRSetting* setting = store->FindSetting(ZR::Doc::kSettingStimulusMethod))
    setting->FromText(std::to_wstring(method).c_str(), true);
  return store;
}

}  // namespace

std::vector<std::string> BuilderFormulas() {
  std::vector<std::string> formulas;
  for (int type = 0; type <= 5; ++type) {
    for (int method = 2; method <= 5; ++method) {
      const std::unique_ptr<ZR::Doc::SettingsStore> store = StoreFor(type, method);
      ZR::ExpressionBuilder builder(*store, nullptr);
      std::wstring text;
      builder.WriteDetectorChain(text);
      builder.WriteERPeakDetChain(text);
      formulas.push_back(host::Utf8FromWide(text));
      builder.WriteCalculationChain(text);
      formulas.push_back(host::Utf8FromWide(text));
      builder.WriteSelector(text, 10);
      formulas.push_back(host::Utf8FromWide(text));
    }
  }
  return formulas;
}

Target MakeStreamTarget() {
  Target target;
  target.name = "stream";
  target.seeds.push_back(BytesOf([](IBinOutStream& out) {
    out.WriteByte(kWord);
    out.WriteLong(347);
    out.WriteByte(kText);
    out.WriteString(QOR::String(L"Vm").GetInterface());
    out.WriteByte(kDouble);
    out.WriteDouble(0.5);
    out.WriteByte(kWide);
    out.WriteInt64(-1);
    out.WriteByte(kFloat);
    out.WriteFloat(2.5f);
    out.WriteByte(kShort);
    out.WriteShort(-3);
    out.WriteByte(kText);
    out.WriteString(QOR::String(L"").GetInterface());
  }));
  target.seeds.push_back(std::string("\x02\x05\x00\x00\x00hello\x02\x01\x00\x00\x80\x02\x00\x00\x00\xFE\xFF\xFF\xFF" "a\0b\0", 27));
  for (const char* word : {"\xAA\xAA\x14\x55", "\x01\x00\x00\x80", "\xFF\xFF\xFF\x7F", "\x00\x00\x00\x80", "\x00\x01\x00\x00",
                           "\xFF\xFF\xFF\xFF", "\x02", "\x00"})
    target.words.words.push_back(word);
  target.run = [](const std::string& input) {
    host::HostPtr<IStream> stream = StreamOf(input);
    QOR::StorageBinIStreamLite in(stream.Get());
    try {
      return ReadAnnounced(in);
    } catch (const XQOR&) {
      return false;  // a corrupt string, refused before anything was allocated
    }
  };
  return target;
}

Target MakeSettingsTarget() {
  Target target;
  target.name = "settings";
  for (const auto& [type, method] : {std::pair<int, int>{1, 2}, {3, 3}, {4, 4}, {0, 5}}) {
    const std::unique_ptr<ZR::Doc::SettingsStore> store = StoreFor(type, method);
    target.seeds.push_back(BytesOf([&](IBinOutStream& out) { store->Write(out); }));
  }
  for (const char* word : {"\x5B\x01\x00\x00", "\x09\x03\x00\x00", "\xFF\xFF\xFF\x7F", "\x00\x00\x00\x80", "\x01\x00\x00\x00",
                           "\xD0\x07\x00\x00", "\xE8\x03\x00\x00", "px 1 3", "-1e308", "nan"})
    target.words.words.push_back(word);
  target.run = [](const std::string& input) {
    host::HostPtr<IStream> stream = StreamOf(input);
    QOR::StorageBinIStreamLite in(stream.Get());
    ZR::Doc::SettingsStore store(&Catalogue());
    try {
      store.Read(in);
    } catch (const XQOR&) {
      return false;  // a damaged stream, refused with nothing applied
    }
    if (in.GetStatus() != S_OK) return false;
    BytesOf([&](IBinOutStream& out) { store.Write(out); });  // what was read writes back
    return true;
  };
  return target;
}

namespace {

// A record by its words: version, n, the map, the widths (version 2 only), end marker.
std::string ColumnRecord(std::initializer_list<long> words) {
  return BytesOf([&](IBinOutStream& out) {
    for (const long word : words) out.WriteLong(word);
  });
}

}  // namespace

Target MakeColumnStateTarget() {
  Target target;
  target.name = "columns";
  target.seeds.push_back(ColumnRecord({2, 3, 0, 2, 1, 210, 60, 110, 1337}));
  target.seeds.push_back(ColumnRecord({1, 2, 0, 1, 1337}));
  target.seeds.push_back(ColumnRecord({2, 0, 1337}));
  for (const char* word : {"\x39\x05\x00\x00", "\x02\x00\x00\x00", "\x03\x00\x00\x00", "\x00\x10\x00\x00",
                           "\xFF\xFF\xFF\x7F", "\x00\x00\x00\x80", "\xFF\xFF\xFF\xFF"})
    target.words.words.push_back(word);
  target.run = [](const std::string& input) {
    host::HostPtr<ITableViewManager> manager;
    if (FAILED(CreateTableViewManager(manager.Out()))) throw std::bad_alloc();
    host::HostPtr<IStream> stream = StreamOf(input);
    QOR::StorageBinIStreamLite in(stream.Get());
    if (manager->LoadColumnState(0, &in) != S_OK) return false;
    BytesOf([&](IBinOutStream& out) { manager->SaveColumnState(0, &out); });  // what was read writes back
    return true;
  };
  return target;
}

Target MakeCellFormatTarget() {
  Target target;
  target.name = "formats";
  target.seeds.push_back(ColumnRecord({-1, 2, 5, 1, 3, 5, 12, 1, 6, 12, -1, -1}));
  target.seeds.push_back(ColumnRecord({-1, 2, -1, -1}));
  target.seeds.push_back(ColumnRecord({2, 7, 8, 2}));
  for (const char* word : {"\xFF\xFF\xFF\xFF", "\x02\x00\x00\x00", "\x3A\x00\x00\x00", "\x3B\x00\x00\x00",
                           "\x11\x00\x00\x00", "\xFF\xFF\xFF\x7F", "\x00\x00\x00\x80"})
    target.words.words.push_back(word);
  target.run = [](const std::string& input) {
    ZR::CellFormatMap formats;
    host::HostPtr<IStream> stream = StreamOf(input);
    QOR::StorageBinIStreamLite in(stream.Get());
    const bool read = ZR::LoadColumnRecord(in, formats);
    for (const auto& [key, format] : formats)
      if (key < 0 || key > 58 || format.significantFigures < ZR::kMinSignificantFigures ||
          format.significantFigures > ZR::kMaxSignificantFigures || format.measurementIndex < 0 ||
          format.measurementIndex > 58)
        throw std::logic_error("a stored cell format is out of range");
    if (read) BytesOf([&](IBinOutStream& out) { ZR::SaveColumnRecord(out, formats); });
    return read;
  };
  return target;
}

}  // namespace fuzz
