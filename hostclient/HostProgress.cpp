// The host's progress display and the wait cursor.
#include "hostclient/HostProgress.h"

#include "base/String.h"
#include "hostclient/DocViewIds.h"
#include "hostclient/FrameworkAccess.h"

ComPtr<IHostProgress> CreateHostProgress(const wchar_t* title, const wchar_t* text, const wchar_t* detail) {
  ComPtr<IHostProgress> progress;
  IObjectFactory* const factory = GetObjectFactory();
  if (!factory) return progress;
  ComPtr<IUnknown> made;
  if (FAILED(factory->CreateByClassId(DocIds::HostProgressTypeId::Id(), 0, made.Out())) || !made) return progress;
  made->QueryInterface(IID_IHostProgress, progress.OutVoid());
  const QOR::String titleText(title ? title : L"");
  const QOR::String firstLine(text ? text : L"");
  const QOR::String secondLine(detail ? detail : L"");
  if (progress && FAILED(progress->Start(1, titleText.GetInterface(), firstLine.GetInterface(),
                                         secondLine.GetInterface(), 1)))
    progress.Reset();
  return progress;
}

WaitCursor::~WaitCursor() {
  SetCursor(mPrevious);
  POINT at;
  if (GetCursorPos(&at)) SetCursorPos(at.x, at.y);
}
