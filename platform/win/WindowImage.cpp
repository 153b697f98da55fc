#include <windows.h>
// The imaging GUIDs are defined here as data rather than taken from an
// import library (those can resolve to import thunks).
#include <initguid.h>
#include <wincodec.h>

#include <vector>

#include "platform/com/ComApartment.h"
#include "platform/com/ComPtr.h"
#include "platform/win/DeviceContext.h"
#include "platform/win/SelectedObject.h"
#include "platform/win/WindowImage.h"

namespace platform {

UniqueBitmap CaptureWindow(HWND window) {
  RECT rect{};
  if (!window || !GetWindowRect(window, &rect)) return {};
  const int width = rect.right - rect.left;
  const int height = rect.bottom - rect.top;
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
    RedrawWindow(window, nullptr, nullptr, RDW_INVALIDATE | RDW_ERASE | RDW_FRAME | RDW_UPDATENOW | RDW_ALLCHILDREN);
    // The pixels as shown: the window's area of the screen.
    if (!BitBlt(memory.Get(), 0, 0, width, height, screen.Get(), rect.left, rect.top, SRCCOPY)) return {};
  }
  GdiFlush();
  return bitmap;
}

HRESULT SaveBitmapToPng(HBITMAP bitmap, const std::wstring& path) {
  DIBSECTION dib{};
  if (!bitmap || GetObjectW(bitmap, sizeof(dib), &dib) != sizeof(dib) || dib.dsBm.bmBitsPixel != 32 ||
      !dib.dsBm.bmBits)
    return E_INVALIDARG;
  const UINT width = static_cast<UINT>(dib.dsBm.bmWidth);
  const UINT height = static_cast<UINT>(dib.dsBm.bmHeight);
  const UINT stride = static_cast<UINT>(dib.dsBm.bmWidthBytes);

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
  // The rows top-down whatever the section's own order (the sign of its
  // height is not reported alike everywhere: Wine answers it positive).
  std::vector<BYTE> rows(static_cast<size_t>(stride) * height);
  BITMAPINFO wanted{};
  wanted.bmiHeader.biSize = sizeof(wanted.bmiHeader);
  wanted.bmiHeader.biWidth = static_cast<LONG>(width);
  wanted.bmiHeader.biHeight = -static_cast<LONG>(height);
  wanted.bmiHeader.biPlanes = 1;
  wanted.bmiHeader.biBitCount = 32;
  wanted.bmiHeader.biCompression = BI_RGB;
  {
    WindowDC screen(nullptr);
    if (GetDIBits(screen.Get(), bitmap, 0, height, rows.data(), &wanted, DIB_RGB_COLORS) != static_cast<int>(height))
      return E_FAIL;
  }
  for (UINT row = 0; row < height; ++row) {
    if (FAILED(hr = frame->WritePixels(1, stride, stride, rows.data() + static_cast<size_t>(row) * stride))) return hr;
  }
  if (FAILED(hr = frame->Commit())) return hr;
  return encoder->Commit();
}

HRESULT SaveWindowToPng(HWND window, const std::wstring& path) {
  UniqueBitmap picture = CaptureWindow(window);
  if (!picture) return HRESULT_FROM_WIN32(GetLastError() ? GetLastError() : ERROR_INVALID_WINDOW_HANDLE);
  return SaveBitmapToPng(picture.Get(), path);
}

}  // namespace platform
