// The "classes" command: registers the framework, loads the module and lists what the framework holds.
#include "host/app/HostFramework.h"
#include "host/app/ModuleLoader.h"
#include "host/common/MessageText.h"
#include "hostapi/ClassRegistry.h"
#include "hostapi/EventDrawClass.h"
#include "hostapi/MessageFactory.h"
#include "hostapi/UnitTestService.h"

#include <objbase.h>
#include <oleauto.h>

#include <cstdio>
#include <cwchar>
#include <string>
#include <vector>

namespace ondara_host {

namespace {

template <class Interface>
Interface* FrameworkService(const CLSID& clsid, const IID& iid) {
  Interface* service = nullptr;
  if (FAILED(CoGetClassObject(clsid, CLSCTX_ALL, nullptr, iid, reinterpret_cast<void**>(&service))))
    return nullptr;
  return service;
}

std::wstring TakeBstr(BSTR text) {
  std::wstring result(text ? text : L"", text ? SysStringLen(text) : 0);
  SysFreeString(text);
  return result;
}

// Class objects, then the event draw classes (those answering IPODEventDrawClass), each in
// registration order.
void ListClassObjects(IClassRegistry& registry) {
  uint32_t count = 0;
  registry.GetClassCount(&count);
  std::vector<std::wstring> classes;
  std::vector<std::wstring> drawClasses;
  for (uint32_t i = 0; i < count; ++i) {
    ILumoClassObject* object = nullptr;
    if (FAILED(registry.GetClassAt(i, &object)) || !object) continue;
    uint32_t typeId = 0;
    object->GetTypeId(&typeId);
    BSTR name = nullptr;
    object->GetNameBstr(&name);
    wchar_t line[32];
    std::swprintf(line, 32, L"  0x%08X  ", typeId);
    IPODEventDrawClass* draw = nullptr;
    const bool isDraw = SUCCEEDED(object->QueryInterface(IID_IPODEventDrawClass,
                                                         reinterpret_cast<void**>(&draw)));
    if (draw) draw->Release();
    (isDraw ? drawClasses : classes).push_back(line + TakeBstr(name));
    object->Release();
  }
  std::wprintf(L"class objects: %u\n", static_cast<unsigned>(classes.size()));
  for (const std::wstring& line : classes) std::wprintf(L"%ls\n", line.c_str());
  std::wprintf(L"draw classes: %u\n", static_cast<unsigned>(drawClasses.size()));
  for (const std::wstring& line : drawClasses) std::wprintf(L"%ls\n", line.c_str());
}

void ListMessageClasses(IMessageFactory& factory) {
  uint32_t count = 0;
  factory.GetCount(&count);
  std::wprintf(L"message classes: %u\n", count);
  for (uint32_t i = 0; i < count; ++i) {
    IMsgIdMessageClassObject* object = nullptr;
    if (FAILED(factory.GetAt(i, &object)) || !object) continue;
    uint32_t id = 0;
    object->GetId(&id);
    BSTR name = nullptr;
    object->GetName(&name);
    std::wprintf(L"  0x%08X  %ls\n", id, TakeBstr(name).c_str());
    object->Release();
  }
}

// What is wrong with a module file the command was given, when the file is not one it can load;
// null for a module that loaded (its registration may still have failed).
const char* ModuleRefusal(const std::wstring& module, HRESULT loaded) {
  if (SUCCEEDED(loaded)) return nullptr;
  if (GetFileAttributesW(module.c_str()) == INVALID_FILE_ATTRIBUTES) return "no such file";
  if (loaded == HRESULT_FROM_WIN32(ERROR_BAD_EXE_FORMAT)) return "not a 32-bit Windows DLL";
  if (loaded == HRESULT_FROM_WIN32(ERROR_PROC_NOT_FOUND)) return "not a module: it exports no DllRegisterClassObjects";
  return nullptr;
}

}  // namespace

// classes [module]: the module defaults to Ondara.dll beside the executable.
int RunClassesCommand(int argc, wchar_t** argv) {
  if (argc >= 1 && std::wcscmp(argv[0], L"--help") == 0) {
    std::printf("usage: ondara-host classes [module]\n");
    return 0;
  }
  HostFramework framework;
  if (FAILED(framework.Status())) {
    host::PrintMessageLine("framework registration failed: " + host::HexCode(framework.Status()));
    return 1;
  }
  const std::wstring module = argc >= 1 ? std::wstring(argv[0]) : PathBesideExecutable(L"Ondara.dll");
  const HRESULT hr = LoadAndRegisterModule(module.c_str());
  const char* const refused = ModuleRefusal(module, hr);
  if (refused) {
    host::PrintMessageLine("classes: " + host::QuoteInput(module) + ": " + refused);
    return 2;
  }
  if (FAILED(hr)) {
    host::PrintMessageLine("module " + host::Utf8FromWide(module) + " not registered: " + host::HexCode(hr));
    return 1;
  }
  IClassRegistry* const registry = FrameworkService<IClassRegistry>(CLSID_LumoFrameWork, IID_IClassRegistry);
  if (registry) {
    ListClassObjects(*registry);
    registry->Release();
  }
  IMessageFactory* const factory = FrameworkService<IMessageFactory>(CLSID_LumoFrameWork, IID_IMessageFactory);
  if (factory) {
    ListMessageClasses(*factory);
    factory->Release();
  }
  IUnitTestService* const tests =
      FrameworkService<IUnitTestService>(CLSID_UnitTestService, IID_IUnitTestService);
  if (tests) {
    uint32_t count = 0;
    tests->GetTestCount(&count);
    std::wprintf(L"self tests: %u\n", count);
    tests->Release();
  }
  std::fflush(stdout);
  return 0;
}

}  // namespace ondara_host
