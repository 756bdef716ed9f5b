// What the document tests share: the framework registered the host's way and stand-in data files.
#pragma once

#include "host/app/HostFramework.h"
#include "host/data/DataDocument.h"

#include <gtest/gtest.h>

#include <utility>

namespace doctest {

// Registers the framework before any suite asks for the child data's type id.
class DocumentTest : public testing::Test {
 protected:
  static void SetUpTestSuite() { ASSERT_EQ(S_OK, ondara_host::EnsureHostFramework()); }
};

// A stand-in data file with one 1 kHz record of 100 ticks over one channel.
inline host::HostPtr<host::DataDocument> MakeDataFile() {
  host::Recording recording;
  recording.channels.push_back(host::ChannelInfo{L"Vm", L"mV", L""});
  recording.records.push_back(host::MakeEmptyRecord(1, 0.001, true));
  return host::DataDocument::Create(std::move(recording));
}

inline IUnknown* AsFile(host::DataDocument* file) { return static_cast<IHostDataFile*>(file); }

}  // namespace doctest
