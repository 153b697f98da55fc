#include <gtest/gtest.h>
#include <windows.h>
#include <wincodec.h>

#include <atomic>
#include <thread>

#include "TempFolder.h"
#include "platform/base/DeviceContext.h"
#include "platform/base/Handles.h"
#include "platform/com/ComApartment.h"
#include "platform/com/ComPtr.h"
#include "platform/win/Window.h"
#include "platform/win/WindowImage.h"
#include "platform/win/WindowPaintCheck.h"

namespace {

using namespace platform;

const CLSID kImagingFactory = {0xcacaf262, 0x9370, 0x4615, {0xa1, 0x3b, 0x9f, 0x55, 0x39, 0xda, 0x4c, 0x0a}};
const GUID kPixelFormat32bppBGR = {0x6fddc324, 0x4e03, 0x4bfe, {0xb1, 0x85, 0x3d, 0x77, 0x76, 0x8d, 0xc9, 0x0e}};

// A borderless window painted in two colours: red in its left (or top) half,
// blue in the other; a picture turned upside down shows blue above.
class TwoColourWindow : public Window {
 public:
  enum class Split { LeftRight, TopBottom };
  explicit TwoColourWindow(Split split = Split::LeftRight) {
    Messages().On(WM_ERASEBKGND, [](Message& m) -> LRESULT { return 1; });
    Messages().On(WM_PAINT, [this, split](Message&) -> LRESULT {
      PaintDC paint(Hwnd());
      RECT client = ClientRect();
      RECT first = client, second = client;
      if (split == Split::LeftRight)
        first.right = second.left = client.right / 2;
      else
        first.bottom = second.top = client.bottom / 2;
      UniqueBrush red(CreateSolidBrush(RGB(255, 0, 0)));
      UniqueBrush blue(CreateSolidBrush(RGB(0, 0, 255)));
      FillRect(paint.Get(), &first, red.Get());
      FillRect(paint.Get(), &second, blue.Get());
      return 0;
    });
  }
};

struct Decoded {
  UINT width = 0, height = 0;
  std::vector<BYTE> pixels;  // BGRX
  COLORREF At(UINT x, UINT y) const {
    const BYTE* p = &pixels[(static_cast<size_t>(y) * width + x) * 4];
    return RGB(p[2], p[1], p[0]);
  }
};

HRESULT DecodePng(const std::wstring& path, Decoded& out) {
  ComPtr<IWICImagingFactory> factory;
  HRESULT hr = CoCreateInstance(kImagingFactory, nullptr, CLSCTX_INPROC_SERVER, __uuidof(IWICImagingFactory),
                                factory.ReceiveVoid());
  if (FAILED(hr)) return hr;
  ComPtr<IWICBitmapDecoder> decoder;
  if (FAILED(hr = factory->CreateDecoderFromFilename(path.c_str(), nullptr, GENERIC_READ,
                                                     WICDecodeMetadataCacheOnDemand, decoder.Receive())))
    return hr;
  ComPtr<IWICBitmapFrameDecode> frame;
  if (FAILED(hr = decoder->GetFrame(0, frame.Receive()))) return hr;
  ComPtr<IWICFormatConverter> converter;
  if (FAILED(hr = factory->CreateFormatConverter(converter.Receive()))) return hr;
  if (FAILED(hr = converter->Initialize(frame.Get(), kPixelFormat32bppBGR, WICBitmapDitherTypeNone, nullptr, 0,
                                        WICBitmapPaletteTypeCustom)))
    return hr;
  if (FAILED(hr = converter->GetSize(&out.width, &out.height))) return hr;
  out.pixels.resize(static_cast<size_t>(out.width) * out.height * 4);
  return converter->CopyPixels(nullptr, out.width * 4, static_cast<UINT>(out.pixels.size()), out.pixels.data());
}

TEST(WindowImage, SavesWhatTheWindowShowsAsPng) {
  ComApartment apartment;
  TwoColourWindow window;
  RECT rect{100, 100, 300, 180};
  ASSERT_NE(nullptr, window.Create(nullptr, &rect, L"picture", WS_POPUP | WS_VISIBLE, WS_EX_TOPMOST));
  window.Update();
  testsupport::TempFolder folder;
  const std::wstring path = folder.File(L"window.png");
  ASSERT_EQ(S_OK, SaveWindowToPng(window.Hwnd(), path));

  Decoded image;
  ASSERT_EQ(S_OK, DecodePng(path, image));
  EXPECT_EQ(200u, image.width);
  EXPECT_EQ(80u, image.height);
  EXPECT_EQ(RGB(255, 0, 0), image.At(50, 40));
  EXPECT_EQ(RGB(0, 0, 255), image.At(150, 40));
}

TEST(WindowImage, KeepsTheTopOfTheWindowAtTheTopOfThePicture) {
  ComApartment apartment;
  TwoColourWindow window(TwoColourWindow::Split::TopBottom);
  RECT rect{100, 100, 300, 180};
  ASSERT_NE(nullptr, window.Create(nullptr, &rect, L"rows", WS_POPUP | WS_VISIBLE, WS_EX_TOPMOST));
  window.Update();
  testsupport::TempFolder folder;
  const std::wstring path = folder.File(L"rows.png");
  ASSERT_EQ(S_OK, SaveWindowToPng(window.Hwnd(), path));
  Decoded image;
  ASSERT_EQ(S_OK, DecodePng(path, image));
  EXPECT_EQ(RGB(255, 0, 0), image.At(100, 10));
  EXPECT_EQ(RGB(0, 0, 255), image.At(100, 70));
}

// A window with a title bar and a frame that paints its frame only once
// allowed to: until then the frame stays as an undrawn surface shows it.
class LateFrameWindow : public TwoColourWindow {
 public:
  LateFrameWindow() {
    Messages().On(WM_NCPAINT, [this](Message& m) -> LRESULT {
      m.handled = !frameAllowed_;
      return 0;
    });
    Messages().On(WM_NCACTIVATE, [this](Message& m) -> LRESULT {
      m.handled = !frameAllowed_;
      return TRUE;
    });
  }
  void AllowFrame() {
    frameAllowed_ = true;
    RedrawWindow(Hwnd(), nullptr, nullptr, RDW_INVALIDATE | RDW_FRAME | RDW_UPDATENOW);
  }

