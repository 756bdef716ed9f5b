// The documents' streams file: writing it from the registered documents, opening documents
// from it.
#include "host/data/DocumentStreams.h"

#include "host/data/CustomDocuments.h"
#include "wholefile/ReplacingFile.h"

#include <objbase.h>
#include <ocidl.h>

#include <string_view>

namespace host {

namespace {

// Sanity bounds: no data file keeps more documents, no class name is longer.
constexpr uint32_t kMaxDocuments = 256;
constexpr uint32_t kMaxNameUnits = 1024;

void PutWord(std::vector<uint8_t>& bytes, uint32_t word) {
  for (int i = 0; i < 4; ++i) bytes.push_back(static_cast<uint8_t>(word >> (8 * i)));
}

// The bytes the document's persistence object saves.
HRESULT SavedBytes(IUnknown* document, std::vector<uint8_t>& bytes) {
  auto custom = HostPtr<IUnknown>(document).As<ICustomDocument>(IID_ICustomDocument);
  IUnknown* reserved = nullptr;
  HostPtr<IUnknown> answered;
  if (!custom || custom->GetPersistObject(0, 2, &reserved, answered.Out()) != S_OK) return E_NOINTERFACE;
  auto object = answered.As<IPersistStreamInit>(IID_IPersistStreamInit);
  HostPtr<IStream> stream;
  if (!object) return E_NOINTERFACE;
  if (FAILED(CreateStreamOnHGlobal(nullptr, TRUE, stream.Out()))) return E_OUTOFMEMORY;
  HRESULT hr = object->Save(stream.Get(), TRUE);
  if (FAILED(hr)) return hr;
  ULARGE_INTEGER size{};
  const LARGE_INTEGER start{};
  hr = stream->Seek(start, STREAM_SEEK_END, &size);
  if (SUCCEEDED(hr)) hr = stream->Seek(start, STREAM_SEEK_SET, nullptr);
  if (FAILED(hr)) return hr;
  bytes.resize(static_cast<size_t>(size.QuadPart));
  ULONG read = 0;
  hr = stream->Read(bytes.data(), static_cast<ULONG>(bytes.size()), &read);
  return SUCCEEDED(hr) && read == bytes.size() ? S_OK : STG_E_READFAULT;
}

// Reads from a file's bytes, refusing to go past their end.
class Reader {
 public:
  explicit Reader(const std::vector<uint8_t>& bytes) : mBytes(bytes) {}
  bool Word(uint32_t& word) {
    if (mBytes.size() - mAt < 4) return false;
    word = 0;
    for (int i = 0; i < 4; ++i) word |= static_cast<uint32_t>(mBytes[mAt++]) << (8 * i);
    return true;
  }
  bool Bytes(size_t count, const uint8_t*& start) {
    if (mBytes.size() - mAt < count) return false;
    start = mBytes.data() + mAt;
    mAt += count;
    return true;
  }
  bool AtEnd() const { return mAt == mBytes.size(); }

