// The registry of benchmark chains.
#include "bench/BenchChain.h"

#include <cstdio>
#include <cstring>

#include "base/String.h"
#include "host/data/ChannelSampleSource.h"

namespace bench {

namespace {

struct Entry {
  const char* name;
  ChainBuilder builder;
};

// Function-local so registrars in other files may run first.
Entry* Entries(size_t*& count) noexcept {
  static Entry entries[16];
  static size_t used = 0;
  count = &used;
  return entries;
}

}  // namespace

ChainRegistrar::ChainRegistrar(const char* name, ChainBuilder builder) noexcept {
  size_t* count = nullptr;
  Entry* const entries = Entries(count);
  if (*count < 16) entries[(*count)++] = Entry{name, builder};
}

ChainBuilder FindChain(const char* name) noexcept {
  size_t* count = nullptr;
  Entry* const entries = Entries(count);
  for (size_t i = 0; i < *count; ++i) {
    if (std::strcmp(entries[i].name, name) == 0) return entries[i].builder;
  }
  return nullptr;
}

void ListChains(char* text, size_t size) noexcept {
  size_t* count = nullptr;
  Entry* const entries = Entries(count);
  if (size == 0) return;
  text[0] = '\0';
  for (size_t i = 0; i < *count; ++i) {
    const size_t used = std::strlen(text);
    std::snprintf(text + used, size - used, "%s%s", i ? " " : "", entries[i].name);
  }
}

HRESULT NewChannelCursor(const std::shared_ptr<host::ChannelRecord>& channel, ComPtr<IUnknown>& cursor) {
  ComPtr<ISampleSource> source;
  const HRESULT hr = host::CreateChannelSampleSource(channel, 0, 0x7FFFFFFF, source.Out());
  if (FAILED(hr)) return hr;
  cursor.Attach(source.Detach());
  return S_OK;
}

HRESULT ConnectStage(ICalcEnum* stage, const std::shared_ptr<host::ChannelRecord>& channel, double tickPeriod,
                     const wchar_t* settings, IUnknown* inner) {
  uint32_t kind = 0;
  HRESULT hr = stage->LoadSettings(QOR::String(settings).GetInterface(), &kind);
  if (FAILED(hr)) return hr;
  ComPtr<IUnknown> cursor;
  hr = NewChannelCursor(channel, cursor);
  if (FAILED(hr)) return hr;
  IUnknown* sources[] = {cursor.Get(), inner};
  return stage->SetSources(0, inner ? 2 : 1, sources, nullptr, tickPeriod, 0);
}

}  // namespace bench
