// GdiplusStarter: GDI+ started once for the process by the first image gadget, shut down by
// the module's clean-up when the module is unloaded while the process goes on.
#pragma once

#include <windows.h>

#include <cstdint>

class GdiplusStarter {
 public:
  GdiplusStarter(const GdiplusStarter&) = delete;
  GdiplusStarter& operator=(const GdiplusStarter&) = delete;
  // Shuts GDI+ down with the token.
  virtual ~GdiplusStarter();

  // Starts GDI+ on first use; later calls do nothing. The outcome is not examined: after a
  // failed start every GDI+ call fails and no image is drawn.
  static void Start() noexcept;
  static bool IsStarted() noexcept;
  // The module's clean-up at detach. At process exit (processExit true) the starter is
  // abandoned: GdiplusShutdown waits for GDI+'s thread, which cannot end while the loader
  // lock is held, and the process frees everything anyway. Otherwise GDI+ is shut down.
  static void CleanUp(bool processExit) noexcept;
  // How many times GDI+ was shut down by this process.
  static int ShutdownCount() noexcept;

 private:
  GdiplusStarter() noexcept = default;

  ULONG_PTR mToken = 0;
};
