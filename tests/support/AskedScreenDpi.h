// The screen resolution a test run asks its Wine prefix for.
#pragma once

#include <windows.h>

#include <cstdlib>

namespace testsupport {

// The dpi ONDARA_SCREEN_DPI names (the runs in the 192-dpi prefix set it); 0 when it is not set,
// as in the usual run at the prefix's own resolution.
inline int AskedScreenDpi() {
  char asked[16] = {};
  return GetEnvironmentVariableA("ONDARA_SCREEN_DPI", asked, sizeof asked) ? std::atoi(asked) : 0;
}

}  // namespace testsupport
