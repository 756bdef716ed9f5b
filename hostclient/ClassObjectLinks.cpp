// The heads of the module's class-object and message class lists.
#include "hostclient/ClassObjectLinks.h"

namespace QOR {

namespace {
// Constant-initialised (null at load), so static constructors in any order can push.
LumoClassObject* gClassObjectHead = nullptr;
LinkedClassObjectBase* gMessageClassHead = nullptr;
}  // namespace

LumoClassObject::LumoClassObject() noexcept : mNext(gClassObjectHead) { gClassObjectHead = this; }

LumoClassObject* LumoClassObject::Head() noexcept { return gClassObjectHead; }

LinkedClassObjectBase::LinkedClassObjectBase() noexcept : mNext(gMessageClassHead) {
  gMessageClassHead = this;
}

LinkedClassObjectBase* LinkedClassObjectBase::Head() noexcept { return gMessageClassHead; }

}  // namespace QOR
