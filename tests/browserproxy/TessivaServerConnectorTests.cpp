// The whole road over the translation server: this process is the client,
// COM starts Tessiva.exe with its connector pointed at the stand-in server
// (TESSIVA_VQD_SERVER, inherited from this process), and the server is a
// real HTTP server run by python3 beside Wine.
#include <gtest/gtest.h>

#include <cctype>
#include <string>

#include "BrowserTestSupport.h"
#include "DialogWatcher.h"
#include "TempFolder.h"
#include "TessivaBrowserClient.h"
#include "TessivaLib.h"
#include "TessivaServer.h"
#include "Utf16File.h"
#include "VQDRequestLog.h"
#include "VQDServerStandIn.h"
#include "platform/com/Bstr.h"
#include "platform/com/ComApartment.h"
#include "platform/com/Variant.h"

namespace {

using platform::Bstr;
using platform::ComPtr;
using platform::Variant;

constexpr DWORD kRequestTimeoutMs = 1500;

class TessivaOverServer : public testing::Test {
 protected:
  static void SetUpTestSuite() {
    tessivaserver::EndServers();
    ASSERT_EQ(0u, tessivaserver::Run(L"/RegServer"));
    server_ = new VQDServerStandIn;
    ASSERT_TRUE(server_->Start()) << server_->Error();
    SetEnvironmentVariableW(L"TESSIVA_VQD_SERVER", server_->UrlBase().c_str());
    SetEnvironmentVariableW(L"TESSIVA_VQD_TIMEOUT_MS", std::to_wstring(kRequestTimeoutMs).c_str());
  }
  static void TearDownTestSuite() {
    SetEnvironmentVariableW(L"TESSIVA_VQD_SERVER", nullptr);
    SetEnvironmentVariableW(L"TESSIVA_VQD_TIMEOUT_MS", nullptr);
    tessivaserver::EndServers();
    if (server_) {
      EXPECT_TRUE(server_->Stop());
    }
    delete server_;
    server_ = nullptr;
  }
  void SetUp() override {
    ASSERT_NE(nullptr, server_);
    server_->SetSwitches("{}");
    server_->ClearRequests();
  }
  void TearDown() override {
    client_.Release();
    tessivaserver::EndServers();
  }
  INorvaBrowserClass* Browser() {
    INorvaBrowserClass* browser = client_.Browser();
    EXPECT_EQ(S_OK, client_.ProxyResult());
    return browser;
  }
  void ExpectServing(const char* context) {
    Variant value;
    EXPECT_EQ(S_OK, Browser()->GetSetting(Bstr(L"LimitedTextAmount").Get(), Variant::Missing().Get(), value.Receive()))
        << context;
    Bstr result;
    EXPECT_EQ(S_OK, Browser()->TranslateText(Bstr(L"memory").Get(), result.Receive())) << context;
    EXPECT_EQ(L"память", std::wstring(result.CStr())) << context;
  }

