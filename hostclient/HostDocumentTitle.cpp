// The host document's title, asked through its title interface.
#include "hostclient/HostDocumentTitle.h"

#include "hostapi/DocumentTitle.h"
#include "hostclient/ComPtr.h"

#include <oleauto.h>

QOR::String HostDocumentTitle(IUnknown* hostDocument) {
  ComPtr<IHostDocumentTitle> titled;
  if (!hostDocument ||
      FAILED(hostDocument->QueryInterface(IID_IHostDocumentTitle, reinterpret_cast<void**>(titled.Out()))))
    return QOR::String();
  BSTR title = nullptr;
  if (FAILED(titled->GetTitle(&title))) return QOR::String();
  return QOR::String::AttachBSTR(title);
}

QOR::String DocumentViewTitle(IUnknown* hostDocument, const QOR::String& name) {
  QOR::String title = HostDocumentTitle(hostDocument);
  if (title.IsEmpty()) return name;
  title.Append(L": ").Append(name);
  return title;
}
