// A script client of Tessiva (VBScript through cscript, from its own process)
// calls every method of the browser object once with good arguments and
// once with missing or wrong-typed ones: none is left unimplemented, none
// brings the server down. Tessiva's dialogs and boxes are closed by a watcher.
#include "ServerProcess.h"
#include <gtest/gtest.h>

#include <algorithm>
#include <fstream>
#include <map>
#include <sstream>

#include "ChildProcess.h"
#include "DialogsTestSupport.h"
#include "TessivaLib.h"
#include "browserproxy/ui/DialogsResources.h"
#include "platform/com/Bstr.h"
#include "platform/com/ComApartment.h"
#include "platform/com/Variant.h"
#include "DialogWatcher.h"
#include "KernelStandIn.h"
#include "SmartUrlStandIn.h"
#include "TempFolder.h"
#include "TessivaServer.h"
#include "TessivaServersTest.h"
#include "Utf16File.h"

namespace {

// Each call as "name|code", the result in hexadecimal (0 for success). VBScript,
// because its Nothing passes where the plug-in's callback interface goes.
// Arguments: the results file, a folder for the script's files.
constexpr char kPrologue[] = R"VB(
Set fso = CreateObject("Scripting.FileSystemObject")
Set out = fso.CreateTextFile(WScript.Arguments(0), True, True)
folder = WScript.Arguments(1) & "\"
Sub Report(name)
  If Err.Number = 0 Then
    out.WriteLine name & "|0"
  Else
    out.WriteLine name & "|" & LCase(Hex(Err.Number))
  End If
  Err.Clear
End Sub
On Error Resume Next
Set creator = CreateObject("Tessiva.WebClassCreator")
Set b = creator.GetProxyObject(2, Nothing, 0, 0)
Report "GetProxyObject"
)VB";

constexpr char kEveryMethod[] = R"VB(
src = folder & "src.txt"
Set t = fso.CreateTextFile(src, True, True) : t.Write "Hello world." : t.Close
page = folder & "page.htm"
Set p = fso.CreateTextFile(page, True, True) : p.Write "<html><body>Hello</body></html>" : p.Close
Err.Clear

b.Initialize 2, Nothing, 0 : Report "Initialize again"
x = b.DirsCount : Report "DirsCount"
x = b.DirName(0) : Report "DirName"
x = b.DirName(-1) : Report "DirName bad"
x = b.DirID(0) : Report "DirID"
x = b.DirID("x") : Report "DirID bad"
x = b.TmplCount : Report "TmplCount"
x = b.TmplName(0) : Report "TmplName"
x = b.TmplName(999) : Report "TmplName bad"
b.ActiveDirID = b.ActiveDirID : Report "ActiveDirID"
b.ActiveDirID = 12345 : Report "ActiveDirID bad"
b.ActiveDirIndex = b.ActiveDirIndex : Report "ActiveDirIndex"
b.ActiveDirIndex = 999 : Report "ActiveDirIndex bad"
b.ActiveTplId = b.ActiveTplId : Report "ActiveTplId"
b.ActiveTplId = Null : Report "ActiveTplId bad"
x = b.IsDisable : Report "IsDisable"
x = b.BrowserType : Report "BrowserType"
x = b.TmplCountByDirIdx(0) : Report "TmplCountByDirIdx"
x = b.TmplCountByDirIdx("many") : Report "TmplCountByDirIdx bad"
x = b.TmplNameByDirIdx(0, 0) : Report "TmplNameByDirIdx"
x = b.TmplNameByDirIdx(99, 0) : Report "TmplNameByDirIdx bad"
x = b.ActiveTplIndex : Report "ActiveTplIndex"
x = b.PluginTitle : Report "PluginTitle"
b.SetSetting "ScriptValue", 5 : Report "SetSetting"
b.SetSetting "", 5 : Report "SetSetting bad"
x = b.GetSetting("ScriptValue") : Report "GetSetting"
x = b.GetSetting(Null) : Report "GetSetting bad"
x = b.TranslateText("Hello world.") : Report "TranslateText"
x = b.TranslateText("") : Report "TranslateText bad"
b.TranslatePage "http://script.example/", page, folder & "page-out.htm" : Report "TranslatePage"
b.TranslatePage Null, Null, Null : Report "TranslatePage bad"
b.TranslateTextDlg "Hello world.", 0, , 0 : Report "TranslateTextDlg"
b.TranslateTextDlg "Hello", 0, , 7 : Report "TranslateTextDlg bad"
b.TranslateTextWithProgress src, folder & "out.txt" : Report "TranslateTextWithProgress"
b.TranslateTextWithProgress folder & "none.txt", folder & "x.txt" : Report "TranslateTextWithProgress bad"
b.ShowSettings 0, 1 : Report "ShowSettings"
b.ShowSettings 0, "first" : Report "ShowSettings bad"
b.ShowAot "computer program" : Report "ShowAot"
b.ShowAot Null : Report "ShowAot bad"
x = b.ShowWebSearch("cats") : Report "ShowWebSearch"
x = b.ShowWebSearch(Now) : Report "ShowWebSearch bad"
b.ShowHelp : Report "ShowHelp"
b.ShowAboutDlg : Report "ShowAboutDlg"
x = b.ShowMessageBox("Hello from the script") : Report "ShowMessageBox"
x = b.ShowMessageBox("", "loud") : Report "ShowMessageBox bad"
Set x = b.GetCtrlDoc() : Report "GetCtrlDoc"
Set x = b.GetDirectirons() : Report "GetDirectirons"
x = b.GetPageInformation("http://script.example/", "<html>") : Report "GetPageInformation"
x = b.GetPageInformation(Null, 5) : Report "GetPageInformation bad"
x = b.GetPageInformation2("http://other.example/", "<html lang=en>", "text") : Report "GetPageInformation2"
x = b.GetPageInformation2() : Report "GetPageInformation2 bad"
x = b.PluginTitle : Report "still serving"
out.Close
)VB";

