// GdiplusStarter: the process-wide GDI+ start-up and its explicit shut-down.
#include "controls/GdiplusStarter.h"

#include "controls/GdiplusPrivate.h"

#include <new>

namespace {

// A plain pointer, not an owning static: no static destructor may shut GDI+ down, since
// static destructors of a DLL run under the loader lock.
GdiplusStarter* gStarter = nullptr;
int gShutdowns = 0;

}  // namespace

GdiplusStarter::~GdiplusStarter() {
  Gdiplus::GdiplusShutdown(mToken);
  ++gShutdowns;
}

void GdiplusStarter::Start() noexcept {
  if (gStarter) return;
  auto* starter = new (std::nothrow) GdiplusStarter;
  if (!starter) return;
  Gdiplus::GdiplusStartupInput input;  // version 1, no debug callback, thread and codecs kept
  Gdiplus::GdiplusStartup(&starter->mToken, &input, nullptr);
  gStarter = starter;
}

bool GdiplusStarter::IsStarted() noexcept { return gStarter != nullptr; }

void GdiplusStarter::CleanUp(bool processExit) noexcept {
  GdiplusStarter* const starter = gStarter;
  gStarter = nullptr;
  if (!processExit) delete starter;
}

int GdiplusStarter::ShutdownCount() noexcept { return gShutdowns; }
