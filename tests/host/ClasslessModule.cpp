// A module that registers no class: the host then finds no analysis document class to open, which
// the analyze command must report as such.
#include <unknwn.h>
#include <windows.h>

extern "C" HRESULT STDAPICALLTYPE DllRegisterClassObjects(IUnknown*) { return S_OK; }
