// The stand-in host as the self-checks meet it: the framework (with the host's own classes), the
// module's enumerator classes and the formula enumerator class, registered once per test program.
#pragma once

#include <gtest/gtest.h>

#include "enumerators/classlist/EnumeratorClassList.h"
#include "host/app/HostFramework.h"
#include "host/formula/FormulaEnumClass.h"
#include "hostapi/DataDocument.h"
#include "hostapi/RecordData.h"
#include "hostclient/ComPtr.h"
#include "hostclient/FrameworkAccess.h"

#include <vector>

namespace selfcheck_host {

inline void Register() {
  static bool done = false;
  if (done) return;
  ASSERT_EQ(S_OK, ondara_host::EnsureHostFramework());
  CalcEnums::RegisterEnumeratorClasses(ObjectFactoryAccessor::Get());
  ASSERT_EQ(S_OK, host::RegisterFormulaEnumClassWithFramework(nullptr));
  done = true;
}

// The samples of a channel in a record as the document shows them ("chN").
inline std::vector<float> ChannelSamples(IUnknown* document, int32_t channel, int32_t record) {
  QOR::ComPtr<IHostDataDocument> data;
  EXPECT_EQ(S_OK, document->QueryInterface(IID_IHostDataDocument, data.OutVoid()));
  int32_t length = 0;
  EXPECT_EQ(S_OK, data->GetRecordLength(record, &length));
  QOR::ComPtr<IUnknown> source;
  EXPECT_EQ(S_OK, data->GetChannelSource(channel, kChannelRequestDisplayed | kChannelRequestSource, record, 0,
                                         0x7FFFFFFF, source.Out()));
  QOR::ComPtr<ISampleSource> samples;
  EXPECT_EQ(S_OK, source->QueryInterface(IID_ISampleSource, samples.OutVoid()));
  std::vector<float> values(static_cast<size_t>(length));
  int32_t read = 0;
  if (length > 0) {
    EXPECT_EQ(S_OK, samples->Read(length, values.data(), &read));
  }
  values.resize(static_cast<size_t>(read));
  return values;
}

inline int32_t RecordCount(IUnknown* document) {
  QOR::ComPtr<IHostDataDocument> data;
  EXPECT_EQ(S_OK, document->QueryInterface(IID_IHostDataDocument, data.OutVoid()));
  int32_t count = -1;
  data->GetRecordCount(&count);
  return count;
}

}  // namespace selfcheck_host
