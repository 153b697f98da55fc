#include "browserproxy/ui/settings/ContainerPage.h"

#include <vector>

#include "browserproxy/ui/DialogsResources.h"

void ReportSettingsPageError(HWND page, const std::wstring& title, HRESULT hr, UINT formatId) {
  HWND frame = page ? GetAncestor(page, GA_ROOT) : nullptr;
  std::wstring format = platform::LoadResourceString(formatId ? formatId : IDS_SETTINGS_PAGE_FAILED);
  if (format.empty()) format = L"%s: %s";
  std::wstring reason = platform::DescribeHResult(hr);
  std::vector<wchar_t> text(format.size() + title.size() + reason.size() + 16);
  _snwprintf(text.data(), text.size() - 1, format.c_str(), title.c_str(), reason.c_str());
  text.back() = L'\0';
  // Captioned with the page's title: the frame stays the only "Options" window.
  MessageBoxW(frame, text.data(), title.c_str(), MB_OK | MB_ICONWARNING);
}
