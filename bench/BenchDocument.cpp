// The analysis document the benchmark runs over a recording.
#include "bench/BenchDocument.h"

#include "document/SettingIds.h"
#include "enumerators/classlist/EnumeratorClassList.h"
#include "host/app/HostFramework.h"
#include "host/formula/FormulaEnumClass.h"
#include "host/data/CustomDocuments.h"
#include "hostclient/ClassRegistration.h"
#include "hostclient/FrameworkAccess.h"

namespace bench {

bool RegisterDocumentClasses() {
  static bool registered = false;
  if (registered) return true;
  if (FAILED(ondara_host::EnsureHostFramework())) return false;
  IClassRegistry* const registry = ObjectFactoryAccessor::Get();
  CalcEnums::RegisterEnumeratorClasses(registry);
  host::RegisterFormulaEnumClass(registry, GetTypeRegistry());
  RegisterNewClassObject(registry, ZR::Doc::NewDocumentClass());
  registered = true;
  return true;
}

BenchDocument::BenchDocument(host::Recording recording, bool whileSampling) {
  data = host::DataDocument::Create(std::move(recording));
  hostDocument = host::HostDocument::Create(data);
  host::HostPtr<ICustomDocument2> document;
  host::OpenCustomDocument(*hostDocument.Get(), L"Ondara Document", 0, document);
  doc.Attach(ZR::Doc::ZRDoc::FromHostDocument(static_cast<IHostDocument*>(hostDocument.Get())));
  if (!doc) return;
  doc->SetSettingText(ZR::Doc::NumberOf(ZR::Doc::kSettingAnalysisType), L"1");
  doc->SetSettingText(ZR::Doc::NumberOf(ZR::Doc::kSettingPeakWidthFilter), L"f");
  doc->SetSettingText(ZR::Doc::NumberOf(ZR::Doc::kSettingMinPeakWidthCAP), L"10");
  if (whileSampling) doc->SetSettingText(ZR::Doc::NumberOf(ZR::Doc::kSettingWhileSampling), L"t");
}

BenchDocument::~BenchDocument() { hostDocument->CloseChildDocuments(); }

}  // namespace bench
