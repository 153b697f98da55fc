#include "browserproxy/ui/VQDAtlAboutDlg.h"

#include <cwchar>

#include "browserproxy/ui/FileVersionInfo.h"
#include "browserproxy/ui/VQDAboutDlgResources.h"
#include "platform/win/ResourceInstance.h"

namespace {

constexpr DWORD kUsEnglishWestern = 0x040904E4;

// The format with one "%s" filled with the value; a format without "%s"
// is shown as it stands.
std::wstring Format(const std::wstring& format, const std::wstring& value) {
  const size_t at = format.find(L"%s");
  if (at == std::wstring::npos) return format;
  return format.substr(0, at) + value + format.substr(at + 2);
}

}  // namespace

CVQDAtlAboutDlg::CVQDAtlAboutDlg(HMODULE module, const wchar_t* iconName, const wchar_t* productName)
    : Dialog(IDD_VQD_ABOUT) {
  CFileVersionInfo version;
  if (version.LoadFromModule(module)) {
    productName_ = productName ? productName : version.GetString(L"FileDescription", kUsEnglishWestern);
    fileVersion_ = version.GetString(L"FileVersion", kUsEnglishWestern);
    familyVersion_ = version.GetString(L"FamilyVersion", kUsEnglishWestern);
    legalNotice_ = version.GetString(L"LegalCopyright", kUsEnglishWestern);
  }
  if (iconName) icon_.Reset(static_cast<HICON>(LoadImageW(module, iconName, IMAGE_ICON, 0, 0, LR_DEFAULTSIZE)));
  Messages().On(WM_INITDIALOG, [this](platform::Message&) -> LRESULT {
    OnInitDialog();
    return TRUE;
  });
  Messages().OnCommand(IDOK, BN_CLICKED, [this](platform::Message&) -> LRESULT {
    EndDialog(IDOK);
    return 0;
  });
}

void CVQDAtlAboutDlg::OnInitDialog() {
  SetDlgItemTextW(hwnd_, IDC_VQD_ABOUT_PRODUCT, Format(L"%s (VQD)", productName_).c_str());
  SetDlgItemTextW(hwnd_, IDC_VQD_ABOUT_FAMILY,
                  Format(platform::LoadResourceString(IDS_VQD_ABOUT_FAMILY), familyVersion_).c_str());
  SetDlgItemTextW(hwnd_, IDC_VQD_ABOUT_BUILD,
                  Format(platform::LoadResourceString(IDS_VQD_ABOUT_BUILD), fileVersion_).c_str());
  SetDlgItemTextW(hwnd_, IDC_VQD_ABOUT_LEGAL, legalNotice_.c_str());
  SendDlgItemMessageW(hwnd_, IDC_VQD_ABOUT_ICON, STM_SETICON, reinterpret_cast<WPARAM>(icon_.Get()), 0);
}
