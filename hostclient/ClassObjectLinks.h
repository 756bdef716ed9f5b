// Self-linking static class objects: the module's class-object list and message class list.
#pragma once

#include <unknwn.h>

struct ILumoClassObject;

namespace QOR {

// Link part of a static class object registered with the class registry at
// start-up. Construction pushes the link onto the front of the module's list;
// nothing unlinks it, so the list runs newest first.
class LumoClassObject {
 public:
  LumoClassObject(const LumoClassObject&) = delete;
  LumoClassObject& operator=(const LumoClassObject&) = delete;

  // The class object's interface that the class registry takes.
  virtual ILumoClassObject* GetClassObjectInterface() noexcept = 0;
  LumoClassObject* Next() const noexcept { return mNext; }
  static LumoClassObject* Head() noexcept;

 protected:
  LumoClassObject() noexcept;
  ~LumoClassObject() = default;

 private:
  LumoClassObject* mNext;
};

// Link part of a static message class object, pushed onto the message class list.
class LinkedClassObjectBase {
 public:
  LinkedClassObjectBase(const LinkedClassObjectBase&) = delete;
  LinkedClassObjectBase& operator=(const LinkedClassObjectBase&) = delete;

  // The object's part that its factory registers.
  virtual IUnknown* GetRegisteredInterface() noexcept = 0;
  LinkedClassObjectBase* Next() const noexcept { return mNext; }
  static LinkedClassObjectBase* Head() noexcept;

 protected:
  LinkedClassObjectBase() noexcept;
  ~LinkedClassObjectBase() = default;

 private:
  LinkedClassObjectBase* mNext;
};

// The message class link over the accessor of the factory it registers with
// and the interface it registers (e.g. the message factory and
// IMsgIdMessageClassObject).
template <class Accessor, class Interface>
class LinkedClassObject : public LinkedClassObjectBase {
 public:
  using FactoryAccessor = Accessor;
  virtual Interface* GetRegisteredPart() noexcept = 0;
  IUnknown* GetRegisteredInterface() noexcept final { return GetRegisteredPart(); }

 protected:
  LinkedClassObject() noexcept = default;
  ~LinkedClassObject() = default;
};

}  // namespace QOR
