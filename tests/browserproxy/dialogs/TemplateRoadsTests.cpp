// Choosing a template on every road where the module's template names meet
// the kernel's template identifiers (the stand-in's differ on purpose:
// "MEDICAL" is shown as "Medicine"): a script client's ShowAot through
// Tessiva.exe with the module's result dialog, the direction page and the
// SmartURL page of the settings frame, and the page a translation remembers.
#include <gtest/gtest.h>
#include <windows.h>

#include <commctrl.h>

#include <algorithm>
#include <fstream>
#include <functional>
#include <string>
#include <vector>

#include "AnalyzerTestSupport.h"
#include "ChildProcess.h"
#include "DialogWatcher.h"
#include "DialogsTestSupport.h"
#include "SmartUrlStandIn.h"
#include "TempFolder.h"
#include "TessivaServer.h"
#include "Utf16File.h"
#include "browserproxy/core/ConnectorFactory.h"
#include "browserproxy/kernel/NorvaKernelWrapper.h"
#include "browserproxy/ui/DialogsResources.h"
#include "platform/com/Bstr.h"
#include "platform/com/SafeArray.h"
#include "platform/com/Variant.h"

namespace {

using namespace dialogstest;
using kernelstandin_test::ReportNumber;
using kernelstandin_test::SetSwitch;
using platform::Bstr;
using platform::Variant;

constexpr wchar_t kChoiceTitle[] = L"Автоматическое определение профиля перевода";
constexpr wchar_t kMedicalText[] = L"After the operation the virus was gone; a second operation followed.";
constexpr int kSmartUrlRow = 4;  // Firefox's list of pages

class TemplateRoads : public ombreltests::AnalyzerTest {
 protected:
  static void SetUpTestSuite() {
    AnalyzerTest::SetUpTestSuite();
    ASSERT_EQ(0u, tessivaserver::Run(L"/RegServer"));
  }
  void SetUp() override {
    AnalyzerTest::SetUp();
    ASSERT_TRUE(store_.Registered());
    // The templates start with their own words as keyword lists.
    SetSwitch(L"SeedKeywordLists", 1);
    SetConnectorMaker(kKernelConnector, [](const std::wstring& title) -> std::unique_ptr<INorvaConnector> {
      return std::make_unique<CNorvaKernelWrapper>(title);
    });
    INITCOMMONCONTROLSEX controls{sizeof(controls), ICC_LISTVIEW_CLASSES | ICC_BAR_CLASSES | ICC_STANDARD_CLASSES};
    InitCommonControlsEx(&controls);
  }
  void TearDown() override {
    SetConnectorMaker(kKernelConnector, nullptr);
    tessivaserver::EndServers();
    kernelstandin_test::EndServers();
  }
  // Firefox's browser object in this process, over the kernel connector.
  Browser MakeBrowser() {
    Browser browser = platform::MakeComObject<CNorvaBrowserClass>();
    EXPECT_EQ(S_OK, browser->Initialize(EPBT_FF, nullptr, 0));
    return browser;
  }
  // Runs the settings frame on a start page; the script acts on the frame
  // from the watcher's thread and ends it.
  HRESULT RunFrame(Browser& browser, std::function<void(HWND)> script, int startPage = -1) {
    testsupport::DialogWatcher watcher;
    watcher.OnWindow(kOptionsTitle, L"#32770", [&](HWND frame) { script(frame); });
    Variant start = startPage < 0 ? Variant::Missing() : Variant::FromInt32(startPage);
    return browser->ShowSettings(0, start.Get());
  }
  static std::wstring ActiveTemplate(Browser& browser) {
    Bstr id;
    EXPECT_EQ(S_OK, browser->get_ActiveTplId(id.Receive()));
    return id.Str();
  }
  std::string RunScript(const std::string& script) {
    const std::wstring path = folder_.File(L"client.vbs");
    std::ofstream(path.c_str(), std::ios::binary) << script;
    testsupport::ChildResult result = testsupport::RunChild(L"cscript //nologo \"" + path + L"\"", 120000, true);
    EXPECT_TRUE(result.started);
    EXPECT_FALSE(result.timedOut);
    std::string output;
    for (char c : result.output)
      if (c != '\r') output += c;
    return output;
  }