// Every optional argument left out, as a script writes the natural call.
constexpr char kOptionalArgumentsLeftOut[] = R"VB(
src = folder & "src.txt"
Set t = fso.CreateTextFile(src, True, True) : t.Write "Hello world." : t.Close
Err.Clear
b.TranslateTextDlg "Hello world.", 0 : Report "TranslateTextDlg"
b.TranslateTextWithProgress src, folder & "out.txt" : Report "TranslateTextWithProgress"
b.ShowSettings 0 : Report "ShowSettings"
x = b.ShowWebSearch() : Report "ShowWebSearch"
x = b.ShowMessageBox("Hello from the script") : Report "ShowMessageBox"
x = b.GetSetting("PopupWordDelay") : Report "GetSetting"
x = b.PluginTitle : Report "still serving"
out.Close
)VB";

// The client offers the server's own objects as setting values.
constexpr char kObjectsAsSettings[] = R"VB(
b.SetSetting "Self", b : Report "SetSetting itself"
b.SetSetting "Creator", creator : Report "SetSetting its creator"
b.SetSetting "List", Array(1, b) : Report "SetSetting a list holding it"
b.SetSetting "Text", "ab" & Chr(0) & "cd" : Report "SetSetting a string with a NUL"
b.SetSetting "Plain", 5 : Report "SetSetting a number"
x = b.PluginTitle : Report "still serving"
out.Close
)VB";

std::map<std::string, std::string> ParseResults(const std::wstring& text) {
  std::map<std::string, std::string> results;
  std::wistringstream lines(text);
  std::wstring line;
  while (std::getline(lines, line)) {
    if (!line.empty() && line.back() == L'\r') line.pop_back();
    size_t bar = line.find(L'|');
    if (bar == std::wstring::npos) continue;
    results[std::string(line.begin(), line.begin() + static_cast<long>(bar))] =
        std::string(line.begin() + static_cast<long>(bar) + 1, line.end());
  }
  return results;
}

class ScriptClient : public TessivaServersTest {
 protected:
  void TearDown() override { EndAllServers(); }
  // Runs the prologue and body in cscript (at most three minutes); the answers by name.
  std::map<std::string, std::string> RunScript(const char* body, testsupport::ChildResult* run) {
    const std::wstring script = folder_.File(L"client.vbs");
    {
      std::ofstream file(script.c_str(), std::ios::binary);
      file << kPrologue << body;
    }
    const std::wstring results = folder_.File(L"results.txt");
    *run = testsupport::RunChild(L"cscript.exe //nologo \"" + script + L"\" \"" + results + L"\" \"" +
                                     folder_.Path().substr(0, folder_.Path().size() - 1) + L"\"",
                                 180000);
    EXPECT_TRUE(run->started);
    EXPECT_FALSE(run->timedOut);
    return ParseResults(testsupport::ReadUtf16File(results));
  }
  testsupport::TempFolder folder_;
  testsupport::ScopedFixedKey switches_{HKEY_CURRENT_USER, kernelstandin_test::kSwitchesKey};
  dialogstest::ScopedSmartUrlStore store_;
};

