// ScrivoBuffer: a stretch of one channel's samples of a record, read from the host as floats.
#pragma once

#include "hostclient/ComPtr.h"

#include <unknwn.h>

#include <cstdint>
#include <vector>

struct IHostDataDocument;
struct ISampleSource;

namespace ZR::Doc {

class ScrivoBuffer {
 public:
  // The data document is referenced for the buffer's life; channel counts from 0.
  ScrivoBuffer(IHostDataDocument* data, int32_t channel);
  virtual ~ScrivoBuffer();
  ScrivoBuffer(const ScrivoBuffer&) = delete;
  ScrivoBuffer& operator=(const ScrivoBuffer&) = delete;

  // Fills out (its size is the count of ticks wanted) with the samples of record from tick
  // start on. Places before the record's start (a negative start) and past its end, and every
  // place when the host has no samples, are 0.0. False when the host gave no block.
  bool Fill(int32_t record, int32_t start, std::vector<float>& out);

  // The read flags of a sample block: the displayed channel, growing with the record.
  static constexpr uint32_t kReadFlags = 0xC0001000u;

 private:
  QOR::ComPtr<IHostDataDocument> mData;
  QOR::ComPtr<ISampleSource> mBlock;  // the block of the last read
  int32_t mChannel;
};

}  // namespace ZR::Doc
