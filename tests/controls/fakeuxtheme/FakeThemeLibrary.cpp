// fakeuxtheme.dll: a visual-styles library whose answers the control tests choose, and which
// counts the theme handles closed. Bound in place of uxtheme.dll with UxThemeDLL::Reset.
#include <windows.h>

struct FakeThemeState {
  int opened;
  int closed;
  HRESULT closeResult;
  HRESULT callResult;  // of every drawing and measuring call
  int shapedStem;  // nonzero: the balloon stem's region is a triangle, else its rectangle
};

static FakeThemeState gState = {0, 0, S_OK, S_OK, 0};

extern "C" {

__declspec(dllexport) FakeThemeState* WINAPI FakeThemeGetState() { return &gState; }

// A class named "Unknown" is not in the theme.
__declspec(dllexport) HANDLE WINAPI OpenThemeData(HWND, LPCWSTR classList) {
  if (!classList || lstrcmpW(classList, L"Unknown") == 0) return nullptr;
  ++gState.opened;
  return reinterpret_cast<HANDLE>(static_cast<INT_PTR>(0x7E00 + gState.opened));
}

__declspec(dllexport) HRESULT WINAPI CloseThemeData(HANDLE) {
  ++gState.closed;
  return gState.closeResult;
}

__declspec(dllexport) HRESULT WINAPI DrawThemeBackground(HANDLE, HDC, int, int, const RECT*, const RECT*) {
  return gState.callResult;
}

__declspec(dllexport) HRESULT WINAPI DrawThemeText(HANDLE, HDC, int, int, LPCWSTR, int, DWORD, DWORD, const RECT*) {
  return gState.callResult;
}

__declspec(dllexport) HRESULT WINAPI GetThemePartSize(HANDLE, HDC, int, int, const RECT*, int, SIZE* size) {
  size->cx = 13;
  size->cy = 7;
  return gState.callResult;
}

__declspec(dllexport) HRESULT WINAPI GetThemeTextExtent(HANDLE, HDC, int, int, LPCWSTR, int, DWORD, const RECT*,
                                                         RECT* extent) {
  *extent = RECT{0, 0, 20, 10};
  return gState.callResult;
}

// The background region is the rectangle itself.
// As the real library: a part without a shaped image gives its rectangle.
__declspec(dllexport) HRESULT WINAPI GetThemeBackgroundRegion(HANDLE, HDC, int part, int, const RECT* rect,
                                                              HRGN* region) {
  *region = nullptr;
  if (FAILED(gState.callResult)) return gState.callResult;
  if (part == 6 && gState.shapedStem) {
    POINT const corners[3] = {{rect->left, rect->top}, {rect->left, rect->bottom}, {rect->right, rect->bottom}};
    *region = CreatePolygonRgn(corners, 3, ALTERNATE);
  } else {
    *region = CreateRectRgnIndirect(rect);
  }
  return S_OK;
}

__declspec(dllexport) BOOL WINAPI IsAppThemed() { return TRUE; }
__declspec(dllexport) BOOL WINAPI IsThemeActive() { return TRUE; }

}  // extern "C"