TEST_F(ScriptClient, EveryMethodAnswersAndTheServerSurvivesBadArguments) {
  ASSERT_TRUE(store_.Registered());
  kernelstandin_test::SetSwitch(L"NoMessageBoxes", 1);
  // Every dialog or box of Tessiva is closed as a user would close it.
  testsupport::DialogWatcher watcher(true);
  watcher.OnWindow(L"", L"#32770", [](HWND window) {
    Sleep(100);
    testsupport::DialogWatcher::PressButton(window, IDCANCEL);
  });
  testsupport::ChildResult run;
  auto answers = RunScript(kEveryMethod, &run);
  ASSERT_TRUE(run.started);
  ASSERT_FALSE(run.timedOut);
  ASSERT_EQ(53u, answers.size()) << run.output;
  for (const auto& [name, code] : answers) EXPECT_NE("80004001", code) << name << " is not implemented";
  EXPECT_EQ("0", answers["still serving"]);
  EXPECT_EQ("0", answers["TranslateText"]);
  EXPECT_EQ("0", answers["GetCtrlDoc"]);
  EXPECT_EQ("0", answers["GetDirectirons"]);
  EXPECT_EQ("0", answers["GetPageInformation"]);
  EXPECT_EQ("0", answers["ShowMessageBox"]);
  // VBScript names E_INVALIDARG its error 5.
  EXPECT_TRUE(answers["ShowMessageBox bad"] == "80070057" || answers["ShowMessageBox bad"] == "5")
      << answers["ShowMessageBox bad"];
  EXPECT_EQ("0", answers["TranslateTextWithProgress bad"]) << "a missing source is made empty: the hint, S_FALSE";
  // The script's Tessiva is still there after its bad arguments; then it is ended,
  // so that it serves no later test.
  const auto scriptServers = testsupport::ProcessesStartedBy(run.processId, run.createdAt);
  EXPECT_EQ(1u, scriptServers.size() + tessivaserver::RunningServers().size()) << "Tessiva still runs";
  for (DWORD server : scriptServers) testsupport::EndServerAndItsServers(server);
}

TEST_F(ScriptClient, EveryOptionalArgumentMayBeLeftOut) {
  ASSERT_TRUE(store_.Registered());
  kernelstandin_test::SetSwitch(L"NoMessageBoxes", 1);
  testsupport::DialogWatcher watcher(true);
  watcher.OnWindow(L"", L"#32770", [](HWND window) {
    Sleep(100);
    testsupport::DialogWatcher::PressButton(window, IDCANCEL);
  });
  testsupport::ChildResult run;
  auto answers = RunScript(kOptionalArgumentsLeftOut, &run);
  ASSERT_EQ(8u, answers.size()) << run.output;
  for (const char* call : {"TranslateTextDlg", "TranslateTextWithProgress", "ShowSettings", "ShowMessageBox",
                           "GetSetting", "still serving"})
    EXPECT_EQ("0", answers[call]) << call;
  EXPECT_NE("80004001", answers["ShowWebSearch"]);
  // The frame kind is the default: the translation dialog came up; and the settings.
  std::vector<std::wstring> titles;
  for (const auto& window : watcher.Seen()) titles.push_back(window.title);
  EXPECT_NE(titles.end(), std::find(titles.begin(), titles.end(), L"Selected Text Translation"));
  EXPECT_NE(titles.end(), std::find(titles.begin(), titles.end(), L"Options"));
  for (DWORD server : testsupport::ProcessesStartedBy(run.processId, run.createdAt))
    testsupport::EndServerAndItsServers(server);
}

// A client that stores the server's own objects in its settings would keep
// the server alive for ever: objects are refused, and the server ends by
// itself after the client.
TEST_F(ScriptClient, ObjectsAreNoSettingsAndTheServerEndsAfterItsClient) {
  testsupport::ScopedFixedKey browsers(HKEY_CURRENT_USER, dialogstest::kBrowsersKey);
  testsupport::ChildResult run;
  auto answers = RunScript(kObjectsAsSettings, &run);
  const auto servers = testsupport::ProcessesStartedBy(run.processId, run.createdAt);
  ASSERT_EQ(1u, servers.size()) << "the script's Tessiva";
  const testsupport::ServerProcess server(servers.front());
  ASSERT_EQ(7u, answers.size()) << run.output;
  // VBScript names E_INVALIDARG its error 5.
  for (const char* call : {"SetSetting itself", "SetSetting its creator", "SetSetting a list holding it",
                           "SetSetting a string with a NUL"})
    EXPECT_TRUE(answers[call] == "5" || answers[call] == "80070057") << call << ": " << answers[call];
  EXPECT_EQ("0", answers["SetSetting a number"]);
  EXPECT_EQ("0", answers["still serving"]);
  // Idle time (5 s), the revoke and the final pause: well within 30 s.
  EXPECT_TRUE(server.WaitForEnd(30000)) << "Tessiva still runs after its only client ended";
  testsupport::EndServerAndItsServers(server.Id());
}

