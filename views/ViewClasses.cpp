// The class objects of the module's two views.
#include "views/ViewClasses.h"

#include "base/String.h"
#include "hostclient/ComBoundary.h"
#include "hostclient/LumoOwlDocView.h"
#include "hostclient/LumoOwlDocViewClass.h"
#include "hostclient/ModuleInstance.h"
#include "views/AnalysisView.h"
#include "views/ZRTableViewEx.h"

namespace {

template <class V>
ILumoClassObject* NewViewClass(const wchar_t* name) noexcept {
  ILumoClassObject* made = nullptr;
  ComTry([&] {
    // The name is one text for the process, as each class keeps it.
    static const QOR::String kName(name);
    made = static_cast<IDocViewClass*>(
        new LumoOwlDocViewClass<LumoOwlDocView<V>>(kName, name, GetModule()));
  });
  return made;
}

}  // namespace

ILumoClassObject* NewAnalysisViewClass() noexcept {
  return NewViewClass<AnalysisView>(L"Ondara View");
}

ILumoClassObject* NewTableViewClass() noexcept {
  return NewViewClass<ZRTableViewEx>(L"Ondara Table View");
}
