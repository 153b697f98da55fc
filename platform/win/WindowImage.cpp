#include <windows.h>
// The imaging GUIDs are defined here as data rather than taken from an
// import library (those can resolve to import thunks).
#include <initguid.h>
#include <wincodec.h>

#include "platform/base/DeviceContext.h"
#include "platform/base/SelectedObject.h"
#include "platform/com/ComApartment.h"
#include "platform/com/ComPtr.h"
#include "platform/win/WindowImage.h"
#include "platform/win/WindowPaintCheck.h"

namespace platform {

UniqueBitmap CaptureScreen(const RECT& area) {
  const int width = area.right - area.left;
  const int height = area.bottom - area.top;
  if (width <= 0 || height <= 0) return {};
  BITMAPINFO info{};
  info.bmiHeader.biSize = sizeof(info.bmiHeader);
  info.bmiHeader.biWidth = width;
  info.bmiHeader.biHeight = -height;  // top-down
  info.bmiHeader.biPlanes = 1;
  info.bmiHeader.biBitCount = 32;
  info.bmiHeader.biCompression = BI_RGB;
  void* bits = nullptr;
  WindowDC screen(nullptr);
  UniqueBitmap bitmap(CreateDIBSection(screen.Get(), &info, DIB_RGB_COLORS, &bits, nullptr, 0));
  if (!bitmap) return {};
  MemoryDC memory(screen.Get());
  {
    SelectedObject selected(memory.Get(), bitmap.Get());
    if (!BitBlt(memory.Get(), 0, 0, width, height, screen.Get(), area.left, area.top, SRCCOPY)) return {};
  }
  GdiFlush();
  return bitmap;
}

WindowPicture CaptureWindow(HWND window, DWORD waitMs) {
  constexpr DWORD kLookEveryMs = 100;
  // Painted but still changing after this (a progress bar, a caret) is as
  // the user sees it.
  constexpr DWORD kSettleMs = 1000;
  WindowPicture picture;
  if (!window || !IsWindow(window)) {
    picture.fault = L"window";
    return picture;
  }
  // A window of this thread paints now; another thread's when it next looks
  // at its messages (asking it to paint now would wait on it).
  const bool ours = GetWindowThreadProcessId(window, nullptr) == GetCurrentThreadId();
  RedrawWindow(window, nullptr, nullptr,
               RDW_INVALIDATE | RDW_ERASE | RDW_FRAME | RDW_ALLCHILDREN | (ours ? RDW_UPDATENOW : 0));
  Pixels previous;
  const DWORD start = GetTickCount();
  DWORD painted = 0;  // when the pictures began to show it painted
  bool seenPainted = false;
  for (;;) {
    RECT rect{};
    if (!GetWindowRect(window, &rect)) {
      picture.bitmap = {};
      picture.fault = L"window";
      return picture;
    }
    picture.bitmap = CaptureScreen(rect);
    Pixels pixels = ReadPixels(picture.bitmap.Get());
    picture.fault = UnpaintedPart(window, pixels);
    const DWORD now = GetTickCount();
    if (picture.fault.empty()) {
      if (pixels == previous) return picture;
      if (!seenPainted) painted = now;
      seenPainted = true;
      if (now - painted >= kSettleMs) return picture;
    } else {
      seenPainted = false;
    }
    if (now - start >= waitMs) return picture;
    previous = std::move(pixels);
    Sleep(kLookEveryMs);
  }
}

HRESULT SaveBitmapToPng(HBITMAP bitmap, const std::wstring& path) {
  DIBSECTION dib{};
  if (!bitmap || GetObjectW(bitmap, sizeof(dib), &dib) != sizeof(dib) || dib.dsBm.bmBitsPixel != 32 ||
      !dib.dsBm.bmBits)
    return E_INVALIDARG;
  const UINT width = static_cast<UINT>(dib.dsBm.bmWidth);
  const UINT height = static_cast<UINT>(dib.dsBm.bmHeight);

  ComApartment apartment;
  if (FAILED(apartment.Result()) && apartment.Result() != RPC_E_CHANGED_MODE) return apartment.Result();

  ComPtr<IWICImagingFactory> factory;
  HRESULT hr = CoCreateInstance(CLSID_WICImagingFactory, nullptr, CLSCTX_INPROC_SERVER,
                                __uuidof(IWICImagingFactory), factory.ReceiveVoid());
  if (FAILED(hr)) return hr;
  ComPtr<IWICStream> stream;
  if (FAILED(hr = factory->CreateStream(stream.Receive()))) return hr;
  if (FAILED(hr = stream->InitializeFromFilename(path.c_str(), GENERIC_WRITE))) return hr;
  ComPtr<IWICBitmapEncoder> encoder;
  if (FAILED(hr = factory->CreateEncoder(GUID_ContainerFormatPng, nullptr, encoder.Receive()))) return hr;
  if (FAILED(hr = encoder->Initialize(stream.Get(), WICBitmapEncoderNoCache))) return hr;
  ComPtr<IWICBitmapFrameEncode> frame;
  if (FAILED(hr = encoder->CreateNewFrame(frame.Receive(), nullptr))) return hr;
  if (FAILED(hr = frame->Initialize(nullptr))) return hr;
  if (FAILED(hr = frame->SetSize(width, height))) return hr;
  WICPixelFormatGUID format = GUID_WICPixelFormat32bppBGR;
  if (FAILED(hr = frame->SetPixelFormat(&format))) return hr;
  if (!IsEqualGUID(format, GUID_WICPixelFormat32bppBGR)) return WINCODEC_ERR_UNSUPPORTEDPIXELFORMAT;
  const Pixels pixels = ReadPixels(bitmap);
  if (pixels.values.empty()) return E_FAIL;
  if (FAILED(hr = frame->WritePixels(height, width * 4, static_cast<UINT>(pixels.values.size() * sizeof(DWORD)),
                                     reinterpret_cast<BYTE*>(const_cast<DWORD*>(pixels.values.data())))))
    return hr;
  if (FAILED(hr = frame->Commit())) return hr;
  return encoder->Commit();
}

HRESULT SaveWindowToPng(HWND window, const std::wstring& path, std::wstring* unpainted) {
  WindowPicture picture = CaptureWindow(window);
  if (unpainted) *unpainted = picture.fault;
  if (!picture.bitmap) return HRESULT_FROM_WIN32(GetLastError() ? GetLastError() : ERROR_INVALID_WINDOW_HANDLE);
  if (!picture.fault.empty()) return kWindowNotPainted;
  return SaveBitmapToPng(picture.bitmap.Get(), path);
}

}  // namespace platform
