// The window picture: a copy from the display into a DIB section, encoded through GDI+.
#include "host/app/WindowPicture.h"

#include "host/view/HostMessageLoop.h"
#include "wholefile/ReplacingFile.h"

#include <objbase.h>
#include <propidl.h>

#include <algorithm>
#include <cstdint>
#include <cwchar>
#include <string>
#include <vector>

// The GDI+ headers use min and max unqualified.
namespace Gdiplus {
using std::max;
using std::min;
}  // namespace Gdiplus

#include <gdiplus.h>

namespace ondara_host {

namespace {

namespace gp = Gdiplus::DllExports;

// GDI+ for the length of one picture.
class GdiplusSession {
 public:
  GdiplusSession() {
    Gdiplus::GdiplusStartupInput input;
    mStarted = Gdiplus::GdiplusStartup(&mToken, &input, nullptr) == Gdiplus::Ok;
  }
  ~GdiplusSession() {
    if (mStarted) Gdiplus::GdiplusShutdown(mToken);
  }
  bool Started() const noexcept { return mStarted; }

 private:
  ULONG_PTR mToken = 0;
  bool mStarted = false;
};

bool FindPngEncoder(CLSID* encoder) {
  UINT count = 0, size = 0;
  if (gp::GdipGetImageEncodersSize(&count, &size) != Gdiplus::Ok || size == 0) return false;
  std::vector<uint8_t> buffer(size);
  auto* const codecs = reinterpret_cast<Gdiplus::ImageCodecInfo*>(buffer.data());
  if (gp::GdipGetImageEncoders(count, size, codecs) != Gdiplus::Ok) return false;
  for (UINT i = 0; i < count; ++i)
    if (codecs[i].MimeType && std::wcscmp(codecs[i].MimeType, L"image/png") == 0) {
      *encoder = codecs[i].Clsid;
      return true;
    }
  return false;
}

// A top-down 32-bit DIB section selected into a memory DC.
class Dib {
 public:
  Dib(int width, int height) {
    BITMAPINFO info{};
    info.bmiHeader = {sizeof(BITMAPINFOHEADER), width, -height, 1, 32, BI_RGB, 0, 0, 0, 0, 0};
    mBitmap = CreateDIBSection(nullptr, &info, DIB_RGB_COLORS, &mBits, nullptr, 0);
    mDc = CreateCompatibleDC(nullptr);
    if (mBitmap && mDc) mOld = SelectObject(mDc, mBitmap);
  }
  ~Dib() {
    if (mOld) SelectObject(mDc, mOld);
    if (mDc) DeleteDC(mDc);
    if (mBitmap) DeleteObject(mBitmap);
  }
  Dib(const Dib&) = delete;
  Dib& operator=(const Dib&) = delete;
  bool Ready() const noexcept { return mOld != nullptr && mBits != nullptr; }
  HDC Dc() const noexcept { return mDc; }
  void* Bits() const noexcept { return mBits; }

