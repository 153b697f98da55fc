// The browsers' icons: Tessiva.exe carries the icon group of each browser
// row at 16 and 32 pixels, and the windows a browser object opens (settings
// frame, translation dialog) show its browser's. (Wine answers WM_GETICON
// only within the window's process: the windows are opened here, with the
// program's resources.)
#include <gtest/gtest.h>

#include <vector>

#include "DialogWatcher.h"
#include "ChildProcess.h"
#include "DialogsTestSupport.h"
#include "platform/base/Handles.h"
#include "platform/com/Bstr.h"
#include "platform/com/Variant.h"

namespace {

using platform::Bstr;
using platform::Variant;
using dialogstest::Browser;

// The image of a size from an icon group of the module, or null.
HICON LoadGroupIcon(HMODULE module, int id, int size) {
  HRSRC group = FindResourceW(module, MAKEINTRESOURCEW(id), RT_GROUP_ICON);
  if (!group) return nullptr;
  auto* directory = static_cast<BYTE*>(LockResource(LoadResource(module, group)));
  if (!directory) return nullptr;
  const int entry = LookupIconIdFromDirectoryEx(directory, TRUE, size, size, LR_DEFAULTCOLOR);
  HRSRC image = FindResourceW(module, MAKEINTRESOURCEW(entry), RT_ICON);
  if (!image) return nullptr;
  auto* bits = static_cast<BYTE*>(LockResource(LoadResource(module, image)));
  return CreateIconFromResourceEx(bits, SizeofResource(module, image), TRUE, 0x00030000, size, size, LR_DEFAULTCOLOR);
}

// The icon drawn on white: its size and the colour at a few points.
struct DrawnIcon {
  int width = 0;
  int height = 0;
  COLORREF corner = 0;  // transparent there: white
  COLORREF body = 0;    // the badge's lower part
  COLORREF letter = 0;  // on the N's left stem
};

DrawnIcon Draw(HICON icon, int size) {
  DrawnIcon drawn;
  ICONINFO info{};
  if (!GetIconInfo(icon, &info)) return drawn;
  platform::UniqueBitmap color(info.hbmColor), mask(info.hbmMask);
  BITMAP bitmap{};
  GetObjectW(color.Get(), sizeof(bitmap), &bitmap);
  drawn.width = bitmap.bmWidth;
  drawn.height = bitmap.bmHeight;
  HDC screen = GetDC(nullptr);
  HDC memory = CreateCompatibleDC(screen);
  platform::UniqueBitmap canvas(CreateCompatibleBitmap(screen, size, size));
  HGDIOBJ old = SelectObject(memory, canvas.Get());
  RECT all = {0, 0, size, size};
  FillRect(memory, &all, static_cast<HBRUSH>(GetStockObject(WHITE_BRUSH)));
  DrawIconEx(memory, 0, 0, icon, size, size, 0, nullptr, DI_NORMAL);
  drawn.corner = GetPixel(memory, 0, 0);
  drawn.body = GetPixel(memory, size / 2, size - 2);
  drawn.letter = GetPixel(memory, size / 4, size / 2);
  SelectObject(memory, old);
  DeleteDC(memory);
  ReleaseDC(nullptr, screen);
  return drawn;
}

TEST(TessivaIconResources, EveryBrowserRowHasItsOwnIconAt16And32Pixels) {
  platform::UniqueLibrary program(LoadLibraryExW(testsupport::SiblingPath(L"Tessiva.exe").c_str(), nullptr,
                                                 LOAD_LIBRARY_AS_DATAFILE | LOAD_LIBRARY_AS_IMAGE_RESOURCE));
  ASSERT_TRUE(program.Valid());
  const struct {
    int id;
    const char* browser;
  } rows[] = {{208, "Chrome"}, {209, "Firefox"}, {210, "Internet Explorer"}, {211, "Opera"}};
  for (int size : {16, 32}) {
    std::vector<COLORREF> bodies;
    for (const auto& row : rows) {
      HICON icon = LoadGroupIcon(program.Get(), row.id, size);
      ASSERT_TRUE(icon) << row.browser << " at " << size;
      const DrawnIcon drawn = Draw(icon, size);
      DestroyIcon(icon);
      EXPECT_EQ(size, drawn.width) << row.browser << " at " << size;
      EXPECT_EQ(size, drawn.height) << row.browser << " at " << size;
      EXPECT_EQ(RGB(255, 255, 255), drawn.corner) << row.browser << " at " << size << ": a rounded, transparent corner";
      EXPECT_EQ(RGB(255, 255, 255), drawn.letter) << row.browser << " at " << size << ": the white letter";
      EXPECT_NE(RGB(255, 255, 255), drawn.body) << row.browser << " at " << size << ": the coloured badge";
      for (COLORREF other : bodies) EXPECT_NE(other, drawn.body) << row.browser << " at " << size << ": its own colour";
      bodies.push_back(drawn.body);
    }
  }
}

// The windows that a browser object opens show its browser's icon: the
// settings frame of every browser, and the translation dialog.
class DialogIcons : public dialogstest::DialogsTest {
 protected:
  // The colour of the icon's badge, drawn at 16 pixels.
  static COLORREF BodyOf(HICON icon) { return icon ? Draw(icon, 16).body : CLR_INVALID; }
};

TEST_F(DialogIcons, TheSettingsFrameAndTheTranslationDialogShowTheirBrowsersIcon) {
  platform::UniqueLibrary program(LoadLibraryExW(testsupport::SiblingPath(L"Tessiva.exe").c_str(), nullptr,
                                                 LOAD_LIBRARY_AS_DATAFILE | LOAD_LIBRARY_AS_IMAGE_RESOURCE));
  ASSERT_TRUE(program.Valid());
  const struct {
    ENorvaBrowserType type;
    int id;
    const char* browser;
  } rows[] = {{EPBT_CROME, 208, "Chrome"}, {EPBT_FF, 209, "Firefox"}, {EPBT_IE, 210, "Internet Explorer"},
              {EPBT_OPERA, 211, "Opera"}};
  for (const auto& row : rows) {
    HICON expected = LoadGroupIcon(program.Get(), row.id, 16);
    const COLORREF body = BodyOf(expected);
    DestroyIcon(expected);
    Browser browser = MakeBrowser(row.type);
    COLORREF small = CLR_INVALID, big = CLR_INVALID;
    testsupport::DialogWatcher watcher;
    watcher.OnWindow(dialogstest::kOptionsTitle, L"#32770", [&](HWND frame) {
      small = BodyOf(reinterpret_cast<HICON>(SendMessageW(frame, WM_GETICON, ICON_SMALL, 0)));
      big = BodyOf(reinterpret_cast<HICON>(SendMessageW(frame, WM_GETICON, ICON_BIG, 0)));
      testsupport::DialogWatcher::PressButton(frame, IDCANCEL);
    });
    EXPECT_EQ(S_FALSE, browser->ShowSettings(0, Variant::Missing().Get())) << row.browser;
    EXPECT_EQ(body, small) << row.browser << ": the settings frame's small icon";
    EXPECT_EQ(body, big) << row.browser << ": the settings frame's icon";
    if (row.type != EPBT_FF) continue;
    COLORREF dialog = CLR_INVALID;
    watcher.OnWindow(L"Selected Text Translation", L"#32770", [&](HWND window) {
      dialog = BodyOf(reinterpret_cast<HICON>(SendMessageW(window, WM_GETICON, ICON_SMALL, 0)));
      testsupport::DialogWatcher::PressButton(window, IDCANCEL);
    });
    EXPECT_EQ(S_OK, browser->TranslateTextDlg(Bstr(L"Hello world").Get(), 0, Variant::Missing().Get(),
                                              Variant::FromInt32(EPTDT_FRAME).Get(), Variant::Missing().Get()));
    EXPECT_EQ(body, dialog) << "the translation dialog";
  }
}

}  // namespace