  static VQDServerStandIn* server_;
  platform::ComApartment apartment_;
  testsupport::ScopedFixedKey browsers_{HKEY_CURRENT_USER, kBrowsersKey};
  testsupport::TempFolder folder_;
  TessivaBrowserClient client_;
};

VQDServerStandIn* TessivaOverServer::server_ = nullptr;

TEST_F(TessivaOverServer, ListsAndTranslatesWhatTheServerOffers) {
  INorvaBrowserClass* browser = Browser();
  ASSERT_TRUE(browser);
  ULONG count = 0;
  EXPECT_EQ(S_OK, browser->get_DirsCount(&count));
  EXPECT_EQ(6u, count);
  Bstr name;
  EXPECT_EQ(S_OK, browser->get_TmplNameByDirIdx(4, 0, name.Receive()));
  EXPECT_EQ(L"C++ & <Code> \"Lab\" = 100%", std::wstring(name.CStr()));
  const std::wstring text = L"C++ & the memory = 100% \"virus\"";
  Bstr result;
  EXPECT_EQ(S_OK, browser->TranslateText(Bstr(text).Get(), result.Receive()));
  EXPECT_EQ(L"C++ & память = 100% \"вирус\"", std::wstring(result.CStr()));
  const auto sent = vqdlog::OfOperation(server_->Requests(), L"TranslateText");
  ASSERT_EQ(1u, sent.size());
  EXPECT_EQ(text, vqdlog::Field(sent[0], "Text"));
}

TEST_F(TessivaOverServer, APageComesBackAsUtf8) {
  ASSERT_TRUE(Browser());
  const std::wstring source =
      folder_.WriteFile(L"page.htm", testsupport::Utf16WithMark(L"<html><body><p>The virus</p></body></html>"));
  const std::wstring target = folder_.File(L"page-result.htm");
  EXPECT_EQ(S_OK, Browser()->TranslatePage(Bstr(L"http://example.test/").Get(), Bstr(source).Get(),
                                           Bstr(target).Get()));
  EXPECT_EQ("<html><body><p>\xD0\xB2\xD0\xB8\xD1\x80\xD1\x83\xD1\x81</p></body></html>",
            testsupport::ReadWholeFile(target));
}

TEST_F(TessivaOverServer, TheAboutBoxShowsTessivasVersionForTheServerEdition) {
  ASSERT_TRUE(Browser());
  std::wstring product, family, build;
  testsupport::DialogWatcher watcher(true);
  watcher.OnWindow(L"About", L"#32770", [&](HWND window) {
    wchar_t text[256] = {};
    GetDlgItemTextW(window, 35002, text, 256);
    product = text;
    GetDlgItemTextW(window, 35004, text, 256);
    family = text;
    GetDlgItemTextW(window, 35003, text, 256);
    build = text;
    testsupport::DialogWatcher::PressButton(window, IDOK);
  });
  EXPECT_EQ(S_OK, Browser()->ShowAboutDlg());
  EXPECT_EQ(L"NORVA for Mozilla FireFox (VQD)", product);
  EXPECT_EQ(L"Included in NORVA 9", family);
  EXPECT_EQ(L"(build number 9.0.0.1)", build);
}

class TessivaOverFailingServer : public TessivaOverServer, public testing::WithParamInterface<const char*> {};

TEST_P(TessivaOverFailingServer, AFailedRequestIsAnsweredInTimeAndTessivaGoesOn) {
  ASSERT_TRUE(Browser());
  server_->SetSwitches(GetParam());
  Bstr result;
  const ULONGLONG start = GetTickCount64();
  EXPECT_EQ(S_FALSE, Browser()->TranslateText(Bstr(L"memory").Get(), result.Receive())) << GetParam();
  EXPECT_LT(GetTickCount64() - start, kRequestTimeoutMs + 3000u) << GetParam();
  server_->SetSwitches("{}");
  ExpectServing(GetParam());
}

INSTANTIATE_TEST_SUITE_P(Replies, TessivaOverFailingServer,
                         testing::Values(R"({"malformed": ["TranslateText"]})",
                                         R"({"status": {"TranslateText": 500}})",
                                         R"({"delayMs": {"TranslateText": 6000}})",
                                         R"({"noAnswer": ["TranslateText"], "noAnswerSeconds": 6})"));

// --- page jobs ---------------------------------------------------------------

const char kUtf8Virus[] = "<p>\xD0\xB2\xD0\xB8\xD1\x80\xD1\x83\xD1\x81</p>";

class TessivaPageJob : public TessivaOverServer {
 protected:
  // A page job through Tessiva and its progress dialog; the page's source.
  HRESULT TranslatePage(std::wstring& target) {
    const std::wstring source =
        folder_.WriteFile(L"page-" + std::to_wstring(++pages_) + L".htm", testsupport::Utf16WithMark(L"<p>The virus</p>"));
    target = folder_.File(L"page-result-" + std::to_wstring(pages_) + L".htm");
    return Browser()->TranslatePage(Bstr(L"http://example.test/").Get(), Bstr(source).Get(), Bstr(target).Get());
  }
  int pages_ = 0;
};

class TessivaOverOtherServers : public TessivaPageJob, public testing::WithParamInterface<const char*> {};

TEST_P(TessivaOverOtherServers, APageJobReadsWhateverTheServerNamesItsElements) {
  ASSERT_TRUE(Browser());
  server_->SetSwitches(GetParam());
  std::wstring target;
  EXPECT_EQ(S_OK, TranslatePage(target)) << GetParam();
  EXPECT_EQ(kUtf8Virus, testsupport::ReadWholeFile(target)) << GetParam();
  EXPECT_TRUE(vqdlog::OfOperation(server_->Requests(), L"StopTanslating").empty()) << GetParam();
  ExpectServing(GetParam());
}

INSTANTIATE_TEST_SUITE_P(Replies, TessivaOverOtherServers,
                         testing::Values(R"({"renameElements": true})",
                                         R"({"soapHeader": true, "whitespace": true, "comments": true})",
                                         R"({"renameElements": true, "soapHeader": true, "whitespace": true})"));

struct FailedJobCase {
  const char* what;
  const char* switches;
  bool cancel;  // the user cancels the progress dialog
};
void PrintTo(const FailedJobCase& c, std::ostream* out) { *out << c.what << " " << c.switches; }

class TessivaFailedPageJob : public TessivaPageJob, public testing::WithParamInterface<FailedJobCase> {};

TEST_P(TessivaFailedPageJob, IsStoppedOnTheServerAndTessivaGoesOn) {
  const FailedJobCase& c = GetParam();
  ASSERT_TRUE(Browser());
  server_->SetSwitches(c.switches);
  testsupport::DialogWatcher watcher(true);
  if (c.cancel) {
    watcher.OnWindow(L"Page Translation", L"#32770", [](HWND window) {
      Sleep(300);
      testsupport::DialogWatcher::PressButton(window, IDCANCEL);
    });
  }
  std::wstring target;
  const ULONGLONG start = GetTickCount64();
  EXPECT_EQ(S_FALSE, TranslatePage(target)) << c.what;
  EXPECT_LT(GetTickCount64() - start, kRequestTimeoutMs + 8000u) << c.what;
  EXPECT_EQ(INVALID_FILE_ATTRIBUTES, GetFileAttributesW(target.c_str())) << c.what;
  const auto requests = server_->Requests();
  const auto stops = vqdlog::OfOperation(requests, L"StopTanslating");
  ASSERT_EQ(1u, stops.size()) << "the stop request, " << c.what;
  const auto polls = vqdlog::OfOperation(requests, L"GetTranslateFileResult");
  if (!polls.empty()) {
    EXPECT_EQ(vqdlog::Field(polls[0], "WorkId"), vqdlog::Field(stops[0], "WorkId")) << c.what;
  } else {
    EXPECT_EQ(0u, vqdlog::Field(stops[0], "WorkId").find(L"job+")) << c.what;
  }
  server_->SetSwitches("{}");
  ExpectServing(c.what);
  EXPECT_EQ(S_OK, TranslatePage(target)) << "the next page, " << c.what;
  EXPECT_EQ(kUtf8Virus, testsupport::ReadWholeFile(target)) << c.what;
}

INSTANTIATE_TEST_SUITE_P(
    Jobs, TessivaFailedPageJob,
    testing::Values(
        FailedJobCase{"a poll reply lacking an element",
                      R"({"renameElements": true, "dropElement": {"GetTranslateFileResult": 5}})", false},
        FailedJobCase{"a start reply lacking its ready flag",
                      R"({"soapHeader": true, "whitespace": true, "dropElement": {"StartTranslateHtmlFile": 1}})",
                      false},
        FailedJobCase{"a poll answered with an error", R"({"status": {"GetTranslateFileResult": 500}})", false},
        FailedJobCase{"a poll never answered",
                      R"({"jobMs": 60000, "noAnswer": ["GetTranslateFileResult"], "noAnswerSeconds": 4})", false},
        FailedJobCase{"a job cancelled", R"({"jobMs": 60000, "renameElements": true})", true}),
    [](const testing::TestParamInfo<FailedJobCase>& info) {
      std::string name;
      bool upper = true;
      for (const char* p = info.param.what; *p; ++p) {
        if (*p == ' ') {
          upper = true;
          continue;
        }
        name += upper ? static_cast<char>(toupper(*p)) : *p;
        upper = false;
      }
      return name;
    });

}  // namespace
