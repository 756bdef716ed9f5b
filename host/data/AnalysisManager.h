// The stand-in host's analysis manager of one host document: the modules that registered to
// analyse its data, their settings streams and analysed ranges, and the answers to the requests
// the host hands them.
#pragma once

#include "host/common/HostObject.h"
#include "host/common/HostPtr.h"
#include "hostapi/AnalysisManager.h"

#include <cstdint>
#include <string>
#include <vector>

namespace host {

struct AnalysisClient {
  int32_t id = 0;
  std::wstring identifier;
  std::wstring displayName;
  HostPtr<IUnknown> persistObject;  // the settings stream the manager keeps, if offered
  bool loaded = false;
  bool hasRange = false;
  uint32_t rangeArgument = 0;
  ManagerPosition start{0, 0};
  ManagerPosition end{0, 0};
  int32_t changes = 0;    // AnalysisChanged calls
  bool confirm = false;   // the answer to the client's next ConfirmRequest
};

class AnalysisManagerObject final : public HostObject<IAnalysisManager> {
 public:
  static HostPtr<AnalysisManagerObject> Create();

  HRESULT STDMETHODCALLTYPE RegisterClient(const wchar_t* identifier, const wchar_t* displayName,
                                           int32_t* clientId) noexcept override;
  HRESULT STDMETHODCALLTYPE AnalysisChanged(int32_t clientId) noexcept override;
  // Keeps the first object offered per client; a null object is refused (S_FALSE).
  HRESULT STDMETHODCALLTYPE OfferPersistObject(int32_t clientId, int32_t request, IUnknown* object,
                                               VARIANT_BOOL loaded) noexcept override;
  HRESULT STDMETHODCALLTYPE ReportAnalyzedRange(int32_t clientId, uint32_t argument, const ManagerPosition* start,
                                                const ManagerPosition* end) noexcept override;
  // Answers the client's confirm flag once, then clears it.
  HRESULT STDMETHODCALLTYPE ConfirmRequest(int32_t clientId, VARIANT_BOOL* confirmed) noexcept override;
  // The stand-in follows every registered client.
  HRESULT STDMETHODCALLTYPE IsFollowingClient(int32_t clientId, VARIANT_BOOL* follows) noexcept override;

  const std::vector<AnalysisClient>& Clients() const noexcept { return mClients; }
  // Sets every client's answer to the next request.
  void SetConfirm(bool confirm) noexcept;
  // Lets go of every client's settings stream (the documents close).
  void ForgetStreams() noexcept;

 private:
  AnalysisManagerObject() = default;
  void* FindInterface(REFIID iid) override;
  AnalysisClient* Find(int32_t clientId) noexcept;

  std::vector<AnalysisClient> mClients;
};

// The type id of the manager among a container's children (0 when the framework is missing).
uint32_t AnalysisManagerTypeId() noexcept;
// The id of a manager notification of that number.
uint32_t AnalysisManagerEventId(uint16_t number) noexcept;

}  // namespace host
