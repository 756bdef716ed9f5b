// The event reader a drawer gets from the stand-in host: an event enumerator read a buffer at a
// time, with its type id as the class value; empty buffers before the end are read through.
#include "host/view/EventReader.h"

#include <gtest/gtest.h>

#include <cstring>
#include <vector>

namespace {

// Gives one event per Next (an empty answer first), ending at tick 100.
class TwoEvents final : public host::HostObject<IEnumEventEx> {
 public:
  HRESULT STDMETHODCALLTYPE Next(int32_t bytes, int32_t, void* buffer, int32_t* returned, int32_t* next) noexcept override {
    *returned = 0;
    if (bytes < 16) return E_INVALIDARG;
    ++calls;
    if (calls == 1) {
      *next = 10;
      return S_OK;
    }
    if (calls > 3) {
      *next = kEnumRecordEnd;
      return S_FALSE;
    }
    const int32_t tick = calls * 20;
    std::memset(buffer, 0, 16);
    std::memcpy(buffer, &tick, 4);
    *returned = 1;
    *next = tick + 1;
    return S_OK;
  }
  HRESULT STDMETHODCALLTYPE Find(int32_t, int32_t, int32_t, int32_t) noexcept override { return E_NOTIMPL; }
  HRESULT STDMETHODCALLTYPE GetPosition(int32_t*) noexcept override { return E_NOTIMPL; }
  HRESULT STDMETHODCALLTYPE Reserved6(void**) noexcept override { return E_NOTIMPL; }
  HRESULT STDMETHODCALLTYPE Clone(IEnumEventEx**) noexcept override { return E_NOTIMPL; }
  HRESULT STDMETHODCALLTYPE GetRecordSize(int32_t* bytes) noexcept override {
    *bytes = 16;
    return S_OK;
  }
  HRESULT STDMETHODCALLTYPE GetEventType(uint32_t* type) noexcept override {
    *type = 0x00070001;
    return S_OK;
  }
  HRESULT STDMETHODCALLTYPE Reserved10(void**) noexcept override { return E_NOTIMPL; }
  HRESULT STDMETHODCALLTYPE GetTimeBase(TimeBase*) noexcept override { return E_NOTIMPL; }
  int calls = 0;

 private:
  void* FindInterface(REFIID iid) override {
    return IsEqualIID(iid, IID_IUnknown) || IsEqualIID(iid, IID_IEnumEventEx) ? static_cast<IEnumEventEx*>(this)
                                                                               : nullptr;
  }
};

}  // namespace

TEST(EventReader, ReadsThroughEmptyAnswersAndEndsAtTheEnumeratorsEnd) {
  host::HostPtr<TwoEvents> events(new TwoEvents(), false);
  host::HostPtr<host::EventReader> reader(new host::EventReader(host::HostPtr<IEnumEventEx>(events.Get()), 3, 100),
                                          false);
  uint32_t value = 0;
  ASSERT_EQ(S_OK, reader->GetClassValue(&value));
  EXPECT_EQ(0x00070001u, value);
  int32_t record = 0;
  reader->GetRecord(&record);
  EXPECT_EQ(3, record);
  unsigned char buffer[64];
  int32_t size = 0, count = 0;
  EXPECT_EQ(E_INVALIDARG, reader->ReadEvents(8, buffer, &size, &count));
  std::vector<int32_t> ticks;
  while (reader->ReadEvents(sizeof(buffer), buffer, &size, &count) == S_OK) {
    ASSERT_EQ(16, size);
    ASSERT_EQ(1, count);
    int32_t tick = 0;
    std::memcpy(&tick, buffer, 4);
    ticks.push_back(tick);
  }
  EXPECT_EQ(std::vector<int32_t>({40, 60}), ticks);
  EXPECT_EQ(0, count);
  const int calls = events->calls;
  EXPECT_EQ(S_FALSE, reader->ReadEvents(sizeof(buffer), buffer, &size, &count));
  EXPECT_EQ(calls, events->calls);  // nothing is asked after the end
}
