// EnumTestConfig: what one enumerator self-check tests: the chain's formula text and the
// synthetic recording it runs over.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

namespace SelfCheck {

struct EnumTestConfig {
  // The default configuration: the host's formula enumerator class, no channel, "NOT SET".
  EnumTestConfig();
  // One source channel of signal at 1000 samples per second, the chain arithString,
  // numSamples samples per record, three records.
  EnumTestConfig(const std::wstring& signal, const std::wstring& arithString, int32_t numSamples);

  // The class that builds the chain from mArithString: the host's formula enumerator class.
  uint32_t mEnumID;
  // One signal formula of the time t per source channel, channel 1 first.
  std::vector<std::wstring> mChannelFormulas;
  // One value per source channel, beside mChannelFormulas; 0 in every configuration.
  std::vector<int32_t> mChannelParams;
  std::wstring mArithString;
  // Samples per channel in each record; the checks need more than 200.
  int32_t mNumSamples;
  bool mUseDocumentStart;
  // Records the bounce checks build.
  int32_t mNumRecords;
  // Formulas added as calculated channels before the chain is made; the first is "vch1".
  std::vector<std::wstring> mVirtualChannels;
  // One rate per source channel, in samples per second.
  std::vector<double> mSampleRates;
};

}  // namespace SelfCheck
