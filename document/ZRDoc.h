// ZR::Doc::ZRDoc: the module's analysis document, one per host data document.
#pragma once

#include "hostapi/HostMenu.h"
#include "hostapi/LumoClassObject.h"
#include "hostclient/ScrivoChildDocument.h"

namespace ZR::Doc {

class ZRDoc final : public ScrivoChildDocument {
 public:
  // hostObject is the host document the class object was given; classObject that class.
  ZRDoc(IUnknown* hostObject, IUnknown* classObject, uint32_t flags);

  // Adds the module's entries to the host menu under root.
  static void AddHostMenus(IHostMenuList* root);

 private:
  ~ZRDoc() override = default;
};

// A new document class object "Ondara Document" with a count of 0, or null.
ILumoClassObject* NewDocumentClass() noexcept;

}  // namespace ZR::Doc
