// Cached access to the host framework's services: each fetched once, on first use, and kept for the process.
#pragma once

#include "hostclient/COMClassObjectAccessor.h"
#include "hostclient/ComPtr.h"

#include "hostapi/ClassRegistry.h"
#include "hostapi/FrameworkSubject.h"
#include "hostapi/HostApplication.h"
#include "hostapi/HostMenu.h"
#include "hostapi/HostUnits.h"
#include "hostapi/MessageFactory.h"
#include "hostapi/MessageService.h"
#include "hostapi/ObjectFactory.h"
#include "hostapi/ObserverRegistry.h"
#include "hostapi/TypeRegistry.h"
#include "hostapi/UnitTestService.h"

// Every getter answers the cached interface without a reference for the caller
// (the framework's objects outlive the module), or null when the service cannot
// be reached; a caller then skips its call.

// The framework's class registry.
using ObjectFactoryAccessor =
    QOR::COMClassObjectAccessor<IClassRegistry, CLSID_LumoFrameWork, IID_IClassRegistry>;

ITypeRegistry* GetTypeRegistry() noexcept;
IMessageFactory* GetMessageFactory() noexcept;
IMessageRouter* GetMessageRouter() noexcept;
IObserverRegistry* GetObserverRegistry() noexcept;
ISubject* GetFrameworkSubject() noexcept;
// Through the class registry with service id 0x80000007.
IMessageService* GetMessageService() noexcept;
// Through the class registry with service id 0x8000000A.
IObjectFactory* GetObjectFactory() noexcept;
// The host object the factory makes for a display or scheme entry, held for one read of that
// entry; null when the framework makes none.
QOR::ComPtr<IUnknown> CreateEntryObject(uint32_t entryId) noexcept;
// Through the class registry with the units service id (kUnitsServiceId).
IHostUnitsService* GetUnitsService() noexcept;
IUnitTestService* GetUnitTestService() noexcept;
IHostApplication* GetHostApplication() noexcept;
// Through the class registry with kMenuRootServiceId and kMenuServiceId.
IHostMenuRootService* GetHostMenuRootService() noexcept;
IHostMenuService* GetHostMenuService() noexcept;
