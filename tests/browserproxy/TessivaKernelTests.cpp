// The whole road a plug-in takes: this process is the client, COM starts
// Tessiva.exe, whose browser object works over the kernel connector with the
// stand-in kernel (its in-process classes and its local server).
#include <gtest/gtest.h>

#include <string>

#include "DialogWatcher.h"
#include "TempFolder.h"
#include "TessivaOverKernelTest.h"
#include "Utf16File.h"
#include "browserproxy/ui/DialogsResources.h"
#include "platform/com/Bstr.h"
#include "platform/com/Variant.h"

namespace {

using platform::Bstr;
using platform::ComPtr;
using platform::Variant;
using namespace kernelstandin_test;

constexpr wchar_t kTitle[] = L"NORVA for Mozilla FireFox";
constexpr wchar_t kTextProgressTitle[] = L"Selected Text Translation";
constexpr wchar_t kPageProgressTitle[] = L"Page Translation";
constexpr wchar_t kSelectTextHint[] = L"You can translate the selected text with this command.";
constexpr LONG kEnglishRussian = 0x00020001;
constexpr LONG kEnglishGerman = 0x00040001;
constexpr HRESULT kJobFailed = static_cast<HRESULT>(0x800F0021);

std::string Utf8(const std::wstring& text) {
  int size = WideCharToMultiByte(CP_UTF8, 0, text.data(), static_cast<int>(text.size()), nullptr, 0, nullptr, nullptr);
  std::string result(size, '\0');
  WideCharToMultiByte(CP_UTF8, 0, text.data(), static_cast<int>(text.size()), result.data(), size, nullptr, nullptr);
  return result;
}

bool SawMessageWithText(const testsupport::DialogWatcher& watcher, const std::wstring& title,
                        const std::wstring& text) {
  for (const auto& window : watcher.Seen()) {
    if (window.title != title) continue;
    for (const auto& shown : window.texts)
      if (shown == text) return true;
  }
  return false;
}

bool SawWindow(const testsupport::DialogWatcher& watcher, const std::wstring& title) {
  for (const auto& window : watcher.Seen())
    if (window.title == title) return true;
  return false;
}

class TessivaOverKernel : public TessivaOverKernelTest {
 protected:
  std::wstring Translate(const std::wstring& text) {
    Bstr result;
    EXPECT_EQ(S_OK, Browser()->TranslateText(Bstr(text).Get(), result.Receive())) << testing::PrintToString(text);
    return std::wstring(result.CStr());
  }
  // Tessiva still answers: a setting comes back.
  void ExpectServing(const char* context) {
    Variant value;
    EXPECT_EQ(S_OK, Browser()->GetSetting(Bstr(L"LimitedTextAmount").Get(), Variant::Missing().Get(), value.Receive()))
        << context;
  }
  // A text of many lines, so that the job takes several steps.
  std::wstring TextSource() {
    std::wstring text;
    for (int i = 0; i < 20; ++i) text += L"hello world\r\n";
    return folder_.WriteFile(L"source.txt", testsupport::Utf16WithMark(text));
  }
  std::wstring PageSource() {
    std::wstring page = L"<html><head><title>hello</title></head><body>";
    for (int i = 0; i < 20; ++i) page += L"<p class=\"world\">hello world</p>";
    page += L"</body></html>";
    return folder_.WriteFile(L"page.htm", testsupport::Utf16WithMark(page));
  }