 private:
  const std::vector<uint8_t>& mBytes;
  size_t mAt = 0;
};

// Opened so that a run saving the file meanwhile may replace it: this reading keeps the old one.
bool ReadWholeFile(const std::wstring& path, std::vector<uint8_t>& bytes) {
  HANDLE const file = CreateFileW(path.c_str(), GENERIC_READ, FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE,
                                  nullptr, OPEN_EXISTING, FILE_ATTRIBUTE_NORMAL, nullptr);
  if (file == INVALID_HANDLE_VALUE) return false;
  uint8_t block[4096];
  DWORD got = 0;
  bool read = true;
  while ((read = ::ReadFile(file, block, sizeof block, &got, nullptr) != FALSE) && got > 0)
    bytes.insert(bytes.end(), block, block + got);
  CloseHandle(file);
  return read;
}

}  // namespace

HRESULT SaveDocumentStreams(HostDocument& hostDocument, const std::wstring& path) {
  try {
    const std::vector<HostDocument::PersistentChild> children = hostDocument.PersistentChildren();
    std::vector<uint8_t> bytes;
    PutWord(bytes, kDocumentStreamsMagic);
    PutWord(bytes, kDocumentStreamsVersion);
    PutWord(bytes, static_cast<uint32_t>(children.size()));
    for (const HostDocument::PersistentChild& child : children) {
      const std::wstring name = DocumentClassName(child.typeId);
      std::vector<uint8_t> stream;
      const HRESULT hr = SavedBytes(child.document.Get(), stream);
      if (FAILED(hr)) return hr;
      PutWord(bytes, static_cast<uint32_t>(name.size()));
      for (const wchar_t unit : name) bytes.insert(bytes.end(), {static_cast<uint8_t>(unit), static_cast<uint8_t>(unit >> 8)});
      PutWord(bytes, static_cast<uint32_t>(stream.size()));
      bytes.insert(bytes.end(), stream.begin(), stream.end());
    }
    const HRESULT written =
        WholeFile::WriteBytesReplacing(path, std::string_view(reinterpret_cast<const char*>(bytes.data()), bytes.size()));
    return SUCCEEDED(written) ? S_OK : written;
  } catch (...) {
    return E_OUTOFMEMORY;
  }
}

namespace {

// The file's head: the magic, the layout's version (files from before it had one have none) and
// the document count; words says so when the version is not this build's.
HRESULT ReadHead(Reader& reader, uint32_t& count, std::wstring& words) {
  uint32_t magic = 0;
  uint32_t version = kDocumentStreamsVersion;
  if (!reader.Word(magic) || (magic != kDocumentStreamsMagic && magic != kUnversionedDocumentStreamsMagic) ||
      (magic == kDocumentStreamsMagic && !reader.Word(version)))
    return STG_E_DOCFILECORRUPT;
  if (version != kDocumentStreamsVersion) {
    words = L"it is of unknown version " + std::to_wstring(static_cast<int32_t>(version));
    return STG_E_DOCFILECORRUPT;
  }
  return reader.Word(count) && count <= kMaxDocuments ? S_OK : STG_E_DOCFILECORRUPT;
}

// The documents of the file; words gets what a document's stream was refused for.
HRESULT OpenStreams(HostDocument& hostDocument, const std::wstring& path,
                    std::vector<HostPtr<ICustomDocument2>>& documents, std::wstring& words) {
  try {
    std::vector<uint8_t> bytes;
    if (!ReadWholeFile(path, bytes)) return STG_E_FILENOTFOUND;
    Reader reader(bytes);
    uint32_t count = 0;
    const HRESULT head = ReadHead(reader, count, words);
    if (FAILED(head)) return head;
    for (uint32_t i = 0; i < count; ++i) {
      uint32_t units = 0;
      uint32_t size = 0;
      const uint8_t* name = nullptr;
      const uint8_t* stream = nullptr;
      if (!reader.Word(units) || units > kMaxNameUnits || !reader.Bytes(units * 2u, name) || !reader.Word(size) ||
          !reader.Bytes(size, stream))
        return STG_E_DOCFILECORRUPT;
      std::wstring className(units, L'\0');
      for (uint32_t u = 0; u < units; ++u) className[u] = static_cast<wchar_t>(name[2 * u] | (name[2 * u + 1] << 8));
      HostPtr<IStream> saved;
      if (FAILED(CreateStreamOnHGlobal(nullptr, TRUE, saved.Out()))) return E_OUTOFMEMORY;
      const LARGE_INTEGER start{};
      if (FAILED(saved->Write(stream, size, nullptr)) || FAILED(saved->Seek(start, STREAM_SEEK_SET, nullptr)))
        return E_OUTOFMEMORY;
      HostPtr<ICustomDocument2> document;
      const HRESULT hr = OpenCustomDocument(hostDocument, className, 0, document, saved.Get(), &words);
      if (FAILED(hr)) return hr;
      documents.push_back(document);
    }
    return reader.AtEnd() ? S_OK : STG_E_DOCFILECORRUPT;
  } catch (...) {
    return E_OUTOFMEMORY;
  }
}

}  // namespace

HRESULT OpenSavedDocuments(HostDocument& hostDocument, const std::wstring& path,
                           std::vector<HostPtr<ICustomDocument2>>& documents, std::wstring* refusal) {
  std::wstring words;
  const HRESULT hr = OpenStreams(hostDocument, path, documents, words);
  if (FAILED(hr) && refusal) {
    *refusal = !words.empty()                   ? words
               : hr == STG_E_FILENOTFOUND       ? L"it cannot be read"
               : hr == STG_E_DOCFILECORRUPT     ? L"it is not a documents file, or it is cut short or damaged"
               : hr == CLASS_E_CLASSNOTAVAILABLE ? L"it keeps a document of a class no module registered"
                                                 : L"its document refused its settings";
  }
  return hr;
}

}  // namespace host