#include "browserproxy/ui/TranslateDlg.h"

#include "browserproxy/res/resource.h"
#include "browserproxy/ui/DialogsResources.h"
#include "platform/win/ResourceInstance.h"

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
    SetDlgItemTextW(hwnd_, IDC_TRANSLATION_TEXT, text_.c_str());
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
