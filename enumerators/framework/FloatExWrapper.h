// The channel reader: a channel's float samples read from the host sample source in blocks of 1024.
#pragma once

#include <cstdint>
#include <vector>

#include "enumerators/framework/SourceEnum.h"
#include "hostapi/SampleSource.h"
#include "hostclient/ComPtr.h"

namespace EEH3 {

class FloatExWrapper final : public eeh_SourceEnum {
 public:
  static constexpr int32_t kBlockSamples = 1024;

  // Takes the sample source from wrapped by QueryInterface; without one the reader has no samples and is at its end.
  explicit FloatExWrapper(IUnknown* wrapped);

  int32_t Position() override;
  bool Advance() override;
  void SeekTo(int32_t tick) override;
  void SetStartTick(int32_t tick) override;
  void GetTimeBase(TimeBase* timeBase) override;
  void ResetBuffer() override;

  bool HasSource() const noexcept { return static_cast<bool>(mSource); }
  // The current sample (valid after a true Ready).
  const float& Value() const noexcept { return mBuffer[index]; }

  // Block access for kernels: after a true Ready, the buffered samples from the current one on (count >= 1),
  // starting at tick Position(); Skip moves past n of them (n <= count).
  const float* Block(int32_t& blockCount) const noexcept {
    blockCount = static_cast<int32_t>(count - index);
    return mBuffer.data() + index;
  }
  int32_t BlockStartTick() const noexcept { return mBufferStart + static_cast<int32_t>(index); }
  void Skip(int32_t n) noexcept { index += static_cast<uint32_t>(n); }

 private:
  ComPtr<IUnknown> mWrapped;
  ComPtr<ISampleSource> mSource;
  std::vector<float> mBuffer;
  int32_t mBufferStart = 0;
};

}  // namespace EEH3