 private:
  HBITMAP mBitmap = nullptr;
  HDC mDc = nullptr;
  HGDIOBJ mOld = nullptr;
  void* mBits = nullptr;
};

struct OwnedJoin {
  HWND owner;
  RECT area;
};

BOOL CALLBACK JoinOwned(HWND window, LPARAM data) noexcept {
  auto* join = reinterpret_cast<OwnedJoin*>(data);
  RECT place{};
  if (IsWindowVisible(window) && GetWindow(window, GW_OWNER) == join->owner && GetWindowRect(window, &place))
    UnionRect(&join->area, &join->area, &place);
  return TRUE;
}

// A stream's bytes, from its start.
HRESULT StreamBytes(IStream* stream, std::string* bytes) {
  STATSTG stat{};
  HRESULT hr = stream->Stat(&stat, STATFLAG_NONAME);
  if (FAILED(hr)) return hr;
  if (stat.cbSize.QuadPart > 0x7FFFFFFF) return E_OUTOFMEMORY;
  bytes->resize(static_cast<size_t>(stat.cbSize.QuadPart));
  const LARGE_INTEGER start{};
  hr = stream->Seek(start, STREAM_SEEK_SET, nullptr);
  ULONG read = 0;
  if (SUCCEEDED(hr) && !bytes->empty()) hr = stream->Read(&(*bytes)[0], static_cast<ULONG>(bytes->size()), &read);
  return FAILED(hr) || read == bytes->size() ? hr : E_FAIL;
}

// Top-down 32-bit pixels as PNG bytes, encoded through GDI+ in memory.
HRESULT EncodePng(int width, int height, void* bits, std::string* png) {
  GdiplusSession session;
  CLSID encoder{};
  if (!session.Started() || !FindPngEncoder(&encoder)) return E_FAIL;
  IStream* stream = nullptr;
  if (FAILED(CreateStreamOnHGlobal(nullptr, TRUE, &stream))) return E_OUTOFMEMORY;
  Gdiplus::GpBitmap* bitmap = nullptr;
  HRESULT hr = E_FAIL;
  if (gp::GdipCreateBitmapFromScan0(width, height, width * 4, PixelFormat32bppRGB, static_cast<BYTE*>(bits),
                                     &bitmap) == Gdiplus::Ok) {
    if (gp::GdipSaveImageToStream(bitmap, stream, &encoder, nullptr) == Gdiplus::Ok) hr = StreamBytes(stream, png);
    gp::GdipDisposeImage(bitmap);
  }
  stream->Release();
  return hr;
}

// The pixels written as a PNG file; the file is checked as every file the host writes.
HRESULT SavePixels(int width, int height, void* bits, const std::wstring& path) {
  std::string png;
  const HRESULT hr = EncodePng(width, height, bits, &png);
  return FAILED(hr) ? hr : WholeFile::WriteBytesReplacing(path, png);
}

}  // namespace

void PumpUntilIdle() { host::PumpHostMessages(); }

HRESULT SaveWindowPicture(HWND window, const std::wstring& path) {
  OwnedJoin join{window, {}};
  if (!window || !GetWindowRect(window, &join.area)) return E_INVALIDARG;
  // What rests over the window and belongs to it (a tip, a dropped list) is in the picture too.
  EnumThreadWindows(GetWindowThreadProcessId(window, nullptr), &JoinOwned, reinterpret_cast<LPARAM>(&join));
  const RECT area = join.area;
  const int width = area.right - area.left;
  const int height = area.bottom - area.top;
  if (width <= 0 || height <= 0) return E_INVALIDARG;
  // The window comes to the top and paints before the display is read.
  SetWindowPos(window, HWND_TOP, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE | SWP_SHOWWINDOW);
  RedrawWindow(window, nullptr, nullptr, RDW_INVALIDATE | RDW_ERASE | RDW_ALLCHILDREN | RDW_UPDATENOW | RDW_FRAME);
  PumpUntilIdle();
  Dib picture(width, height);
  if (!picture.Ready()) return E_OUTOFMEMORY;
  HDC const screen = GetDC(nullptr);
  if (!screen) return E_FAIL;
  const BOOL copied = BitBlt(picture.Dc(), 0, 0, width, height, screen, area.left, area.top, SRCCOPY);
  ReleaseDC(nullptr, screen);
  if (!copied) return E_FAIL;
  GdiFlush();
  return SavePixels(width, height, picture.Bits(), path);
}

HRESULT SaveBitmapPicture(HBITMAP bitmap, const std::wstring& path) {
  BITMAP shape{};
  if (!bitmap || !GetObjectW(bitmap, sizeof shape, &shape) || shape.bmWidth <= 0 || shape.bmHeight <= 0)
    return E_INVALIDARG;
  Dib picture(shape.bmWidth, shape.bmHeight);
  if (!picture.Ready()) return E_OUTOFMEMORY;
  HDC const source = CreateCompatibleDC(nullptr);
  if (!source) return E_FAIL;
  HGDIOBJ const previous = SelectObject(source, bitmap);
  const BOOL copied = BitBlt(picture.Dc(), 0, 0, shape.bmWidth, shape.bmHeight, source, 0, 0, SRCCOPY);
  SelectObject(source, previous);
  DeleteDC(source);
  if (!copied) return E_FAIL;
  GdiFlush();
  return SavePixels(shape.bmWidth, shape.bmHeight, picture.Bits(), path);
}

HRESULT SaveMetafilePicture(HENHMETAFILE metafile, const std::wstring& path) {
  ENHMETAHEADER header{};
  if (!metafile || !GetEnhMetaFileHeader(metafile, sizeof header, &header) || header.szlMillimeters.cx <= 0 ||
      header.szlMillimeters.cy <= 0)
    return E_INVALIDARG;
  // The frame (0.01 mm) in pixels of the device the picture was made for.
  const int width = MulDiv(header.rclFrame.right - header.rclFrame.left, header.szlDevice.cx, header.szlMillimeters.cx * 100);
  const int height = MulDiv(header.rclFrame.bottom - header.rclFrame.top, header.szlDevice.cy, header.szlMillimeters.cy * 100);
  if (width <= 0 || height <= 0 || width > 16384 || height > 16384) return E_INVALIDARG;
  Dib picture(width, height);
  if (!picture.Ready()) return E_OUTOFMEMORY;
  const RECT area{0, 0, width, height};
  FillRect(picture.Dc(), &area, static_cast<HBRUSH>(GetStockObject(WHITE_BRUSH)));
  if (!PlayEnhMetaFile(picture.Dc(), metafile, &area)) return E_FAIL;
  GdiFlush();
  return SavePixels(width, height, picture.Bits(), path);
}

}  // namespace ondara_host
