// ZR::Doc::ZRDoc: the client of the host's analysis manager: registration with the settings
// stream, the analysed range, and the manager's requests to remove or redo the analysis.
#include "document/ZRDoc.h"

#include "document/DocumentStringIds.h"
#include "document/SettingIds.h"
#include "document/SettingsStore.h"
#include "hostclient/ModuleInstance.h"

namespace ZR::Doc {

namespace {

constexpr int32_t kPersistKind = 2;

}  // namespace

bool ZRDoc::DescribeAnalysisClient() {
  if (!FindManager(HostDataDocument())) return false;
  ComPtr<IAnalysisManager> manager;
  if (FAILED(QueryManagerInterface(IID_IAnalysisManager, manager))) return false;
  // The display name is loaded once per process.
  static const QOR::String displayName(GetModuleInstance(), IDS_ZR_CLIENT_NAME, true);
  int32_t clientId = -1;
  if (FAILED(manager->RegisterClient(L"Ondara", displayName.GetText(), &clientId))) return false;
  SetClientId(clientId);
  bool accepted = false;
  const VARIANT_BOOL loaded = mPersist.Loaded() ? VARIANT_TRUE : VARIANT_FALSE;
  for (const uint32_t request : {0u, 1u}) {
    ComPtr<IUnknown> object;
    if (GetPersistObject(request, kPersistKind, nullptr, object.Out()) != S_OK || !object) continue;
    if (manager->OfferPersistObject(clientId, static_cast<int32_t>(request), object.Get(), loaded) == S_OK)
      accepted = true;
  }
  return accepted;
}

bool ZRDoc::ManagerKnowsSettings() const noexcept { return mPersistRegistered || mPersist.Loaded(); }

bool ZRDoc::ManagerConfirms() {
  ComPtr<IAnalysisManager> manager;
  if (!ManagerKnowsSettings() || FAILED(QueryManagerInterface(IID_IAnalysisManager, manager))) return false;
  VARIANT_BOOL confirmed = VARIANT_FALSE;
  return SUCCEEDED(manager->ConfirmRequest(ClientId(), &confirmed)) && confirmed != VARIANT_FALSE;
}

void ZRDoc::GetAnalyzedRange(uint32_t argument) {
  ComPtr<IAnalysisManager> manager;
  if (!ManagerKnowsSettings() || FAILED(QueryManagerInterface(IID_IAnalysisManager, manager))) return;
  const SettingsStore& store = GetSettings();
  const ManagerPosition start{static_cast<int32_t>(store.GetLongValue(kSettingRegionStartTick)),
                              static_cast<int32_t>(store.GetLongValue(kSettingRegionStartRecord))};
  const ManagerPosition end{static_cast<int32_t>(store.GetLongValue(kSettingRegionEndTick)),
                            static_cast<int32_t>(store.GetLongValue(kSettingRegionEndRecord))};
  manager->ReportAnalyzedRange(ClientId(), argument, &start, &end);  // the answer changes nothing here
}

void ZRDoc::RemoveAnalysis(uint32_t) {
  if (!ManagerConfirms()) return;
  ClearAnalysis();
  DeleteHostMarkers();
}

void ZRDoc::ReanalyzeRequest(uint32_t) {
  if (ManagerConfirms()) Reanalyze();
}

void ZRDoc::RegisterWithAnalysisManager(uint32_t a, uint32_t b) {
  if (a != b || !mBroadcastPending) return;
  DescribeAnalysisClient();
  if (GetBool(kSettingRegionStored)) RunAnalysis(true, true);
  mBroadcastPending = false;
}

}  // namespace ZR::Doc
