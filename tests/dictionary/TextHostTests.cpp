#include <gtest/gtest.h>
#include <windows.h>

#include <algorithm>
#include <cwctype>
#include <string>

#include "RegistrySandbox.h"
#include "TempFolder.h"
#include "browserproxy/dictionary/CCustomRtf.h"
#include "browserproxy/dictionary/CTextHost.h"
#include "platform/base/ModulePath.h"
#include "platform/com/ComApartment.h"

namespace {

const wchar_t kFoldersKey[] = L"Software\\Norvasoft\\NRVA9\\Folders";

std::wstring Lower(std::wstring text) {
  std::transform(text.begin(), text.end(), text.begin(), [](wchar_t c) { return std::towlower(c); });
  return text;
}

std::wstring ModuleFile(HMODULE module) { return platform::ModulePath(module); }

TEST(CTextHost, AnswersOnlyItsOwnInterfaces) {
  CTextHost host;
  void* out = reinterpret_cast<void*>(1);
  EXPECT_EQ(E_NOINTERFACE, host.QueryInterface(IID_IDispatch, &out));
  EXPECT_EQ(nullptr, out);
  EXPECT_EQ(S_OK, host.QueryInterface(IID_IUnknown, &out));
  EXPECT_EQ(static_cast<ITextHost*>(&host), out);
  EXPECT_EQ(S_OK, host.QueryInterface(kIID_ITextHost, &out));
  EXPECT_EQ(static_cast<ITextHost*>(&host), out);
  EXPECT_EQ(E_POINTER, host.QueryInterface(IID_IUnknown, nullptr));
}

TEST(CTextHost, ReportsRichMultiLineTextAndTheFormatChangeBits) {
  CTextHost host;
  struct {
    DWORD mask;
    DWORD expected;
  } cases[] = {{0xFFFFFFFF, 0x60003}, {TXTBIT_WORDWRAP, 0}, {TXTBIT_RICHTEXT | TXTBIT_READONLY, 1}};
  for (const auto& c : cases) {
    DWORD bits = 0xDEAD;
    EXPECT_EQ(S_OK, host.TxGetPropertyBits(c.mask, &bits)) << std::hex << c.mask;
    EXPECT_EQ(c.expected, bits) << std::hex << c.mask;
  }
}

TEST(CTextHost, FillsFormatsAndRectanglesWithDefaults) {
  CTextHost host;
  const CHARFORMATW* character = nullptr;
  ASSERT_EQ(S_OK, host.TxGetCharFormat(&character));
  ASSERT_NE(nullptr, character);
  EXPECT_EQ(sizeof(CHARFORMATW), character->cbSize);
  EXPECT_NE(0u, character->dwMask & CFM_FACE);
  EXPECT_NE(L'\0', character->szFaceName[0]);
  EXPECT_GT(character->yHeight, 0);

  const PARAFORMAT* paragraph = nullptr;
  ASSERT_EQ(S_OK, host.TxGetParaFormat(&paragraph));
  ASSERT_NE(nullptr, paragraph);
  EXPECT_EQ(sizeof(PARAFORMAT), paragraph->cbSize);
  EXPECT_EQ(PFA_LEFT, paragraph->wAlignment);

  RECT client{1, 2, 3, 4};
  RECT inset{5, 6, 7, 8};
  EXPECT_EQ(S_OK, host.TxGetClientRect(&client));
  EXPECT_EQ(S_OK, host.TxGetViewInset(&inset));
  EXPECT_TRUE(IsRectEmpty(&client));
  EXPECT_EQ(0, inset.left + inset.top + inset.right + inset.bottom);

  DWORD scrollBars = 0xFFFF;
  EXPECT_EQ(S_OK, host.TxGetScrollBars(&scrollBars));
  EXPECT_EQ(0u, scrollBars);
  DWORD maxLength = 0;
  EXPECT_EQ(S_OK, host.TxGetMaxLength(&maxLength));
  EXPECT_EQ(0xFFFFFFFFu, maxLength);
  LONG accelerator = 0;
  EXPECT_EQ(S_OK, host.TxGetAcceleratorPos(&accelerator));
  EXPECT_EQ(-1, accelerator);
  TXTBACKSTYLE style = TXTBACK_TRANSPARENT;
  EXPECT_EQ(S_OK, host.TxGetBackStyle(&style));
  EXPECT_EQ(TXTBACK_OPAQUE, style);
  wchar_t password = 0;
  EXPECT_EQ(S_FALSE, host.TxGetPasswordChar(&password));
  SIZEL extent{};
  EXPECT_EQ(E_NOTIMPL, host.TxGetExtent(&extent));
  EXPECT_EQ(GetSysColor(COLOR_WINDOW), host.TxGetSysColor(COLOR_WINDOW));
}

TEST(CTextHost, ReferenceCountingNeverFreesIt) {
  auto host = std::make_unique<CTextHost>();
  EXPECT_EQ(0u, host->AddRef());
  for (int i = 0; i < 3; ++i) EXPECT_EQ(0u, host->Release());
  DWORD bits = 0;
  EXPECT_EQ(S_OK, host->TxGetPropertyBits(TXTBIT_MULTILINE, &bits));
  EXPECT_EQ(static_cast<DWORD>(TXTBIT_MULTILINE), bits);
}

class CCustomRtfTest : public testing::Test {
 protected:
  platform::ComApartment apartment_{COINIT_APARTMENTTHREADED};
  testsupport::ScopedFixedKey folders_{HKEY_LOCAL_MACHINE, kFoldersKey};
};

TEST_F(CCustomRtfTest, WithoutCommonFolderUsesTheSystemLibrary) {
  CCustomRtf rtf;
  ASSERT_EQ(S_OK, rtf.Create());
  ASSERT_NE(nullptr, rtf.Library());
  EXPECT_NE(std::wstring::npos, Lower(ModuleFile(rtf.Library())).find(L"riched20.dll"));
  EXPECT_NE(nullptr, rtf.TextServices());
  EXPECT_NE(nullptr, rtf.Host());
}

TEST_F(CCustomRtfTest, ACommonFolderWithoutTheLibraryFallsBackToTheSystem) {
  testsupport::TempFolder common;
  testsupport::SetRegString(HKEY_LOCAL_MACHINE, kFoldersKey, L"Common", common.Path());
  CCustomRtf rtf;
  ASSERT_EQ(S_OK, rtf.Create());
  std::wstring loaded = Lower(ModuleFile(rtf.Library()));
  EXPECT_EQ(std::wstring::npos, loaded.find(Lower(common.Path())));
  EXPECT_NE(std::wstring::npos, loaded.find(L"riched20.dll"));
}

TEST_F(CCustomRtfTest, RendersTextWithoutAWindow) {
  CCustomRtf rtf;
  ASSERT_EQ(S_OK, rtf.Create());
  ITextServices* services = rtf.TextServices();
  ASSERT_NE(nullptr, services);
  ASSERT_EQ(S_OK, services->TxSetText(L"Hello, \x043C\x0438\x0440"));
  BSTR text = nullptr;
  ASSERT_EQ(S_OK, services->TxGetText(&text));
  EXPECT_STREQ(L"Hello, \x043C\x0438\x0440", text);
  SysFreeString(text);

  HDC screen = GetDC(nullptr);
  HDC dc = CreateCompatibleDC(screen);
  BITMAPINFO info{};
  info.bmiHeader = {sizeof(BITMAPINFOHEADER), 200, -40, 1, 32, BI_RGB};
  void* bits = nullptr;
  HBITMAP bitmap = CreateDIBSection(dc, &info, DIB_RGB_COLORS, &bits, nullptr, 0);
  ASSERT_NE(nullptr, bitmap);
  HGDIOBJ old = SelectObject(dc, bitmap);
  RECT all{0, 0, 200, 40};
  FillRect(dc, &all, static_cast<HBRUSH>(GetStockObject(WHITE_BRUSH)));
  RECTL bounds{0, 0, 200, 40};
  EXPECT_EQ(S_OK, services->TxDraw(DVASPECT_CONTENT, 0, nullptr, nullptr, dc, nullptr, &bounds, nullptr,
                                   nullptr, nullptr, 0, TXTVIEW_INACTIVE));
  GdiFlush();
  const DWORD* pixels = static_cast<const DWORD*>(bits);
  int inked = 0;
  for (int i = 0; i < 200 * 40; ++i) inked += (pixels[i] & 0xFFFFFF) != 0xFFFFFF;
  EXPECT_GT(inked, 20) << "the text left ink on the bitmap";
  SelectObject(dc, old);
  DeleteObject(bitmap);
  DeleteDC(dc);
  ReleaseDC(nullptr, screen);
}

}  // namespace
