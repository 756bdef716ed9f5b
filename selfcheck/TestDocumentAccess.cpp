// The host's test documents: the class object kept for the process, documents made per check.
#include "selfcheck/TestDocumentAccess.h"

#include "base/String.h"
#include "enumerators/framework/HostCalculation.h"
#include "hostapi/DataFile.h"
#include "hostapi/DataObjects.h"
#include "hostapi/PXDetectionSettings.h"
#include "hostapi/TestDocument.h"
#include "hostclient/CachedService.h"
#include "hostclient/ClassGuids.h"
#include "hostclient/FrameworkAccess.h"
#include "hostclient/HostChildObject.h"
#include "hostclient/TypeIds.h"
#include "selfcheck/CheckAssert.h"

namespace SelfCheck {

namespace {

constexpr char kFile[] = "TestStandardRoutines";
constexpr int32_t kLineChannelObject = 64;
constexpr int32_t kLineDetectionSettings = 80;
constexpr int32_t kLineDetectionValue = 81;
constexpr int32_t kLineDetectorFormula = 82;
// A channel given as a reference text, not as a source object.
constexpr uint32_t kChannelReferenceKind = 0xC0000000u;

HRESULT FetchTestDocumentClass(void** out) {
  *out = nullptr;
  IClassRegistry* const registry = ObjectFactoryAccessor::Get();
  if (!registry) return E_FAIL;
  return registry->GetClassObject(TypeIdClass<&kTestDocumentClassGuid, 0>::Id(), IID_IGenericClassObject, out);
}

// Kept without a reference, like every framework service: the class outlives the module.
IGenericClassObject* TestDocumentClass() noexcept {
  static QOR::CachedService service(&FetchTestDocumentClass, nullptr);
  return static_cast<IGenericClassObject*>(service.Get());
}

}  // namespace

HRESULT GetTestObjectFactory(IHostRecordData** document) noexcept {
  if (!document) return E_POINTER;
  *document = nullptr;
  IGenericClassObject* const documentClass = TestDocumentClass();
  if (!documentClass) return S_FALSE;
  const HRESULT hr = documentClass->CreateObject(nullptr, IID_IHostRecordData, reinterpret_cast<void**>(document));
  if (FAILED(hr)) *document = nullptr;
  return hr;
}

QOR::ComPtr<IHostRecordData> NewTestDocument(const char* file, int32_t line) {
  QOR::ComPtr<IHostRecordData> document;
  GetTestObjectFactory(document.Out());  // a refusal shows as no document
  CheckThat(static_cast<bool>(document), "testdoc", file, line,
            QOR::String(L"The host could not create a test document."));
  return document;
}

void AddCalculatedChannels(IUnknown* document, const std::vector<std::wstring>& formulas) {
  if (formulas.empty()) return;
  QOR::ComPtr<IHostDataObjects> objects;
  QOR::ComPtr<IUnknown> dataFile;
  if (document) {
    document->QueryInterface(IID_IHostDataObjects, objects.OutVoid());
    document->QueryInterface(IID_IHostDataFile, dataFile.OutVoid());
  }
  // Set once: the document may leave its answer in the pair for the next request.
  DataObjectId object{kNewDataObject, kDataObjectRequestKind};
  for (const std::wstring& formula : formulas) {
    QOR::String name;
    const HRESULT hr = objects ? objects->NewObject(0, 0, 0, QOR::StringOutParam(name), &object) : E_NOINTERFACE;
    CheckThat(hr == S_OK, "hr==S_OK", kFile, kLineChannelObject);
    // Not looked at: a formula the host refuses shows in the check's later assertions.
    ExtLib::CreateHostCalculation(dataFile.Get(), TypeIdClass<&HostCalcClassGUID, 0>::Id(),
                                  QOR::String(formula.c_str()), QOR::String(), object.id, object.kind);
  }
}

std::wstring HostDetectorFormula(IUnknown* document, const wchar_t* reference,
                                 std::initializer_list<std::pair<int32_t, double>> parameters) {
  QOR::ComPtr<IPXPresetService> service;
  service.Attach(QOR::GetHostChildObject(document));
  QOR::ComPtr<IPXDetectionSettings> settings;
  if (service) service->CreateSettings(settings.Out());  // a refusal shows as no settings
  CheckThat(static_cast<bool>(settings), "settings", kFile, kLineDetectionSettings,
            QOR::String(L"The host made no detection settings for its test document."));
  for (const auto& [index, value] : parameters)
    CheckThat(settings->SetParameter(index, value) == S_OK, "SetParameter(index,value)==S_OK", kFile,
              kLineDetectionValue);
  QOR::ComPtr<QOR::IQORString> formula;
  const HRESULT hr = settings->GetDetectorFormula(QOR::String(reference).GetInterface(), VARIANT_FALSE, -1,
                                                  kChannelReferenceKind, formula.Out());
  CheckThat(hr == S_OK && formula, "GetDetectorFormula(...)==S_OK", kFile, kLineDetectorFormula);
  return formula->GetText();
}

}  // namespace SelfCheck