  testsupport::TempFolder folder_;
};

TEST_F(TessivaOverKernel, ListsTheKernelsDirectionsAndKeepsTheActiveOneAcrossServers) {
  INorvaBrowserClass* browser = Browser();
  ASSERT_TRUE(browser);
  LONG disabled = 1;
  EXPECT_EQ(S_OK, browser->get_IsDisable(&disabled));
  EXPECT_EQ(0, disabled);
  ULONG count = 0;
  EXPECT_EQ(S_OK, browser->get_DirsCount(&count));
  EXPECT_EQ(6u, count);
  Bstr name;
  EXPECT_EQ(S_OK, browser->get_DirName(2, name.Receive()));
  EXPECT_STREQ(L"English-German", name.CStr());
  LONG id = 0;
  EXPECT_EQ(S_OK, browser->get_DirID(2, &id));
  EXPECT_EQ(kEnglishGerman, id);
  ULONG templates = 0;
  EXPECT_EQ(S_OK, browser->get_TmplCountByDirIdx(2, &templates));
  EXPECT_EQ(4u, templates);
  Bstr templateName;
  EXPECT_EQ(S_OK, browser->get_TmplNameByDirIdx(1, 2, templateName.Receive()));
  EXPECT_STREQ(L"Computers and Internet", templateName.CStr());

  // The first start takes the first direction and writes it down at once.
  LONG active = 0;
  EXPECT_EQ(S_OK, browser->get_ActiveDirID(&active));
  EXPECT_EQ(kEnglishRussian, active);
  const std::wstring key = std::wstring(kBrowsersKey) + L"\\FireFox";
  EXPECT_EQ(static_cast<DWORD>(kEnglishRussian), RegDword(HKEY_CURRENT_USER, key, L"lastDirID"));

  EXPECT_EQ(S_OK, browser->put_ActiveDirID(kEnglishGerman));
  EXPECT_EQ(S_OK, browser->put_ActiveTplId(Bstr(L"COMPUTER").Get()));
  Bstr activeTemplate;
  EXPECT_EQ(S_OK, browser->get_ActiveTplId(activeTemplate.Receive()));
  EXPECT_STREQ(L"COMPUTER", activeTemplate.CStr());
  ULONG templateIndex = 0;
  EXPECT_EQ(S_OK, browser->get_ActiveTplIndex(&templateIndex));
  EXPECT_EQ(1u, templateIndex);
  EXPECT_EQ(static_cast<DWORD>(kEnglishGerman), RegDword(HKEY_CURRENT_USER, key, L"lastDirID"));

  RestartServer();
  ASSERT_TRUE(Browser());
  EXPECT_EQ(S_OK, Browser()->get_ActiveDirID(&active));
  EXPECT_EQ(kEnglishGerman, active) << "the direction comes back from the browser's settings";
  ULONG activeIndex = 0;
  EXPECT_EQ(S_OK, Browser()->get_ActiveDirIndex(&activeIndex));
  EXPECT_EQ(2u, activeIndex);

  // An index past the list is refused, also one that 16 bits would cut to a
  // listed direction.
  for (ULONG bad : {6ul, 65536ul, 65537ul, 0xFFFFFFFFul}) {
    EXPECT_EQ(E_INVALIDARG, Browser()->put_ActiveDirIndex(bad)) << bad;
    EXPECT_EQ(S_OK, Browser()->get_ActiveDirIndex(&activeIndex));
    EXPECT_EQ(2u, activeIndex) << "unchanged after " << bad;
  }
  EXPECT_EQ(S_OK, Browser()->put_ActiveDirIndex(1));
}

TEST_F(TessivaOverKernel, TranslatesTextLineByLineKeepingTheBreaks) {
  ASSERT_TRUE(Browser());
  EXPECT_EQ(L"\x043f\x0440\x0438\x0432\x0435\x0442 \x043c\x0438\x0440", Translate(L"hello world"));
  const std::wstring hello = Translate(L"hello");
  const std::wstring world = Translate(L"world");
  const std::pair<std::wstring, std::wstring> cases[] = {
      {L"hello\r\nworld", hello + L"\r\n" + world},
      {L"hello\r\nworld\nhello", hello + L"\r\n" + Translate(L"world\nhello")},
      {L"hello\nworld\rhello", hello + L"\n" + Translate(L"world\rhello")},
      {L"hello\rworld", hello + L"\r" + world},
      {L"hello\n\nworld", hello + L"\n\n" + world},
      {L"hello\n", hello + L"\n"},
  };
  int i = 0;
  for (const auto& [text, expected] : cases) {
    EXPECT_EQ(expected, Translate(text)) << "case " << i;
    ++i;
  }
}

TEST_F(TessivaOverKernel, NothingToTranslateShowsTheHint) {
  ASSERT_TRUE(Browser());
  testsupport::DialogWatcher watcher(true);
  watcher.Press(kTitle, IDOK);
  Bstr result;
  EXPECT_EQ(E_INVALIDARG, Browser()->TranslateText(Bstr(L"").Get(), result.Receive()));
  EXPECT_TRUE(SawMessageWithText(watcher, kTitle, kSelectTextHint));

  // A source file that is not there is made, empty, and gives the same hint.
  const std::wstring missing = folder_.File(L"missing.txt");
  EXPECT_EQ(S_FALSE, Browser()->TranslateTextWithProgress(Bstr(missing).Get(), Bstr(folder_.File(L"out.txt")).Get(),
                                                          Variant::Missing().Get()));
  EXPECT_EQ(2u, watcher.Seen().size());
  EXPECT_EQ(0u, GetFileAttributesW(missing.c_str()) & FILE_ATTRIBUTE_DIRECTORY);
  EXPECT_TRUE(testsupport::ReadWholeFile(missing).empty());
}

// A path with an embedded NUL would name the file before the NUL, in
// Tessiva's current folder when that part is relative.
TEST_F(TessivaOverKernel, PathsWithAnEmbeddedNulAreRefused) {
  ASSERT_TRUE(Browser());
  // A hint or a progress dialog would be a fault: closed, and seen below.
  testsupport::DialogWatcher watcher(true);
  watcher.OnWindow(L"", L"#32770", [](HWND window) { testsupport::DialogWatcher::PressButton(window, IDCANCEL); });
  const std::wstring source = TextSource();
  const std::wstring page = PageSource();
  const std::wstring cut = folder_.File(L"cut");
  const std::wstring withNul = cut + L'\0' + L".txt";
  struct Case {
    const char* name;
    bool page;
    std::wstring source, destination;
  } cases[] = {
      {"text source", false, withNul, folder_.File(L"out.txt")},
      {"text destination", false, source, withNul},
      {"relative text source", false, std::wstring(L"a") + L'\0' + L"b", folder_.File(L"out.txt")},
      {"page source", true, withNul, folder_.File(L"out.htm")},
      {"page destination", true, page, withNul},
  };
  for (const Case& c : cases) {
    Bstr from{std::wstring_view(c.source)}, to{std::wstring_view(c.destination)};
    const HRESULT hr = c.page ? Browser()->TranslatePage(Bstr(L"http://example.test/nul").Get(), from.Get(), to.Get())
                              : Browser()->TranslateTextWithProgress(from.Get(), to.Get(), Variant::Missing().Get());
    EXPECT_EQ(E_INVALIDARG, hr) << c.name;
    EXPECT_EQ(INVALID_FILE_ATTRIBUTES, GetFileAttributesW(cut.c_str())) << c.name << ": the cut path was used";
  }
  EXPECT_TRUE(watcher.Seen().empty()) << "no hint, no progress";
  EXPECT_EQ(INVALID_FILE_ATTRIBUTES, GetFileAttributesW(folder_.File(L"out.txt").c_str()));
  ExpectServing("after the refused paths");
}

TEST_F(TessivaOverKernel, TextAndPageJobsRunWithProgress) {
  ASSERT_TRUE(Browser());
  SetSwitch(L"JobStepDelay", 50);
  testsupport::DialogWatcher watcher(true);
  const std::wstring helloWorld = Translate(L"hello world");

  const std::wstring textResult = folder_.File(L"text-result.txt");
  EXPECT_EQ(S_OK, Browser()->TranslateTextWithProgress(Bstr(TextSource()).Get(), Bstr(textResult).Get(),
                                                       Variant::Missing().Get()));
  EXPECT_EQ(0u, testsupport::ReadUtf16File(textResult).find(helloWorld + L"\r\n" + helloWorld + L"\r\n"));
  EXPECT_TRUE(SawWindow(watcher, kTextProgressTitle));
  // A caller through the interface may leave the format empty: plain text too.
  const std::wstring emptyFormatResult = folder_.File(L"text-result-2.txt");
  EXPECT_EQ(S_OK, Browser()->TranslateTextWithProgress(Bstr(TextSource()).Get(), Bstr(emptyFormatResult).Get(),
                                                       Variant().Get()));
  EXPECT_EQ(0u, testsupport::ReadUtf16File(emptyFormatResult).find(helloWorld + L"\r\n"));

  const std::wstring pageResult = folder_.File(L"page-result.htm");
  EXPECT_EQ(S_OK, Browser()->TranslatePage(Bstr(L"http://example.test/a").Get(), Bstr(PageSource()).Get(),
                                           Bstr(pageResult).Get()));
  const std::string page = testsupport::ReadWholeFile(pageResult);
  EXPECT_NE(std::string::npos, page.find("<p class=\"world\">" + Utf8(helloWorld) + "</p>")) << page;
  EXPECT_NE(std::string::npos, page.find("<title>" + Utf8(Translate(L"hello")) + "</title>")) << page;
  EXPECT_TRUE(SawWindow(watcher, kPageProgressTitle));
  EXPECT_EQ(0u, ReportNumber(L"LastError"));
}

struct CancelCase {
  const char* name;
  const wchar_t* progressTitle;
  bool page;
  bool noFinalStatus;
};

TEST_F(TessivaOverKernel, CancelInTheProgressDialogStopsTheJob) {
  const CancelCase cases[] = {
      {"text job", kTextProgressTitle, false, false},
      {"page job", kPageProgressTitle, true, false},
      {"text job, the kernel sends no final status", kTextProgressTitle, false, true},
  };
  ASSERT_TRUE(Browser());
  for (const CancelCase& c : cases) {
    SetSwitch(L"JobStepDelay", 300);
    SetSwitch(L"NoFinalStatus", c.noFinalStatus ? 1 : 0);
    testsupport::DialogWatcher watcher(true);
    watcher.Press(c.progressTitle, IDCANCEL);
    const std::wstring result = folder_.File(L"cancelled.out");
    const DWORD start = GetTickCount();
    HRESULT hr = c.page ? Browser()->TranslatePage(Bstr(L"http://example.test/b").Get(), Bstr(PageSource()).Get(),
                                                   Bstr(result).Get())
                        : Browser()->TranslateTextWithProgress(Bstr(TextSource()).Get(), Bstr(result).Get(),
                                                               Variant::Missing().Get());
    EXPECT_EQ(S_FALSE, hr) << c.name;
    EXPECT_LT(GetTickCount() - start, 20000u) << c.name;
    EXPECT_TRUE(SawWindow(watcher, c.progressTitle)) << c.name;
    EXPECT_NE(static_cast<DWORD>(kJobFailed), ReportNumber(L"LastError")) << c.name << ": a stop is no error";
    ExpectServing(c.name);
  }
}

struct FaultCase {
  const char* name;
  const wchar_t* switchName;
  DWORD value;
  bool translates;  // a text can still go through a context of its own
};

// The kernel refuses to work with Tessiva: the browser object stays, says it
// is disabled and keeps its settings.
TEST_F(TessivaOverKernel, WithoutAWorkingKernelTheBrowserObjectIsDisabledButServes) {
  const FaultCase cases[] = {
      {"log-on refused", L"FailLogOn", 1, true},
      {"kernel not registered", nullptr, 0, false},
  };
  for (const FaultCase& c : cases) {
    RestartServer();
    if (c.switchName) SetSwitch(c.switchName, c.value);
    else ASSERT_TRUE(UnregisterKernel());
    INorvaBrowserClass* browser = Browser();
    ASSERT_TRUE(browser) << c.name;
    LONG disabled = 0;
    EXPECT_EQ(S_OK, browser->get_IsDisable(&disabled)) << c.name;
    EXPECT_NE(0, disabled) << c.name;
    Bstr result;
    HRESULT hr = browser->TranslateText(Bstr(L"hello").Get(), result.Receive());
    EXPECT_EQ(c.translates, SUCCEEDED(hr)) << c.name << std::hex << " 0x" << hr;
    EXPECT_EQ(c.translates, result.Get() != nullptr) << c.name;
    ExpectServing(c.name);
    if (c.switchName) SetSwitch(c.switchName, 0);
    else ASSERT_TRUE(RegisterKernel());
  }
}

TEST_F(TessivaOverKernel, KernelFailuresAreAnsweredAndReported) {
  ASSERT_TRUE(Browser());
  SetSwitch(L"FailTranslation", static_cast<DWORD>(E_ACCESSDENIED));
  Bstr result;
  EXPECT_EQ(E_INVALIDARG, Browser()->TranslateText(Bstr(L"hello").Get(), result.Receive()));
  EXPECT_EQ(nullptr, result.Get());
  EXPECT_EQ(static_cast<DWORD>(E_ACCESSDENIED), ReportNumber(L"LastError"));
  EXPECT_EQ(std::wstring(kTitle), ReportText(L"LastErrorTitle"));
  SetSwitch(L"FailTranslation", 0);

  SetSwitch(L"FailFileJob", 1);
  EXPECT_EQ(S_FALSE, Browser()->TranslateTextWithProgress(Bstr(TextSource()).Get(),
                                                          Bstr(folder_.File(L"failed.txt")).Get(),
                                                          Variant::Missing().Get()));
  EXPECT_EQ(static_cast<DWORD>(kJobFailed), ReportNumber(L"LastError"));
  SetSwitch(L"FailFileJob", 0);
  ExpectServing("after the failures");
  EXPECT_FALSE(Translate(L"hello").empty());
}

// The kernel's about box, from ShowAboutDlg and from the settings frame's
// About button: the kernel serves it under its published service, and
// nothing is reported.
TEST_F(TessivaOverKernel, TheAboutBoxIsTheKernelsFromTheBrowserObjectAndFromTheFrame) {
  ASSERT_TRUE(Browser());
  EXPECT_EQ(S_OK, Browser()->ShowAboutDlg());
  EXPECT_EQ(1u, ReportNumber(L"AboutCount"));
  EXPECT_EQ(std::wstring(kTitle), ReportText(L"LastAboutTitle"));
  testsupport::DialogWatcher watcher(true);
  watcher.OnWindow(L"Options", L"#32770", [](HWND frame) {
    SendMessageW(frame, WM_COMMAND, MAKEWPARAM(IDC_ABOUT, BN_CLICKED), 0);
    testsupport::DialogWatcher::PressButton(frame, IDCANCEL);
  });
  EXPECT_EQ(S_FALSE, Browser()->ShowSettings(0, Variant::Missing().Get()));
  EXPECT_EQ(2u, ReportNumber(L"AboutCount")) << "the frame's About button";
  EXPECT_EQ(0u, ReportNumber(L"ErrorCount"));
}

}  // namespace