// The page of the frame that holds the control (the frame is Tessiva's).
HWND PageWith(HWND frame, int controlId) {
  for (HWND page : dialogstest::Pages(frame))
    if (GetDlgItem(page, controlId)) return page;
  return nullptr;
}

TEST_F(ScriptClient, TheSettingsFrameOfTessivaSavesWhatItsPagesShow) {
  kernelstandin_test::SetSwitch(L"NoMessageBoxes", 1);
  testsupport::ScopedFixedKey browsers(HKEY_CURRENT_USER, dialogstest::kBrowsersKey);
  platform::ComApartment apartment;
  platform::ComPtr<IWebClassCreator> creator;
  ASSERT_EQ(S_OK, platform::ComPtr<IWebClassCreator>::TryCreate(CLSID_WebClassCreator, &creator, CLSCTX_LOCAL_SERVER));
  platform::ComPtr<IDispatch> object;
  ASSERT_EQ(S_OK, creator->GetProxyObject(EPBT_FF, nullptr, 0, 0, object.Receive()));
  auto browser = object.As<INorvaBrowserClass>();
  ASSERT_TRUE(browser);

  bool replaceBefore = false, applyAfterApply = true;
  std::wstring shownTitle;
  {
    testsupport::DialogWatcher watcher(true);
    watcher.OnWindow(L"Options", L"#32770", [&](HWND frame) {
      HWND shown = dialogstest::ShownPage(frame);
      shownTitle = shown && GetDlgItem(shown, IDC_WS_MODE_NEW) ? L"web search" : L"other";
      HWND search = PageWith(frame, IDC_WS_MODE_NEW);
      replaceBefore = dialogstest::IsChecked(search, IDC_WS_MODE_REPLACE);
      dialogstest::ClickRadio(search, IDC_WS_MODE_NEW, {IDC_WS_MODE_REPLACE, IDC_WS_MODE_NEW});
      dialogstest::ClickButton(frame, IDC_APPLY);
      applyAfterApply = dialogstest::IsEnabled(frame, IDC_APPLY);
      HWND popup = PageWith(frame, IDC_WP_DELAY);
      HWND bar = GetDlgItem(popup, IDC_WP_DELAY);
      SendMessageW(bar, TBM_SETPOS, TRUE, 2);
      SendMessageW(popup, WM_HSCROLL, MAKEWPARAM(TB_THUMBPOSITION, 2), reinterpret_cast<LPARAM>(bar));
      dialogstest::PostClick(frame, IDOK);
    });
    EXPECT_EQ(S_OK, browser->ShowSettings(0, platform::Variant::FromInt32(3).Get()));
  }
  EXPECT_EQ(L"web search", shownTitle) << "Firefox's fourth row";
  EXPECT_TRUE(replaceBefore);
  EXPECT_FALSE(applyAfterApply);

  platform::Variant mode, delay;
  EXPECT_EQ(S_OK, browser->GetSetting(platform::Bstr(L"WebSearchMode").Get(), platform::Variant::Missing().Get(),
                                      mode.Receive()));
  EXPECT_EQ(S_OK, browser->GetSetting(platform::Bstr(L"PopupWordDelay").Get(), platform::Variant::Missing().Get(),
                                      delay.Receive()));
  EXPECT_EQ(VT_UI4, mode.Type());
  EXPECT_EQ(1u, mode.Get().ulVal);
  EXPECT_EQ(200u, delay.Get().ulVal);
  const std::wstring key = std::wstring(dialogstest::kBrowsersKey) + L"\\FireFox";
  EXPECT_EQ(1u, dialogstest::RegDword(key, L"WebSearchMode"));
  EXPECT_EQ(200u, dialogstest::RegDword(key, L"PopupWordDelay"));

  bool newShown = false;
  LRESULT position = -1;
  {
    testsupport::DialogWatcher watcher(true);
    watcher.OnWindow(L"Options", L"#32770", [&](HWND frame) {
      newShown = dialogstest::IsChecked(PageWith(frame, IDC_WS_MODE_NEW), IDC_WS_MODE_NEW);
      position = SendMessageW(GetDlgItem(PageWith(frame, IDC_WP_DELAY), IDC_WP_DELAY), TBM_GETPOS, 0, 0);
      dialogstest::PostClick(frame, IDCANCEL);
    });
    EXPECT_EQ(S_FALSE, browser->ShowSettings(0, platform::Variant::Missing().Get()));
  }
  EXPECT_TRUE(newShown);
  EXPECT_EQ(2, position);
  browser.Reset();
  object.Reset();
  creator.Reset();
}

}  // namespace