  testsupport::ScopedFixedKey browsers_{HKEY_CURRENT_USER, kBrowsersKey};
  ScopedSmartUrlStore store_;
  testsupport::TempFolder folder_;
};

// The reproduction of a script client: the browser object lets the user
// choose in the module's result dialog, and the choice becomes the active
// template; a cancelled choice changes nothing. Nothing is reported.
TEST_F(TemplateRoads, AScriptClientChoosesATemplateThroughShowAot) {
  const struct {
    int button;
    const char* expected;
  } cases[] = {
      {IDCANCEL, "aot 0 GENERAL 0\n"},
      {IDOK, "aot 0 MEDICAL 3\n"},
  };
  for (const auto& c : cases) {
    testsupport::DialogWatcher watcher(true);
    watcher.Press(kChoiceTitle, c.button);
    const std::string output = RunScript(
        "On Error Resume Next\r\n"
        "Set b = CreateObject(\"Tessiva.WebClassCreator\").GetProxyObject(2, Nothing, 0, 0)\r\n"
        "WScript.Echo \"proxy \" & Hex(Err.Number)\r\n"
        "b.ActiveDirID = &H20001\r\n"
        "WScript.Echo \"direction \" & Hex(Err.Number) & \" \" & b.ActiveTplId\r\n"
        "b.ShowAot \"After the operation the virus was gone; a second operation followed.\"\r\n"
        "WScript.Echo \"aot \" & Hex(Err.Number) & \" \" & b.ActiveTplId & \" \" & CLng(b.ActiveTplIndex)\r\n");
    EXPECT_EQ(std::string("proxy 0\ndirection 0 GENERAL\n") + c.expected, output) << "button " << c.button;
    EXPECT_EQ(1u, watcher.Seen().size()) << "the module's dialog, button " << c.button;
  }
  EXPECT_EQ(0u, ReportNumber(L"ErrorCount")) << "no kernel error reported";
}

// The direction page lists the kernel's template names; the one the user
// picks becomes the active template, and the page shows it again.
TEST_F(TemplateRoads, TheDirectionPageSetsTheTemplateTheUserPicksAndShowsItAgain) {
  Browser browser = MakeBrowser();
  ASSERT_EQ(S_OK, browser->put_ActiveDirID(ombreltests::kEnglishRussian));
  std::vector<std::wstring> rows;
  EXPECT_EQ(S_OK, RunFrame(browser, [&](HWND frame) {
              HWND page = ShownPage(frame);
              rows = ListBoxRows(GetDlgItem(page, IDC_TEMPLATE_LIST));
              SelectListBoxRow(page, IDC_TEMPLATE_LIST, 3);
              PostClick(frame, IDOK);
            }));
  EXPECT_EQ((std::vector<std::wstring>{L"General", L"Computers and Internet", L"Business and Finance", L"Medicine"}),
            rows);
  EXPECT_EQ(L"MEDICAL", ActiveTemplate(browser));

  // Shown again; another direction with one of its templates.
  int shown = -1;
  EXPECT_EQ(S_OK, RunFrame(browser, [&](HWND frame) {
              HWND page = ShownPage(frame);
              shown = ListBoxSelection(GetDlgItem(page, IDC_TEMPLATE_LIST));
              SelectListBoxRow(page, IDC_DIRECTION_LIST, 2);
              SelectListBoxRow(page, IDC_TEMPLATE_LIST, 1);
              PostClick(frame, IDOK);
            }));
  EXPECT_EQ(3, shown) << "Medicine";
  LONG direction = 0;
  EXPECT_EQ(S_OK, browser->get_ActiveDirID(&direction));
  EXPECT_EQ(0x00040001, direction);
  EXPECT_EQ(L"COMPUTER", ActiveTemplate(browser));
  EXPECT_EQ(0u, ReportNumber(L"ErrorCount"));
}

// Types an address into a new row as the user does: Add, the text, Enter.
void AddAddress(HWND page, const std::wstring& address) {
  ClickButton(page, IDC_SU_ADD);
  HWND list = GetDlgItem(page, IDC_SU_LIST);
  HWND edit = reinterpret_cast<HWND>(SendMessageW(list, LVM_GETEDITCONTROL, 0, 0));
  if (!edit) return;
  SendMessageW(edit, WM_SETTEXT, 0, reinterpret_cast<LPARAM>(address.c_str()));
  SendMessageW(edit, WM_KEYDOWN, VK_RETURN, 0);
}

// The option page that holds the control, or null.
HWND PageWith(HWND frame, int controlId) {
  for (HWND page : Pages(frame))
    if (GetDlgItem(page, controlId)) return page;
  return nullptr;
}

int RowOf(HWND list, const std::wstring& address) {
  const std::vector<std::wstring> rows = ListRows(list);
  auto found = std::find(rows.begin(), rows.end(), address);
  return found == rows.end() ? -1 : static_cast<int>(found - rows.begin());
}

std::wstring StoredTemplate(const std::wstring& address) {
  for (const StoredUrl& entry : StoredUrls())
    if (entry.url == address) return entry.templateName;
  return L"<not stored>";
}

// The SmartURL store holds every page's template by the name the page shows
// and writes: the page a translation remembered, an address added with the
// active template, and one whose template the user picked; each is shown
// with its template, and the page information hands it back to a plug-in
// that makes it active.
TEST_F(TemplateRoads, TheSmartUrlStoreKeepsEveryTemplateByTheNameThePageShows) {
  testsupport::SetRegDword(HKEY_CURRENT_USER, std::wstring(kBrowsersKey) + L"\\FireFox", L"UseSmartUrl", 1);
  Browser browser = MakeBrowser();
  ASSERT_EQ(S_OK, browser->put_ActiveDirID(ombreltests::kEnglishRussian));
  ASSERT_EQ(S_OK, browser->put_ActiveTplId(Bstr(L"BUSINESS").Get()));
  const std::wstring source = folder_.WriteFile(
      L"page.htm", testsupport::Utf16WithMark(L"<html><head><title>hello</title></head><body>hello world</body></html>"));
  ASSERT_EQ(S_OK, browser->TranslatePage(Bstr(L"http://page.example/").Get(), Bstr(source).Get(),
                                         Bstr(folder_.File(L"page-out.htm")).Get()));
  EXPECT_EQ(L"Business and Finance", StoredTemplate(L"http://page.example/"));

  std::wstring shownForPage;
  EXPECT_EQ(S_OK, RunFrame(
                      browser,
                      [&](HWND frame) {
                        HWND page = PageWith(frame, IDC_SU_LIST);
                        HWND list = GetDlgItem(page, IDC_SU_LIST);
                        SelectListRow(list, RowOf(list, L"http://page.example/"));
                        HWND templates = GetDlgItem(page, IDC_SU_TEMPLATE);
                        const int shown = ComboSelection(templates);
                        if (shown >= 0) shownForPage = ComboRows(templates)[static_cast<size_t>(shown)];
                        AddAddress(page, L"http://new.example/");
                        AddAddress(page, L"http://other.example/");
                        SelectListRow(list, RowOf(list, L"http://other.example/"));
                        SelectComboRow(page, IDC_SU_TEMPLATE, 3);
                        PostClick(frame, IDOK);
                      },
                      kSmartUrlRow));
  EXPECT_EQ(L"Business and Finance", shownForPage) << "the remembered page's template is shown";
  EXPECT_EQ(L"Business and Finance", StoredTemplate(L"http://new.example/")) << "the active template";
  EXPECT_EQ(L"Medicine", StoredTemplate(L"http://other.example/")) << "the template picked";

  Variant answer;
  ASSERT_EQ(S_OK, browser->GetPageInformation(Bstr(L"http://other.example/").Get(), Bstr(L"text").Get(),
                                              answer.Receive()));
  ASSERT_EQ(VT_ARRAY | VT_VARIANT, answer.Type());
  VARIANT* values = nullptr;
  ASSERT_EQ(S_OK, SafeArrayAccessData(answer.Get().parray, reinterpret_cast<void**>(&values)));
  const std::wstring handedBack = values[1].vt == VT_BSTR ? std::wstring(values[1].bstrVal) : std::wstring();
  SafeArrayUnaccessData(answer.Get().parray);
  EXPECT_EQ(L"Medicine", handedBack);
  EXPECT_EQ(S_OK, browser->put_ActiveTplId(Bstr(handedBack).Get())) << "as the Firefox plug-in does with it";
  EXPECT_EQ(L"MEDICAL", ActiveTemplate(browser));
}

}  // namespace
