// EnumTestConfig: its two starting points.
#include "selfcheck/EnumTestConfig.h"

#include "hostclient/ClassGuids.h"

namespace SelfCheck {

EnumTestConfig::EnumTestConfig()
    : mEnumID(GetEventTypeId()),
      mArithString(L"NOT SET"),
      mNumSamples(26123),
      mUseDocumentStart(false),
      mNumRecords(3) {}

EnumTestConfig::EnumTestConfig(const std::wstring& signal, const std::wstring& arithString, int32_t numSamples)
    : mEnumID(GetEventTypeId()),
      mChannelFormulas{signal},
      mChannelParams{0},
      mArithString(arithString),
      mNumSamples(numSamples),
      mUseDocumentStart(false),
      mNumRecords(3),
      mSampleRates{1000.0} {}

}  // namespace SelfCheck
