#include <windows.h>
// The imaging GUIDs are defined here as data rather than taken from an
// import library (those can resolve to import thunks).
#include <initguid.h>
#include <wincodec.h>

#include <vector>

#include "platform/base/DeviceContext.h"
#include "platform/base/SelectedObject.h"
#include "platform/com/ComApartment.h"
#include "platform/com/ComPtr.h"
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
  // The rows in a known top-down order: what GetObject says of a DIB
  // section's orientation differs between systems (Wine reports a top-down
  // section as bottom-up), GetDIBits with a negative height does not.
  BITMAPINFO rows{};
  rows.bmiHeader.biSize = sizeof(rows.bmiHeader);
  rows.bmiHeader.biWidth = static_cast<LONG>(width);
  rows.bmiHeader.biHeight = -static_cast<LONG>(height);
  rows.bmiHeader.biPlanes = 1;
  rows.bmiHeader.biBitCount = 32;
  rows.bmiHeader.biCompression = BI_RGB;
  std::vector<BYTE> pixels(static_cast<size_t>(width) * 4 * height);
  {
    WindowDC screen(nullptr);
    if (GetDIBits(screen.Get(), bitmap, 0, height, pixels.data(), &rows, DIB_RGB_COLORS) != static_cast<int>(height))
      return E_FAIL;
  }
  if (FAILED(hr = frame->WritePixels(height, width * 4, static_cast<UINT>(pixels.size()), pixels.data()))) return hr;
  if (FAILED(hr = frame->Commit())) return hr;
  return encoder->Commit();
}

HRESULT SaveWindowToPng(HWND window, const std::wstring& path) {
  UniqueBitmap picture = CaptureWindow(window);
  if (!picture) return HRESULT_FROM_WIN32(GetLastError() ? GetLastError() : ERROR_INVALID_WINDOW_HANDLE);
  return SaveBitmapToPng(picture.Get(), path);
}

}  // namespace platform
