#include "browserproxy/ui/TranslateDlg.h"

#include <richedit.h>

#include <algorithm>
#include <cstring>

#include "browserproxy/res/resource.h"
#include "browserproxy/ui/DialogsResources.h"
#include "platform/win/ResourceInstance.h"

namespace {

// The rich-edit box's own limit until it is raised.
constexpr size_t kDefaultTextLimit = 32767;

struct TextSource {
  const std::wstring* text;
  size_t given = 0;
};

// EDITSTREAM callback: the next piece of the text. A piece never ends between
// the CR and the LF of one line break: the box would take the CR alone as a
// paragraph break of its own.
DWORD CALLBACK GiveText(DWORD_PTR cookie, LPBYTE buffer, LONG size, LONG* given) {
  auto* source = reinterpret_cast<TextSource*>(cookie);
  const std::wstring& text = *source->text;
  size_t count = std::min(text.size() - source->given, static_cast<size_t>(size) / sizeof(wchar_t));
  if (count > 1 && source->given + count < text.size() && text[source->given + count - 1] == L'\r') --count;
  std::memcpy(buffer, text.data() + source->given, count * sizeof(wchar_t));
  source->given += count;
  *given = static_cast<LONG>(count * sizeof(wchar_t));
  return 0;
}

// Puts the text into the box as plain text as it stands, whole, in one
// stream-in with the box's redraw off meanwhile: its cost grows with the text
// alone. (As the window text, a text beginning "{\rtf" would be read as rich
// text, and each change would be laid out and drawn on its own.)
void FillTextBox(HWND box, const std::wstring& text) {
  SendMessageW(box, WM_SETREDRAW, FALSE, 0);
  SendMessageW(box, EM_EXLIMITTEXT, 0, static_cast<LPARAM>(std::max(text.size() + 1, kDefaultTextLimit)));
  TextSource source{&text};
  EDITSTREAM stream{reinterpret_cast<DWORD_PTR>(&source), 0, GiveText};
  SendMessageW(box, EM_STREAMIN, SF_TEXT | SF_UNICODE, reinterpret_cast<LPARAM>(&stream));
  SendMessageW(box, WM_SETREDRAW, TRUE, 0);
  InvalidateRect(box, nullptr, TRUE);
}

}  // namespace

CTranslateDlg::CTranslateDlg(WORD iconId) : Dialog(IDD_TRANSLATE) {
  // Icons come from the program itself, never from the language library.
  icon_.Reset(static_cast<HICON>(LoadImageW(platform::ModuleInstance(), MAKEINTRESOURCEW(iconId), IMAGE_ICON, 0, 0,
                                            LR_DEFAULTSIZE)));
  richEdit_.Reset(LoadLibraryW(L"Riched20.dll"));
  Messages().On(WM_INITDIALOG, [this](platform::Message& m) -> LRESULT {
    OnInitDialog(reinterpret_cast<POINT*>(m.lParam));
    return TRUE;
  });
  Messages().On(WM_SHOWWINDOW, [this](platform::Message& m) -> LRESULT {
    // Filled when shown; hiding at the end would only fill it again.
    if (m.wParam) FillTextBox(GetDlgItem(hwnd_, IDC_TRANSLATION_TEXT), text_);
    m.handled = true;
    return 0;
  });
  Messages().OnCommand(IDOK, BN_CLICKED, [this](platform::Message&) -> LRESULT {
    EndDialog(IDOK);
    return 0;
  });
  Messages().OnCommand(IDCANCEL, BN_CLICKED, [this](platform::Message&) -> LRESULT {
    EndDialog(IDCANCEL);
    return 0;
  });
}

CTranslateDlg::~CTranslateDlg() = default;

INT_PTR CTranslateDlg::Run(HWND parent, POINT* point) { return DoModal(parent, reinterpret_cast<LPARAM>(point)); }

void CTranslateDlg::OnInitDialog(POINT* point) {
  if (point) {
    RECT desktop{};
    GetWindowRect(GetDesktopWindow(), &desktop);
    RECT client{};
    GetClientRect(hwnd_, &client);
    MapWindowPoints(hwnd_, nullptr, reinterpret_cast<POINT*>(&client), 2);
    const int width = client.right - client.left;
    const int height = client.bottom - client.top;
    if (point->x != 0 && point->y != 0) {
      if (point->x + width > desktop.right) point->x = desktop.right - width;
      if (point->y + height > desktop.bottom) point->y = desktop.bottom - height;
    } else {
      point->x = desktop.right / 2 - width / 2;
      point->y = desktop.bottom / 2 - height / 2;
    }
    SetWindowPos(hwnd_, HWND_TOP, point->x, point->y, 0, 0, SWP_NOSIZE);
  }
  SetWindowTextW(hwnd_, platform::LoadResourceString(IDS_SELECTED_TEXT_TRANSLATION).c_str());
  SendMessageW(hwnd_, WM_SETICON, ICON_SMALL, reinterpret_cast<LPARAM>(icon_.Get()));
  SendMessageW(hwnd_, WM_SETICON, ICON_BIG, reinterpret_cast<LPARAM>(icon_.Get()));
}
