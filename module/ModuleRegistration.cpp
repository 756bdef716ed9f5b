// DllRegisterClassObjects: hands every class object, draw class, command and self test of the
// module to the host, in a fixed order.
#include "chancalc/Calc.h"
#include "document/AnalysisChannelUnit.h"
#include "document/ChannelCalcReader.h"
#include "document/EventNumberInRecord.h"
#include "document/SettingsDialogRunner.h"
#include "document/ZRDoc.h"
#include "enumerators/classlist/EnumeratorClassList.h"
#include "grid/TVF_TableView.h"
#include "hostclient/ClassObjectLinks.h"
#include "hostclient/ClassRegistration.h"
#include "hostclient/EventDrawClass.h"
#include "hostclient/EventDrawContext.h"
#include "hostclient/FrameworkAccess.h"
#include "selfcheck/SelfCheckClasses.h"
#include "settingsdlg/RunSettingsDlg.h"
#include "views/ViewClasses.h"

#include <windows.h>

namespace {

using ClassObjectMaker = ILumoClassObject* (*)() noexcept;
using SelfTestMaker = IUnknown* (*)() noexcept;

// The document class object and the two view class objects, in this order.
constexpr ClassObjectMaker kDocumentAndViewClasses[] = {
    &ZR::Doc::NewDocumentClass, &NewAnalysisViewClass, &NewTableViewClass};
// The nine self-checks, in this order.
constexpr SelfTestMaker kSelfTests[] = {
    &SelfCheck::NewSelfCheck<Ondara::Enum::CAPPeakDet::Test>, &SelfCheck::NewSelfCheck<Ondara::Enum::ERStimDet::Test>,
    &SelfCheck::NewSelfCheck<Ondara::Enum::CalcBase::Test>,   &SelfCheck::NewSelfCheck<Ondara::Enum::CalcBase::TestAR>,
    &SelfCheck::NewSelfCheck<Ondara::Enum::CalcAMax::Test>,   &SelfCheck::NewSelfCheck<Ondara::Enum::CalcBase2::Test>,
    &SelfCheck::NewSelfCheck<Ondara::Enum::CalcBulk::Test>,   &SelfCheck::NewSelfCheck<Ondara::Enum::EventData::Test>,
    &SelfCheck::NewSelfCheck<Ondara::Ondara_Document>};

void RegisterDocumentAndViewClasses(IClassRegistry* registry) noexcept {
  for (const ClassObjectMaker make : kDocumentAndViewClasses) {
    if (make) RegisterNewClassObject(registry, make());
  }
}

// The self-linked class objects (newest first), then the enumerator classes (newest first).
void RegisterLinkedClassObjects(IClassRegistry* registry) noexcept {
  if (!registry) return;
  for (QOR::LumoClassObject* link = QOR::LumoClassObject::Head(); link; link = link->Next()) {
    if (ILumoClassObject* const object = link->GetClassObjectInterface())
      registry->RegisterClassObject(object);  // result not examined
  }
  CalcEnums::RegisterEnumeratorClasses(registry);
}

// The draw classes number events and find their unit through the analysis document's child
// data, which lives above them; the module hands them those two questions before they are seen.
void RegisterEventDrawClasses(IClassRegistry* registry) noexcept {
  SetEventDrawContextProvider({&ZR::Doc::GetEventNumberInRecord, &ZR::Doc::AnalysisChannelUnit});
  // The document checks the channel calculations, which live above it, through this question.
  ZR::Doc::SetShownMeasurementReader(&ZR::ChanCalc::ReadShownMeasurement);
  // The document's settings command opens the dialog, which lives above it, through this function.
  ZR::Doc::SetSettingsDialogRunner(&ZR::Dlg::RunSettingsDlg);
  for (int32_t n = 0; n < ScrivoClient::kEventDrawClassCount; ++n)
    RegisterNewClassObject(registry, ScrivoClient::NewEventDrawClass(n));
}

void RegisterMessageClasses() noexcept {
  IMessageFactory* const factory = GetMessageFactory();
  if (!factory) return;
  for (QOR::LinkedClassObjectBase* link = QOR::LinkedClassObjectBase::Head(); link;
       link = link->Next()) {
    auto* const part = static_cast<IMsgIdMessageClassObject*>(link->GetRegisteredInterface());
    if (part) factory->Register(0, part);  // result not examined
  }
}

// A check that could not be made is left out (RegisterNewSelfTest skips null).
void RegisterSelfTests() noexcept {
  IUnitTestService* const service = GetUnitTestService();
  for (const SelfTestMaker make : kSelfTests) {
    if (make) RegisterNewSelfTest(service, make());
  }
}

}  // namespace

// The argument (a host interface) is not used.
extern "C" HRESULT __stdcall DllRegisterClassObjects(IUnknown*) noexcept {
  IClassRegistry* const registry = ObjectFactoryAccessor::Get();
  InstallTableViewWindow();
  RegisterDocumentAndViewClasses(registry);
  RegisterLinkedClassObjects(registry);
  RegisterEventDrawClasses(registry);
  RegisterMessageClasses();
  RegisterSelfTests();
  return S_OK;
}
