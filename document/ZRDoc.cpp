// ZR::Doc::ZRDoc: the document over the host's objects, and its class object.
#include "document/ZRDoc.h"

#include "hostclient/ComBoundary.h"
#include "hostclient/DocViewIds.h"
#include "hostclient/LumoDocumentClass.h"

namespace ZR::Doc {

ZRDoc::ZRDoc(IUnknown* hostObject, IUnknown* classObject, uint32_t flags)
    : ScrivoChildDocument(hostObject, classObject, flags) {}

void ZRDoc::AddHostMenus(IHostMenuList*) {}

ILumoClassObject* NewDocumentClass() noexcept {
  ILumoClassObject* made = nullptr;
  ComTry([&] {
    made = static_cast<ICustomDocClass*>(new LumoDocumentClass<ZRDoc>(
        L"Ondara Document", &ZRDocGUID, &kDocumentClassCategory,
        DocIds::DocumentTypeId::Id(), 1, 0));
  });
  return made;
}

}  // namespace ZR::Doc
