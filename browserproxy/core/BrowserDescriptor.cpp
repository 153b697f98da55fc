#include "browserproxy/core/BrowserDescriptor.h"

#include "browserproxy/res/resource.h"
#include "platform/win/ResourceInstance.h"

namespace {

const BrowserDescriptor kRows[kBrowserTypeCount] = {
    {L"Opera", IDS_TITLE_OPERA, IDI_BROWSER_OPERA, L"OPERAPLUGIN", L"Opera%s\\NorvaOpera%s.chm", 0x01},
    {L"Chrome", IDS_TITLE_CHROME, IDI_BROWSER_CHROME, L"CHROMPLUGIN", L"Chrome%s\\NorvaChrome%s.chm", 0x7F},
    {L"FireFox", IDS_TITLE_FIREFOX, IDI_BROWSER_FIREFOX, L"FERVIX", L"FireFox%s\\Fervix%s.chm", 0x5B},
    {L"IE", IDS_TITLE_IE, IDI_BROWSER_IE, L"NORVAIE4", L"NrvaIE%s\\Nrvaie%s.chm", 0x7F},
};

const wchar_t* const kEnglishTitles[kBrowserTypeCount] = {
    L"NORVA for Opera", L"NORVA for Google Chrome", L"NORVA for Mozilla FireFox", L"NORVA for Internet Explorer"};

}  // namespace

bool IsKnownBrowserType(long browserType) { return browserType >= 0 && browserType < kBrowserTypeCount; }

const BrowserDescriptor* FindBrowserDescriptor(long browserType) {
  return IsKnownBrowserType(browserType) ? &kRows[browserType] : nullptr;
}

std::wstring LoadBrowserTitle(const BrowserDescriptor& row) {
  std::wstring title = platform::LoadResourceString(row.titleStringId);
  return title.empty() ? kEnglishTitles[&row - kRows] : title;
}
