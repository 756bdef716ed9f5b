// The module's help through the host application's help service.
#include "document/HelpTopic.h"

#include "hostapi/HostApplication.h"
#include "hostapi/HostFrame.h"
#include "hostclient/ComPtr.h"
#include "hostclient/FrameworkAccess.h"

namespace ZR::Doc {

HRESULT ShowHelpTopic(const wchar_t* topic) noexcept {
  if (!topic) return E_POINTER;
  IHostApplication* const application = GetHostApplication();
  ComPtr<IHostHelp> help;
  if (!application || FAILED(application->QueryInterface(IID_IHostHelp, help.OutVoid())) || !help) return E_FAIL;
  return help->ShowHelp(L"OndaraHelp", topic);
}

}  // namespace ZR::Doc