 private:
  bool frameAllowed_ = false;
};

// A window that draws nothing in its client area.
class BlankWindow : public Window {
 public:
  BlankWindow() {
    Messages().On(WM_ERASEBKGND, [](Message&) -> LRESULT { return 1; });
    Messages().On(WM_PAINT, [this](Message&) -> LRESULT {
      ValidateRect(Hwnd(), nullptr);
      return 0;
    });
  }
};

constexpr DWORD kFramed = WS_OVERLAPPED | WS_CAPTION | WS_SYSMENU | WS_THICKFRAME | WS_VISIBLE;

TEST(WindowImage, APictureOfAFramedWindowShowsItsTitleBarAndFrame) {
  ComApartment apartment;
  TwoColourWindow window;
  RECT rect{60, 60, 360, 260};
  ASSERT_NE(nullptr, window.Create(nullptr, &rect, L"framed", kFramed));
  window.Update();
  WindowPicture picture = CaptureWindow(window.Hwnd());
  ASSERT_TRUE(picture.bitmap);
  EXPECT_EQ(L"", picture.fault);
  const Pixels pixels = ReadPixels(picture.bitmap.Get());
  EXPECT_EQ(300, pixels.width);
  EXPECT_EQ(200, pixels.height);
  // The caption's colour just right of the title, at mid height of the strip.
  WINDOWINFO info{sizeof(info)};
  GetWindowInfo(window.Hwnd(), &info);
  const int y = static_cast<int>(info.cyWindowBorders) + GetSystemMetrics(SM_CYCAPTION) / 2;
  const DWORD pixel = pixels.At(pixels.width / 2, y);
  EXPECT_NE(0u, pixel) << "the title bar is black";
}

TEST(WindowImage, AWindowWhoseFrameDidNotPaintIsNotSaved) {
  ComApartment apartment;
  LateFrameWindow window;
  RECT rect{400, 300, 700, 500};
  ASSERT_NE(nullptr, window.Create(nullptr, &rect, L"no frame yet", kFramed));
  window.Update();
  testsupport::TempFolder folder;
  const std::wstring path = folder.File(L"unpainted.png");
  const DWORD start = GetTickCount();
  WindowPicture picture = CaptureWindow(window.Hwnd(), 600);
  EXPECT_GE(GetTickCount() - start, 500u) << "the capture did not wait for the frame";
  EXPECT_EQ(L"title bar", picture.fault);
  std::wstring unpainted;
  EXPECT_EQ(kWindowNotPainted, SaveWindowToPng(window.Hwnd(), path, &unpainted));
  EXPECT_EQ(L"title bar", unpainted);
  EXPECT_EQ(INVALID_FILE_ATTRIBUTES, GetFileAttributesW(path.c_str())) << "a picture of an unpainted frame was saved";

  window.AllowFrame();
  EXPECT_EQ(S_OK, SaveWindowToPng(window.Hwnd(), path, &unpainted));
  EXPECT_EQ(L"", unpainted);
}

TEST(WindowImage, AWindowWhoseContentDidNotPaintIsNotSaved) {
  ComApartment apartment;
  BlankWindow window;
  RECT rect{500, 100, 700, 220};
  ASSERT_NE(nullptr, window.Create(nullptr, &rect, L"blank", WS_POPUP | WS_BORDER | WS_VISIBLE, WS_EX_TOPMOST));
  window.Update();
  std::wstring unpainted;
  testsupport::TempFolder folder;
  EXPECT_EQ(kWindowNotPainted, SaveWindowToPng(window.Hwnd(), folder.File(L"blank.png"), &unpainted));
  EXPECT_EQ(L"content", unpainted);
}

// Another thread's window (as a dialog of another program) whose frame
// paints a while after it shows: the capture waits for it.
TEST(WindowImage, ACaptureWaitsForAFrameThatPaintsLate) {
  ComApartment apartment;
  std::atomic<HWND> shown{nullptr};
  std::atomic<bool> done{false};
  std::thread owner([&] {
    LateFrameWindow window;
    RECT rect{100, 400, 400, 600};
    window.Create(nullptr, &rect, L"late frame", kFramed);
    window.Update();
    shown = window.Hwnd();
    const DWORD start = GetTickCount();
    bool allowed = false;
    while (!done) {
      if (!allowed && GetTickCount() - start > 800) {
        window.AllowFrame();
        allowed = true;
      }
      MSG msg;
      while (PeekMessageW(&msg, nullptr, 0, 0, PM_REMOVE)) DispatchMessageW(&msg);
      Sleep(10);
    }
  });
  while (!shown) Sleep(10);
  const DWORD start = GetTickCount();
  WindowPicture picture = CaptureWindow(shown);
  const DWORD waited = GetTickCount() - start;
  done = true;
  owner.join();
  EXPECT_EQ(L"", picture.fault);
  EXPECT_GE(waited, 700u) << "the picture was taken before the frame painted";
  EXPECT_LT(waited, 4000u);
}

TEST(WindowImage, BadInputIsRefused) {
  testsupport::TempFolder folder;
  EXPECT_TRUE(FAILED(SaveWindowToPng(nullptr, folder.File(L"none.png"))));
  UniqueBitmap ddb(CreateBitmap(4, 4, 1, 1, nullptr));
  EXPECT_EQ(E_INVALIDARG, SaveBitmapToPng(ddb.Get(), folder.File(L"mono.png")));
  EXPECT_EQ(E_INVALIDARG, SaveBitmapToPng(nullptr, folder.File(L"null.png")));
}

}  // namespace
