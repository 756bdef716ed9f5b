// The host side of the shared result cache: finding the data file, its child and its channels' objects.
#include "enumerators/sharedcache/SharedCacheCoordinator.h"

#include "hostapi/DataDocument.h"
#include "hostapi/DataFile.h"

namespace EEH {

IUnknown* DataFileOf(IUnknown* hostObject) noexcept {
  if (!hostObject) return nullptr;
  ComPtr<IHostDataFile> file;
  if (FAILED(hostObject->QueryInterface(IID_IHostDataFile, file.OutVoid())) || !file) return nullptr;
  // The file outlives what it keeps: the pointer is held without a reference.
  return file.Get();
}

bool ChannelHasNoOwnObject(IUnknown* dataFile, int32_t channel) noexcept {
  ComPtr<IHostDataDocument> document;
  if (!dataFile || FAILED(dataFile->QueryInterface(IID_IHostDataDocument, document.OutVoid())) || !document)
    return true;
  ComPtr<IUnknown> calculation;
  const HRESULT hr =
      document->GetChannelSource(channel, kChannelRequestCalculated, 0, 0, kRecordEndOffset, calculation.Out());
  return hr != S_OK || !calculation;
}

// Kind 2 (recorded samples) or kind 4 without bit 0x20000000 (a calculation's settings): caches reading the
// channel as recorded data. Any other change: caches reading it marked, or reading a channel without an object
// of its own.
bool ChannelChangeConcerns(IUnknown* dataFile, const std::vector<CacheSource>& sources, int32_t channel,
                           uint32_t flags) noexcept {
  const uint32_t kind = flags & 0xFFu;
  const bool recordedOnly = kind == 2 || (kind == 4 && (flags & 0x20000000u) == 0);
  for (const CacheSource& source : sources) {
    if (source.channel != channel) continue;
    if (recordedOnly ? !source.marked : source.marked || ChannelHasNoOwnObject(dataFile, channel)) return true;
  }
  return false;
}

ComPtr<IScrivoDataChildData> FindOrAddChild(IUnknown* dataFile, uint32_t typeId,
                                            IScrivoDataChildData* (*create)(IUnknown* dataFile)) {
  ComPtr<IScrivoDataChildData> child;
  ComPtr<IHostDataFile> file;
  if (!dataFile || FAILED(dataFile->QueryInterface(IID_IHostDataFile, file.OutVoid())) || !file) return child;
  const HRESULT found = file->FindChildData(0, typeId, child.Out());
  if (found == S_OK && child) return child;
  child.Reset();
  // A failed lookup may hide a child the file keeps: adding one could make a second.
  if (FAILED(found)) return child;
  ComPtr<IScrivoDataChildData> made(create(dataFile));
  if (FAILED(file->AddChildData(0, made.Get()))) return child;
  return made;
}

}  // namespace EEH
