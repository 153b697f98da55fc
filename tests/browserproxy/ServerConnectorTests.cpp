// The translation-server connector against the stand-in server, a real HTTP
// server on the loopback address run by python3 beside Wine.
#include <gtest/gtest.h>
#include <windows.h>

#include <algorithm>
#include <atomic>
#include <functional>
#include <string>
#include <vector>

#include <commctrl.h>

#include "ChildProcess.h"
#include "DialogWatcher.h"
#include "TempFolder.h"
#include "VQDRequestLog.h"
#include "VQDServerStandIn.h"
#include "browserproxy/core/ConnectorFactory.h"
#include "platform/com/MsXml.h"
#include "browserproxy/server/NorvaVQDWrapper.h"
#include "browserproxy/server/ServerConnectorSetup.h"
#include "browserproxy/ui/FileVersionInfo.h"
#include "browserproxy/ui/VQDAtlAboutDlg.h"
#include "platform/base/SystemMessage.h"
#include "platform/com/Bstr.h"
#include "platform/com/ComApartment.h"
#include "platform/com/ComError.h"
#include "platform/com/ComPtr.h"

using platform::ComError;

namespace {

constexpr long kEnglishRussian = 0x00020001;
constexpr long kRussianEnglish = 0x00010002;
const std::wstring kSpecialTemplate = L"C++ & <Code> \"Lab\" = 100%";

// The HRESULT a call raised, S_OK when it raised nothing.
template <class Call>
HRESULT Raised(Call&& call) {
  try {
    call();
    return S_OK;
  } catch (const ComError& e) {
    return e.Result();
  }
}

class ServerConnectorTest : public testing::Test {
 protected:
  static void SetUpTestSuite() {
    server_ = new VQDServerStandIn;
    ASSERT_TRUE(server_->Start()) << server_->Error();
  }
  static void TearDownTestSuite() {
    EXPECT_TRUE(server_->Stop()) << "the server outlived its stop";
    delete server_;
    server_ = nullptr;
  }
  void SetUp() override {
    ASSERT_NE(nullptr, server_);
    server_->SetSwitches("{}");
    server_->ClearRequests();
    connector_.SetTimeouts(10000, 60000);
  }
  void Connect() { ASSERT_TRUE(connector_.Connect(server_->UrlBase())); }
  std::vector<std::string> Requests(const std::wstring& operation) const {
    return vqdlog::OfOperation(server_->Requests(), operation);
  }

  static VQDServerStandIn* server_;
  platform::ComApartment apartment_;
  testsupport::DialogWatcher watcher_;
  CNorvaVQDWrapper connector_{L"NORVA for Mozilla FireFox"};
};

VQDServerStandIn* ServerConnectorTest::server_ = nullptr;

TEST_F(ServerConnectorTest, ConnectLoadsDirectionsTemplatesAndTheFirstPair) {
  EXPECT_TRUE(connector_.IsDisable()) << "busy until a connect succeeds";
  EXPECT_EQ(-1, connector_.GetActiveDirID()) << "no direction before a connect";
  EXPECT_EQ(0u, connector_.GetTmplCount());
  Connect();
  EXPECT_FALSE(connector_.IsDisable());
  ASSERT_EQ(6u, connector_.GetDirsCount());
  EXPECT_EQ(L"English-Russian", connector_.GetDirName(0));
  EXPECT_EQ(kEnglishRussian, connector_.GetDirID(0));
  EXPECT_EQ(kRussianEnglish, connector_.GetDirID(1));
  ASSERT_EQ(5u, connector_.GetTmplCountByDirIdx(0));
  EXPECT_EQ(4u, connector_.GetTmplCountByDirIdx(1));
  EXPECT_EQ(L"Computers and Internet", connector_.GetTmplNameByDirIdx(1, 0));
  EXPECT_EQ(kSpecialTemplate, connector_.GetTmplNameByDirIdx(4, 0)) << "attribute entities are decoded";
  EXPECT_EQ(kEnglishRussian, connector_.GetActiveDirID());
  EXPECT_EQ(L"GENERAL", connector_.GetActiveTplId());
  EXPECT_EQ(0u, connector_.GetActiveDirIndex());
  EXPECT_EQ(0u, connector_.GetActiveTplIndex());
  const auto directions = Requests(L"GetDirections");
  ASSERT_EQ(1u, directions.size());
  EXPECT_EQ(L"application/x-www-form-urlencoded", vqdlog::Field(directions[0], "contentType"));
  EXPECT_NE(std::string::npos, directions[0].find("\"bodyLength\": 0,")) << "no body";
  EXPECT_EQ(6u, Requests(L"GetTemplates").size());
}

TEST_F(ServerConnectorTest, AnEmptyAddressFailsWithoutARequest) {
  EXPECT_FALSE(connector_.Connect(L""));
  EXPECT_TRUE(connector_.IsDisable());
  EXPECT_TRUE(server_->Requests().empty());
}

TEST_F(ServerConnectorTest, UnknownDirectionIdSelectsTheFirstPair) {
  Connect();
  connector_.SetActiveDirIndex(2);
  EXPECT_EQ(0, connector_.SelectDirectionById(0x12345678));
  EXPECT_EQ(kEnglishRussian, connector_.GetActiveDirID());
  EXPECT_EQ(L"GENERAL", connector_.GetActiveTplId());
  EXPECT_EQ(1, connector_.SelectDirectionById(-1)) << "-1 changes nothing";
  EXPECT_EQ(0, connector_.SelectDirectionById(kRussianEnglish));
  EXPECT_EQ(1u, connector_.GetActiveDirIndex());
}

TEST_F(ServerConnectorTest, TemplateOfAnotherDirectionSelectsTheFirstTemplate) {
  Connect();
  EXPECT_EQ(0, connector_.SetActiveTplId(L"MEDICAL"));
  EXPECT_EQ(3u, connector_.GetActiveTplIndex());
  connector_.SetActiveDirID(kRussianEnglish);
  EXPECT_EQ(0, connector_.SetActiveTplId(L"CODE+1")) << "a template only English-Russian has";
  EXPECT_EQ(L"GENERAL", connector_.GetActiveTplId());
  EXPECT_EQ(1, connector_.SetActiveTplId(L""));
}

// The lists show names, and a caller that shows them hands a name over: it
// chooses that template, never silently the first.
TEST_F(ServerConnectorTest, ATemplateIsChosenByItsIdentifierOrItsName) {
  Connect();
  const struct {
    const wchar_t* given;
    const wchar_t* active;
  } cases[] = {
      {L"Medicine", L"MEDICAL"},
      {L"COMPUTER", L"COMPUTER"},
      {L"Business and Finance", L"BUSINESS"},
      {L"medicine", L"GENERAL"},  // neither: the first template
  };
  for (const auto& c : cases) {
    EXPECT_EQ(0, connector_.SetActiveTplId(c.given)) << testing::PrintToString(std::wstring(c.given));
    EXPECT_EQ(c.active, connector_.GetActiveTplId()) << testing::PrintToString(std::wstring(c.given));
  }
}

TEST_F(ServerConnectorTest, ChangingTheDirectionSelectsItsFirstTemplate) {
  Connect();
  connector_.SetActiveTplId(L"CODE+1");
  connector_.SetActiveDirIndex(1);
  EXPECT_EQ(L"GENERAL", connector_.GetActiveTplId()) << "no template of the previous direction stays active";
  std::wstring result;
  connector_.TranslateText(L"memory", result, 0);
  const auto sent = Requests(L"TranslateText");
  ASSERT_EQ(1u, sent.size());
  EXPECT_EQ(L"65538", vqdlog::Field(sent[0], "DirId"));
  EXPECT_EQ(L"General", vqdlog::Field(sent[0], "TplId"));
}

TEST_F(ServerConnectorTest, IndexesOutsideTheListsAreRefused) {
  Connect();
  EXPECT_EQ(E_INVALIDARG, Raised([&] { connector_.GetDirName(6); }));
  EXPECT_EQ(E_INVALIDARG, Raised([&] { connector_.GetDirID(100); }));
  EXPECT_EQ(E_INVALIDARG, Raised([&] { connector_.GetTmplCountByDirIdx(6); }));
  EXPECT_EQ(E_INVALIDARG, Raised([&] { connector_.GetTmplNameByDirIdx(5, 0); }));
  EXPECT_EQ(E_INVALIDARG, Raised([&] { connector_.GetTmplName(9); }));
  EXPECT_EQ(E_INVALIDARG, Raised([&] { connector_.SetActiveDirIndex(6); }));
  EXPECT_EQ(0u, connector_.GetActiveDirIndex()) << "a refused index changes nothing";
}

TEST_F(ServerConnectorTest, NoDirectionsLeaveNothingActive) {
  Connect();
  server_->SetSwitches(R"({"noDirections": true})");
  EXPECT_TRUE(connector_.Connect(server_->UrlBase()));
  EXPECT_EQ(0u, connector_.GetDirsCount());
  EXPECT_EQ(-1, connector_.GetActiveDirID());
  EXPECT_EQ(L"", connector_.GetActiveTplId());
  EXPECT_EQ(0u, connector_.GetTmplCount());
  EXPECT_EQ(1, connector_.SelectDirectionById(kEnglishRussian));
  EXPECT_EQ(E_INVALIDARG, Raised([&] { connector_.GetTmplName(0); }));
}

TEST_F(ServerConnectorTest, ADirectionWithoutTemplatesHasNoActiveTemplate) {
  server_->SetSwitches(R"({"noTemplates": ["65538"]})");
  Connect();
  connector_.SetActiveDirIndex(1);
  EXPECT_EQ(0u, connector_.GetTmplCount());
  EXPECT_EQ(L"", connector_.GetActiveTplId());
  EXPECT_EQ(0u, connector_.GetActiveTplIndex());
  EXPECT_EQ(0, connector_.SetActiveTplId(L"GENERAL"));
  EXPECT_EQ(L"", connector_.GetActiveTplId());
}

TEST_F(ServerConnectorTest, AFailedConnectKeepsTheListsItHad) {
  Connect();
  server_->SetSwitches(R"({"status": {"GetTemplates": 500}})");
  EXPECT_EQ(static_cast<HRESULT>(0x80140005), Raised([&] { connector_.Connect(server_->UrlBase()); }));
  EXPECT_TRUE(connector_.IsDisable());
  EXPECT_EQ(6u, connector_.GetDirsCount());
  EXPECT_EQ(kEnglishRussian, connector_.GetActiveDirID());
  EXPECT_EQ(L"GENERAL", connector_.GetActiveTplId());
}

// --- texts -----------------------------------------------------------------

struct TextCase {
  const wchar_t* text;
  const wchar_t* expected;  // the English-Russian translation
};

class ServerTextTest : public ServerConnectorTest, public testing::WithParamInterface<TextCase> {};

TEST_P(ServerTextTest, EveryCharacterArrivesAsSent) {
  Connect();
  connector_.SetActiveTplId(L"CODE+1");
  const TextCase& c = GetParam();
  std::wstring result;
  ASSERT_TRUE(connector_.TranslateText(c.text, result, 0));
  EXPECT_EQ(std::wstring(c.expected), result);
  const auto sent = Requests(L"TranslateText");
  ASSERT_EQ(1u, sent.size());
  EXPECT_EQ(std::wstring(c.text), vqdlog::Field(sent[0], "Text"));
  EXPECT_EQ(L"131073", vqdlog::Field(sent[0], "DirId"));
  EXPECT_EQ(kSpecialTemplate, vqdlog::Field(sent[0], "TplId"));
}

INSTANTIATE_TEST_SUITE_P(
    Texts, ServerTextTest,
    testing::Values(TextCase{L"x y+z", L"x y+z"}, TextCase{L"C++ = q+r", L"C++ = q+r"},
                    TextCase{L"q&r/s%20?x#y;z:w", L"q&r/s%20?x#y;z:w"},
                    TextCase{L"x\ny\r\nz\rq\t", L"x\ny\r\nz\rq\t"}, TextCase{L"  memory  ", L"  память  "},
                    TextCase{L"<b>\"'`{|}^[]~\\</b>", L"<b>\"'`{|}^[]~\\</b>"},
                    TextCase{L"The memory and the virus", L"память и вирус"},
                    TextCase{L"Память и вирус", L"Память и вирус"},
                    TextCase{L"\xD83D\xDE00 \x00E9t\x00E9 \x00A0 \x20AC", L"\xD83D\xDE00 \x00E9t\x00E9 \x00A0 \x20AC"}));

TEST_F(ServerConnectorTest, ASingleWordAsksTheDictionary) {
  Connect();
  std::wstring result;
  ASSERT_TRUE(connector_.TranslateText(L"memory", result, 1));
  EXPECT_EQ(1u, Requests(L"TranslateTextWithED").size());
  EXPECT_EQ(0u, Requests(L"TranslateText").size());
  // The answer is the dictionary XML that the server list reads.
  platform::ComPtr<IXMLDOMDocument> document =
      platform::ComPtr<IXMLDOMDocument>::Create(msxml::kDomDocument, CLSCTX_INPROC_SERVER);
  VARIANT_BOOL loaded = VARIANT_FALSE;
  ASSERT_EQ(S_OK, document->loadXML(platform::Bstr(result).Get(), &loaded)) << std::string(result.begin(), result.end());
  ASSERT_EQ(VARIANT_TRUE, loaded);
  platform::ComPtr<IXMLDOMNodeList> forms;
  ASSERT_EQ(S_OK, document->getElementsByTagName(platform::Bstr(L"cform").Get(), forms.Receive()));
  long count = 0;
  forms->get_length(&count);
  ASSERT_EQ(1, count);
  platform::ComPtr<IXMLDOMNode> form;
  forms->get_item(0, form.Receive());
  auto text = [&](const wchar_t* path) {
    platform::ComPtr<IXMLDOMNode> node;
    form->selectSingleNode(platform::Bstr(path).Get(), node.Receive());
    platform::Bstr value;
    if (node) node->get_text(value.Receive());
    return value.Str();
  };
  EXPECT_EQ(L"memory", text(L"source"));
  EXPECT_EQ(L"1", text(L"psp"));
  EXPECT_EQ(L"&#1087;&#1072;&#1084;&#1103;&#1090;&#1100;", text(L"translations/translation/result"))
      << "the list decodes the character references itself";
}

TEST_F(ServerConnectorTest, TextsWithSpacesNeverAskTheDictionary) {
  Connect();
  for (const wchar_t* text : {L"the memory", L"memory\tvirus", L"memory\nvirus"}) {
    std::wstring result;
    ASSERT_TRUE(connector_.TranslateText(text, result, 1));
  }
  EXPECT_EQ(0u, Requests(L"TranslateTextWithED").size());
  EXPECT_EQ(3u, Requests(L"TranslateText").size());
}

TEST_F(ServerConnectorTest, AFailingDictionaryFallsBackToTheTranslation) {
  Connect();
  server_->SetSwitches(R"({"failED": true})");
  std::wstring result;
  ASSERT_TRUE(connector_.TranslateText(L"Memory", result, 1));
  EXPECT_EQ(L"Память", result);
  EXPECT_EQ(1u, Requests(L"TranslateTextWithED").size());
  EXPECT_EQ(1u, Requests(L"TranslateText").size());
}

// --- statuses, bad replies, time-outs ---------------------------------------

struct StatusCase {
  int status;
  HRESULT form;
  HRESULT soap;
};

class ServerStatusTest : public ServerConnectorTest, public testing::WithParamInterface<StatusCase> {};

TEST_P(ServerStatusTest, EachStatusHasItsResult) {
  Connect();
  const StatusCase& c = GetParam();
  server_->SetSwitches("{\"status\": {\"TranslateText\": " + std::to_string(c.status) +
                       ", \"StartTranslateFile\": " + std::to_string(c.status) + "}}");
  std::wstring result;
  EXPECT_EQ(c.form, Raised([&] { connector_.TranslateText(L"memory", result, 0); })) << "status " << c.status;
  testsupport::TempFolder folder;
  TranslateFileJob job;
  job.fileKind = 2;
  job.sourcePath = folder.WriteFile(L"in.txt", "memory");
  job.destinationPath = folder.File(L"out.txt");
  EXPECT_EQ(c.soap, Raised([&] { connector_.TranslateFile(job); })) << "status " << c.status;
  EXPECT_EQ(INVALID_FILE_ATTRIBUTES, GetFileAttributesW(job.destinationPath.c_str()));
}

INSTANTIATE_TEST_SUITE_P(
    Statuses, ServerStatusTest,
    testing::Values(StatusCase{401, HRESULT(0x80030005), HRESULT(0x80030005)},
                    StatusCase{403, HRESULT(0x80030005), HRESULT(0x80030005)},
                    StatusCase{404, HRESULT(0x80140003), HRESULT(0x80140003)},
                    StatusCase{405, HRESULT(0x80140003), E_UNEXPECTED},
                    StatusCase{406, E_UNEXPECTED, HRESULT(0x80030005)},
                    StatusCase{500, HRESULT(0x80140004), HRESULT(0x80140004)},
                    StatusCase{502, HRESULT(0x80030006), HRESULT(0x80030006)},
                    StatusCase{418, E_UNEXPECTED, E_UNEXPECTED}));

struct ConnectCase {
  const char* switches;
  HRESULT raised;
};

class ServerConnectStatusTest : public ServerConnectorTest, public testing::WithParamInterface<ConnectCase> {};

TEST_P(ServerConnectStatusTest, ConnectRaisesWhatTheCallerHandles) {
  server_->SetSwitches(GetParam().switches);
  EXPECT_EQ(GetParam().raised, Raised([&] { connector_.Connect(server_->UrlBase()); })) << GetParam().switches;
  EXPECT_TRUE(connector_.IsDisable());
}

INSTANTIATE_TEST_SUITE_P(ConnectStatuses, ServerConnectStatusTest,
                         testing::Values(ConnectCase{R"({"status": {"GetDirections": 500}})", HRESULT(0x80140005)},
                                         ConnectCase{R"({"status": {"GetDirections": 401}})", HRESULT(0x80030005)},
                                         ConnectCase{R"({"status": {"GetTemplates": 403}})", HRESULT(0x80030005)},
                                         ConnectCase{R"({"status": {"GetDirections": 404}})", HRESULT(0x80140003)}));

TEST_F(ServerConnectorTest, ConnectToNobodyIsUnreachable) {
  const std::wstring nobody = L"http://127.0.0.1:" + std::to_wstring(VQDServerStandIn::FreePort()) + L"/vqd";
  EXPECT_EQ(HRESULT(0x80140003), Raised([&] { connector_.Connect(nobody); }));
  EXPECT_TRUE(connector_.IsDisable());
}

// The words a box shows for an error: the system's text, or "Unknown error"
// and the code when the system has none (Wine has none for these two).
std::wstring ErrorWords(HRESULT hr) {
  std::wstring text = platform::SystemMessageText(static_cast<DWORD>(hr));
  if (!text.empty()) return text;
  wchar_t code[16];
  swprintf(code, 16, L"0x%08lX", static_cast<unsigned long>(hr));
  return L"Unknown error " + std::wstring(code);
}

TEST_F(ServerConnectorTest, OtherConnectFailuresAreShownInWordsAndAnsweredFalse) {
  struct BoxCase {
    const char* switches;
    HRESULT shown;
  };
  for (const BoxCase& c : {BoxCase{R"({"malformed": ["GetDirections"]})", E_UNEXPECTED},
                           BoxCase{R"({"missing": ["GetDirections"]})", E_POINTER}}) {
    server_->SetSwitches(c.switches);
    testsupport::DialogWatcher watcher;
    watcher.Press(L"NORVA for Mozilla FireFox", IDOK);
    EXPECT_FALSE(connector_.Connect(server_->UrlBase())) << c.switches;
    EXPECT_TRUE(watcher.WaitSeen(L"NORVA for Mozilla FireFox", 1000)) << "the message box, " << c.switches;
    EXPECT_TRUE(connector_.IsDisable());
    const auto seen = watcher.Seen();
    ASSERT_FALSE(seen.empty()) << c.switches;
    const auto& texts = seen.front().texts;
    EXPECT_NE(texts.end(), std::find(texts.begin(), texts.end(), ErrorWords(c.shown)))
        << "the box says " << testing::PrintToString(texts) << ", " << c.switches;
  }
}

TEST_F(ServerConnectorTest, AMalformedReplyIsAFailure) {
  Connect();
  server_->SetSwitches(R"({"malformed": ["TranslateText"]})");
  std::wstring result = L"untouched";
  EXPECT_EQ(E_UNEXPECTED, Raised([&] { connector_.TranslateText(L"memory", result, 0); }));
  EXPECT_EQ(L"untouched", result);
}

struct StallCase {
  const char* switches;
};

class ServerStallTest : public ServerConnectorTest, public testing::WithParamInterface<const char*> {};

TEST_P(ServerStallTest, AStalledServerFailsWithinTheTimeOut) {
  Connect();
  connector_.SetTimeouts(700, 60000);
  server_->SetSwitches(GetParam());
  std::wstring result;
  const ULONGLONG start = GetTickCount64();
  EXPECT_EQ(HRESULT(0x80140003), Raised([&] { connector_.TranslateText(L"memory", result, 0); }));
  const ULONGLONG took = GetTickCount64() - start;
  EXPECT_GE(took, 600u);
  EXPECT_LT(took, 3000u) << "the request is given up after its time-out";
  server_->SetSwitches("{}");
  ASSERT_TRUE(connector_.TranslateText(L"memory", result, 0)) << "the connector still serves";
  EXPECT_EQ(L"память", result);
  // The late answer (or the closed connection) arrives while messages are
  // dispatched: the request given up on must take it without harm.
  const ULONGLONG until = GetTickCount64() + 2500;
  while (GetTickCount64() < until) {
    MSG msg;
    while (PeekMessageW(&msg, nullptr, 0, 0, PM_REMOVE)) DispatchMessageW(&msg);
    Sleep(10);
  }
  ASSERT_TRUE(connector_.TranslateText(L"virus", result, 0)) << "the connector serves after the late answer";
  EXPECT_EQ(L"вирус", result);
}

INSTANTIATE_TEST_SUITE_P(Stalls, ServerStallTest,
                         testing::Values(R"({"delayMs": {"TranslateText": 2000}})",
                                         R"({"noAnswer": ["TranslateText"], "noAnswerSeconds": 2})"));


// --- file and page jobs ------------------------------------------------------

std::string Utf16(const std::wstring& text, bool bom = true) {
  std::string bytes = bom ? std::string("\xFF\xFE", 2) : std::string();
  bytes.append(reinterpret_cast<const char*>(text.data()), text.size() * 2);
  return bytes;
}

std::string Utf8(const std::wstring& text) {
  std::string out(WideCharToMultiByte(CP_UTF8, 0, text.c_str(), static_cast<int>(text.size()), nullptr, 0, nullptr, nullptr), '\0');
  WideCharToMultiByte(CP_UTF8, 0, text.c_str(), static_cast<int>(text.size()), out.data(), static_cast<int>(out.size()), nullptr, nullptr);
  return out;
}

// How the stand-in server writes its replies. The connector reads a job's
// replies by position, so every job test runs under each of these.
struct ServerStyle {
  const char* name;
  const char* switches;  // JSON members added to every switch set of the test
};

const ServerStyle kServerStyles[] = {
    {"NamesOfTheStandIn", ""},
    {"RenamedElements", R"("renameElements": true)"},
    {"HeaderIndentationComments", R"("soapHeader": true, "whitespace": true, "comments": true)"},
};

std::string StyleName(const testing::TestParamInfo<ServerStyle>& info) { return info.param.name; }
void PrintTo(const ServerStyle& style, std::ostream* out) { *out << style.name; }

class ServerJobTest : public ServerConnectorTest {
 protected:
  void SetUpJobs(const char* style) {
    style_ = style;
    SetSwitches("{}");
  }
  // The test's switches with the style's.
  void SetSwitches(const std::string& json) {
    if (style_.empty()) return server_->SetSwitches(json);
    const std::string rest = json.substr(json.find('{') + 1);
    const bool none = rest.find_first_not_of(" }") == std::string::npos;
    server_->SetSwitches("{" + style_ + (none ? "}" : ", " + rest));
  }
  TranslateFileJob Job(long kind, const std::string& bytes) {
    TranslateFileJob job;
    job.fileKind = kind;
    job.sourcePath = folder_.WriteFile(L"source-" + std::to_wstring(++files_) + L".txt", bytes);
    job.destinationPath = folder_.File(L"result-" + std::to_wstring(files_) + L".txt");
    return job;
  }
  bool Exists(const std::wstring& path) { return GetFileAttributesW(path.c_str()) != INVALID_FILE_ATTRIBUTES; }
  // The connector goes on after a failed job: a text and a whole job.
  void ExpectServing(const std::string& context) {
    SetSwitches("{}");
    std::wstring result;
    ASSERT_TRUE(connector_.TranslateText(L"memory", result, 0)) << context;
    EXPECT_EQ(L"память", result) << context;
    TranslateFileJob job = Job(2, "virus");
    ASSERT_TRUE(connector_.TranslateFile(job)) << context;
    EXPECT_EQ("\xD0\xB2\xD0\xB8\xD1\x80\xD1\x83\xD1\x81", testsupport::ReadWholeFile(job.destinationPath)) << context;
  }
  // The one stop request the server got, for the job its first poll named
  // (or, with no poll, a job it handed out).
  void ExpectOneStop(const std::string& context) {
    const auto stops = Requests(L"StopTanslating");
    ASSERT_EQ(1u, stops.size()) << "the server is told to stop the job, " << context;
    const auto polls = Requests(L"GetTranslateFileResult");
    if (!polls.empty())
      EXPECT_EQ(vqdlog::Field(polls[0], "WorkId"), vqdlog::Field(stops[0], "WorkId")) << context;
    else
      EXPECT_EQ(0u, vqdlog::Field(stops[0], "WorkId").find(L"job+")) << context;
  }

  std::string style_;
  testsupport::TempFolder folder_;
  int files_ = 0;
};

class ServerFileJobTest : public ServerJobTest, public testing::WithParamInterface<ServerStyle> {
 protected:
  void SetUp() override {
    ServerJobTest::SetUp();
    SetUpJobs(GetParam().switches);
  }
};

TEST_P(ServerFileJobTest, AUnicodeTextFileIsTranslatedAsItsBytes) {
  Connect();
  TranslateFileJob job = Job(1, Utf16(L"The memory\r\nand the virus"));
  ASSERT_TRUE(connector_.TranslateFile(job));
  EXPECT_EQ(Utf16(L"память\r\nи вирус"), testsupport::ReadWholeFile(job.destinationPath));
  const auto started = Requests(L"StartTranslateFile");
  ASSERT_EQ(1u, started.size());
  EXPECT_EQ(L"text/plain; charset=unicode", vqdlog::Field(started[0], "FileType"));
  EXPECT_EQ(L"text/xml; charset=utf-8", vqdlog::Field(started[0], "contentType"));
  EXPECT_EQ(L"\"http://norvasoft.example/Services/StartTranslateFile\"", vqdlog::Field(started[0], "soapAction"));
  EXPECT_EQ(L"http://norvasoft.example/Services/", vqdlog::Field(started[0], "namespace"));
  EXPECT_FALSE(Requests(L"GetTranslateFileResult").empty());
}

TEST_P(ServerFileJobTest, TemplateNamesAreEscapedInTheEnvelope) {
  Connect();
  connector_.SetActiveTplId(L"CODE+1");
  TranslateFileJob job = Job(2, Utf8(L"memory & virus"));
  ASSERT_TRUE(connector_.TranslateFile(job));
  EXPECT_EQ(Utf8(L"память & вирус"), testsupport::ReadWholeFile(job.destinationPath));
  const auto started = Requests(L"StartTranslateFile");
  ASSERT_EQ(1u, started.size());
  EXPECT_EQ(kSpecialTemplate, vqdlog::Field(started[0], "TplId"));
  EXPECT_EQ(L"", vqdlog::Field(started[0], "parseError"));
  const auto polls = Requests(L"GetTranslateFileResult");
  ASSERT_FALSE(polls.empty());
  EXPECT_NE(std::wstring::npos, vqdlog::Field(polls[0], "WorkId").find(L"job+")) << "the WorkId's + arrives as +";
}

TEST_P(ServerFileJobTest, APageIsWrittenAsTheUtf8TheServerSent) {
  Connect();
  TranslateFileJob job = Job(21, Utf16(L"<html><head><title>Memory</title></head><body><p>The virus</p></body></html>"));
  job.options.emplace_back(L"FLAGS", platform::Variant::FromInt32(0));
  job.options.emplace_back(L"URLBase", platform::Variant::FromString(L"http://example.org/a?b=1&c=2"));
  ASSERT_TRUE(connector_.TranslateFile(job));
  EXPECT_EQ(Utf8(L"<html><head><title>Память</title></head><body><p>вирус</p></body></html>"),
            testsupport::ReadWholeFile(job.destinationPath));
  const auto started = Requests(L"StartTranslateHtmlFile");
  ASSERT_EQ(1u, started.size());
  EXPECT_EQ(L"http://example.org/a?b=1&c=2", vqdlog::Field(started[0], "URLBase"));
  EXPECT_EQ(L"text/html;charset=unicode", vqdlog::Field(started[0], "ContentType"));
  EXPECT_EQ(L"", vqdlog::Field(started[0], "HrefPrefix"));
  EXPECT_TRUE(vqdlog::Has(started[0], "HrefPrefix"));
}

TEST_P(ServerFileJobTest, RepliesAreReadWhateverSurroundsTheirElements) {
  Connect();
  SetSwitches(R"({"soapHeader": true, "whitespace": true})");
  EXPECT_TRUE(connector_.Connect(server_->UrlBase()));
  EXPECT_EQ(6u, connector_.GetDirsCount());
  TranslateFileJob job = Job(2, "memory");
  ASSERT_TRUE(connector_.TranslateFile(job));
  EXPECT_EQ(Utf8(L"память"), testsupport::ReadWholeFile(job.destinationPath));
}

TEST_P(ServerFileJobTest, AJobFinishedAtItsStartStillGivesItsResult) {
  Connect();
  SetSwitches(R"({"readyAtStart": true})");
  TranslateFileJob job = Job(2, "virus");
  ASSERT_TRUE(connector_.TranslateFile(job));
  EXPECT_EQ(Utf8(L"вирус"), testsupport::ReadWholeFile(job.destinationPath));
}

TEST_P(ServerFileJobTest, ASourceOthersReadStaysReadable) {
  Connect();
  TranslateFileJob job = Job(2, "memory");
  HANDLE reader = CreateFileW(job.sourcePath.c_str(), GENERIC_READ, FILE_SHARE_READ, nullptr, OPEN_EXISTING, 0, nullptr);
  ASSERT_NE(INVALID_HANDLE_VALUE, reader);
  EXPECT_TRUE(connector_.TranslateFile(job)) << "the source is opened for reading, shared";
  CloseHandle(reader);
}

TEST_P(ServerFileJobTest, AMissingSourceIsAFailureWithoutARequest) {
  Connect();
  server_->ClearRequests();
  TranslateFileJob job = Job(2, "x");
  job.sourcePath = folder_.File(L"nothing-here.txt");
  EXPECT_FALSE(connector_.TranslateFile(job));
  EXPECT_FALSE(Exists(job.destinationPath));
  EXPECT_TRUE(server_->Requests().empty());
}

TEST_P(ServerFileJobTest, AnEmptyResultLeavesTheDestinationAlone) {
  Connect();
  TranslateFileJob job = Job(2, "");
  EXPECT_FALSE(connector_.TranslateFile(job));
  EXPECT_FALSE(Exists(job.destinationPath));
}

TEST_P(ServerFileJobTest, AReplyWithoutItsNodesIsAFailure) {
  Connect();
  SetSwitches(R"({"missing": ["StartTranslateFile"]})");
  TranslateFileJob job = Job(2, "memory");
  EXPECT_EQ(E_POINTER, Raised([&] { connector_.TranslateFile(job); }));
  SetSwitches(R"({"missing": ["GetTranslateFileResult"]})");
  EXPECT_EQ(E_POINTER, Raised([&] { connector_.TranslateFile(job); }));
  EXPECT_FALSE(Exists(job.destinationPath));
}

TEST_P(ServerFileJobTest, AJobWithoutSinkEndsWithinItsTimeOut) {
  Connect();
  connector_.SetTimeouts(5000, 500);
  SetSwitches(R"({"jobMs": 60000})");
  TranslateFileJob job = Job(2, "memory");
  const ULONGLONG start = GetTickCount64();
  EXPECT_EQ(HRESULT(0x80140003), Raised([&] { connector_.TranslateFile(job); }));
  EXPECT_LT(GetTickCount64() - start, 5000u);
  EXPECT_EQ(1u, Requests(L"StopTanslating").size()) << "the server is told to stop the job";
  EXPECT_FALSE(Exists(job.destinationPath));
}

TEST_P(ServerFileJobTest, AStartReplyLackingItsReadyFlagStopsTheJob) {
  Connect();
  for (const char* operation : {"StartTranslateFile", "StartTranslateHtmlFile"}) {
    server_->ClearRequests();
    SetSwitches(std::string(R"({"dropElement": {")") + operation + R"(": 1}})");
    TranslateFileJob job = Job(std::string(operation) == "StartTranslateFile" ? 2 : 21, Utf16(L"memory"));
    EXPECT_EQ(E_POINTER, Raised([&] { connector_.TranslateFile(job); })) << operation;
    EXPECT_FALSE(Exists(job.destinationPath)) << operation;
    EXPECT_TRUE(Requests(L"GetTranslateFileResult").empty()) << operation;
    ExpectOneStop(operation);
  }
  ExpectServing("after the failed starts");
}

struct PollFailure {
  const char* switches;
  HRESULT raised;  // by a job without a progress dialog
};

const PollFailure kPollFailures[] = {
    {R"({"dropElement": {"GetTranslateFileResult": 5}})", E_POINTER},
    {R"({"dropElement": {"GetTranslateFileResult": 1}})", E_POINTER},
    {R"({"dropElement": {"GetTranslateFileResult": 3}})", E_POINTER},
    {R"({"missing": ["GetTranslateFileResult"]})", E_POINTER},
    {R"({"malformed": ["GetTranslateFileResult"]})", E_UNEXPECTED},
    {R"({"status": {"GetTranslateFileResult": 500}})", HRESULT(0x80140004)},
};

TEST_P(ServerFileJobTest, AFailedPollStopsTheJobAndTheConnectorGoesOn) {
  Connect();
  for (const PollFailure& c : kPollFailures) {
    server_->ClearRequests();
    SetSwitches(c.switches);
    TranslateFileJob job = Job(2, "memory");
    EXPECT_EQ(c.raised, Raised([&] { connector_.TranslateFile(job); })) << c.switches;
    EXPECT_FALSE(Exists(job.destinationPath)) << c.switches;
    ExpectOneStop(c.switches);
    ExpectServing(c.switches);
  }
}

INSTANTIATE_TEST_SUITE_P(Styles, ServerFileJobTest, testing::ValuesIn(kServerStyles), StyleName);

}  // namespace

#include "browserproxy/ui/ProgressDlg.h"

namespace {

void InitProgressControls() {
  INITCOMMONCONTROLSEX controls{sizeof(controls), ICC_PROGRESS_CLASS};
  InitCommonControlsEx(&controls);
}

class ServerProgressTest : public ServerFileJobTest {
 protected:
  void SetUp() override {
    ServerFileJobTest::SetUp();
    InitProgressControls();
  }
};

TEST_P(ServerProgressTest, AJobWithProgressEndsTheDialogItself) {
  Connect();
  SetSwitches(R"({"jobMs": 600})");
  CProgressDlg dialog(L"Page Translation");
  TranslateFileJob job = Job(21, Utf16(L"<p>The memory</p>"));
  job.progress = &dialog;
  std::atomic<int> highest{0};
  watcher_.OnWindow(L"Page Translation", L"#32770", [&](HWND window) {
    // The bar moves while the server works.
    for (int i = 0; i < 40 && IsWindow(window); ++i) {
      highest = std::max<int>(highest, static_cast<int>(SendMessageW(GetDlgItem(window, 201), PBM_GETPOS, 0, 0)));
      Sleep(20);
    }
  });
  const ULONGLONG start = GetTickCount64();
  ASSERT_TRUE(connector_.TranslateFile(job));
  EXPECT_LT(GetTickCount64() - start, 10000u);
  EXPECT_EQ(Utf8(L"<p>память</p>"), testsupport::ReadWholeFile(job.destinationPath));
  EXPECT_TRUE(watcher_.WaitSeen(L"Page Translation", 100));
  EXPECT_GT(highest.load(), 0) << "progress reached the bar";
  EXPECT_EQ(nullptr, dialog.GetHwnd()) << "the dialog has ended";
  EXPECT_EQ(nullptr, dialog.StopHandler()) << "the job's stop handler is gone with it";
  EXPECT_TRUE(Requests(L"StopTanslating").empty());
}

struct CancelCase {
  ServerStyle style;
  long kind;
};
void PrintTo(const CancelCase& c, std::ostream* out) { *out << c.style.name << ", file kind " << c.kind; }

class ServerCancelTest : public ServerJobTest, public testing::WithParamInterface<CancelCase> {
 protected:
  void SetUp() override {
    ServerJobTest::SetUp();
    SetUpJobs(GetParam().style.switches);
    InitProgressControls();
  }
  long Kind() const { return GetParam().kind; }
};

TEST_P(ServerCancelTest, CancelStopsTheJobOnTheServerAndWritesNothing) {
  Connect();
  // A finished job first: its result must not become the cancelled job's.
  TranslateFileJob first = Job(2, "memory");
  ASSERT_TRUE(connector_.TranslateFile(first));
  SetSwitches(R"({"jobMs": 60000})");
  server_->ClearRequests();
  CProgressDlg dialog(L"Selected Text Translation");
  TranslateFileJob job = Job(Kind(), Kind() == 21 ? Utf16(L"<p>virus</p>") : "virus");
  job.progress = &dialog;
  watcher_.OnWindow(L"Selected Text Translation", L"#32770", [&](HWND window) {
    Sleep(300);
    testsupport::DialogWatcher::PressButton(window, IDCANCEL);
  });
  const ULONGLONG start = GetTickCount64();
  EXPECT_FALSE(connector_.TranslateFile(job));
  EXPECT_LT(GetTickCount64() - start, 10000u);
  EXPECT_FALSE(Exists(job.destinationPath));
  const auto stops = Requests(L"StopTanslating");
  ASSERT_EQ(1u, stops.size()) << "the stop request reached the server";
  EXPECT_EQ(1u, Requests(Kind() == 21 ? L"StartTranslateHtmlFile" : L"StartTranslateFile").size());
  const auto started = Requests(L"GetTranslateFileResult");
  ASSERT_FALSE(started.empty());
  EXPECT_EQ(vqdlog::Field(started[0], "WorkId"), vqdlog::Field(stops[0], "WorkId"));
  EXPECT_TRUE(dialog.Stopped());
  ExpectServing("after the cancel");
}

std::vector<CancelCase> CancelCases() {
  std::vector<CancelCase> cases;
  for (const ServerStyle& style : kServerStyles)
    for (long kind : {2L, 21L}) cases.push_back({style, kind});
  return cases;
}

INSTANTIATE_TEST_SUITE_P(FileAndPage, ServerCancelTest, testing::ValuesIn(CancelCases()),
                         [](const testing::TestParamInfo<CancelCase>& info) {
                           return std::string(info.param.style.name) + (info.param.kind == 21 ? "Page" : "File");
                         });

// A window of the test's thread that runs a call when a message arrives:
// the way a plug-in's call comes in while a job's dialog dispatches messages.
class ReentryWindow {
 public:
  explicit ReentryWindow(std::function<void()> call) : call_(std::move(call)) {
    WNDCLASSW wc{};
    wc.lpfnWndProc = &Proc;
    wc.hInstance = GetModuleHandleW(nullptr);
    wc.lpszClassName = L"ServerConnectorReentry";
    RegisterClassW(&wc);
    hwnd_ = CreateWindowExW(0, wc.lpszClassName, L"", WS_POPUP, 0, 0, 0, 0, nullptr, nullptr, wc.hInstance, nullptr);
    SetWindowLongPtrW(hwnd_, GWLP_USERDATA, reinterpret_cast<LONG_PTR>(this));
  }
  ~ReentryWindow() { DestroyWindow(hwnd_); }
  HWND Get() const { return hwnd_; }

 private:
  static LRESULT CALLBACK Proc(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
    if (message == WM_APP) {
      auto* self = reinterpret_cast<ReentryWindow*>(GetWindowLongPtrW(window, GWLP_USERDATA));
      if (self) self->call_();
      return 0;
    }
    return DefWindowProcW(window, message, wParam, lParam);
  }
  std::function<void()> call_;
  HWND hwnd_ = nullptr;
};

TEST_P(ServerProgressTest, ASecondJobDuringAJobIsRefusedAndTheFirstGoesOn) {
  Connect();
  SetSwitches(R"({"jobMs": 1000})");
  TranslateFileJob second = Job(2, "virus");
  HRESULT secondResult = S_OK;
  std::wstring listedDuringJob;
  ReentryWindow reentry([&] {
    secondResult = Raised([&] { connector_.TranslateFile(second); });
    // Other calls are served meanwhile, a new connect among them.
    EXPECT_TRUE(connector_.Connect(server_->UrlBase()));
    listedDuringJob = connector_.GetDirName(1);
  });
  CProgressDlg dialog(L"Page Translation");
  TranslateFileJob first = Job(2, "memory");
  first.progress = &dialog;
  watcher_.OnWindow(L"Page Translation", L"#32770", [&](HWND) { PostMessageW(reentry.Get(), WM_APP, 0, 0); });
  ASSERT_TRUE(connector_.TranslateFile(first));
  EXPECT_EQ(E_UNEXPECTED, secondResult);
  EXPECT_EQ(L"Russian-English", listedDuringJob);
  EXPECT_EQ(Utf8(L"память"), testsupport::ReadWholeFile(first.destinationPath));
  EXPECT_FALSE(Exists(second.destinationPath));
  EXPECT_EQ(1u, Requests(L"StartTranslateFile").size());
}

TEST_P(ServerProgressTest, APollingFailureClosesTheDialogAndFails) {
  Connect();
  SetSwitches(R"({"jobMs": 60000, "status": {"GetTranslateFileResult": 500}})");
  CProgressDlg dialog(L"Page Translation");
  TranslateFileJob job = Job(2, "virus");
  job.progress = &dialog;
  EXPECT_EQ(HRESULT(0x80140004), Raised([&] { connector_.TranslateFile(job); }));
  EXPECT_FALSE(Exists(job.destinationPath));
  EXPECT_EQ(1u, Requests(L"StopTanslating").size());
}

TEST_P(ServerProgressTest, AStalledPollEndsWithinItsTimeOut) {
  Connect();
  connector_.SetTimeouts(600, 60000);
  SetSwitches(R"({"jobMs": 60000, "noAnswer": ["GetTranslateFileResult"], "noAnswerSeconds": 5})");
  CProgressDlg dialog(L"Page Translation");
  TranslateFileJob job = Job(2, "virus");
  job.progress = &dialog;
  const ULONGLONG start = GetTickCount64();
  EXPECT_EQ(HRESULT(0x80140004), Raised([&] { connector_.TranslateFile(job); }));
  EXPECT_LT(GetTickCount64() - start, 6000u);
  ExpectOneStop("a poll given up on");
}

TEST_P(ServerProgressTest, APollReplyLackingAnElementClosesTheDialogAndStopsTheJob) {
  Connect();
  for (const PollFailure& c : kPollFailures) {
    server_->ClearRequests();
    SetSwitches(c.switches);
    CProgressDlg dialog(L"Page Translation");
    TranslateFileJob job = Job(21, Utf16(L"<p>virus</p>"));
    job.progress = &dialog;
    EXPECT_EQ(HRESULT(0x80140004), Raised([&] { connector_.TranslateFile(job); })) << c.switches;
    EXPECT_EQ(nullptr, dialog.GetHwnd()) << "the dialog has ended, " << c.switches;
    EXPECT_FALSE(Exists(job.destinationPath)) << c.switches;
    ExpectOneStop(c.switches);
  }
  ExpectServing("after the failed polls");
}

INSTANTIATE_TEST_SUITE_P(Styles, ServerProgressTest, testing::ValuesIn(kServerStyles), StyleName);


// --- about box ----------------------------------------------------------------

struct AboutTexts {
  std::wstring product, family, build, legal;
  bool hasIcon = false;
};

std::wstring ItemText(HWND dialog, int id) {
  wchar_t text[256] = {};
  GetDlgItemTextW(dialog, id, text, 256);
  return text;
}

// Reads the box's lines when it opens, then presses OK.
void ReadAboutBox(testsupport::DialogWatcher& watcher, AboutTexts& texts) {
  watcher.OnWindow(L"About", L"#32770", [&texts](HWND window) {
    texts.product = ItemText(window, 35002);
    texts.family = ItemText(window, 35004);
    texts.build = ItemText(window, 35003);
    texts.legal = ItemText(window, 35008);
    testsupport::DialogWatcher::PressButton(window, IDOK);
  });
}

TEST_F(ServerConnectorTest, TheAboutBoxShowsTheGivenNameAndTheVersionBlock) {
  AboutTexts texts;
  ReadAboutBox(watcher_, texts);
  CVQDAtlAboutDlg about(GetModuleHandleW(nullptr), nullptr, L"NORVA for Opera");
  EXPECT_EQ(IDOK, about.Run(nullptr));
  EXPECT_EQ(L"NORVA for Opera (VQD)", texts.product);
  EXPECT_EQ(L"Included in NORVA 9 Family", texts.family);
  EXPECT_EQ(L"(build number 9.1.2.3)", texts.build);
  EXPECT_EQ(L"(C) Norvasoft test", texts.legal);
}

TEST_F(ServerConnectorTest, TheConnectorsAboutBoxNamesTheModuleWithoutATitle) {
  AboutTexts texts;
  ReadAboutBox(watcher_, texts);
  connector_.ShowSecondAbout(208, L"ignored", nullptr);
  EXPECT_TRUE(watcher_.WaitSeen(L"About", 100));
  EXPECT_EQ(L"Translation server tests (VQD)", texts.product);
  EXPECT_EQ(L"(build number 9.1.2.3)", texts.build);
}

TEST_F(ServerConnectorTest, TheConnectorsAboutBoxUsesTheBrowserTitle) {
  AboutTexts texts;
  ReadAboutBox(watcher_, texts);
  connector_.ShowAbout(208, L"NORVA for Mozilla FireFox", nullptr);
  EXPECT_TRUE(watcher_.WaitSeen(L"About", 100));
  EXPECT_EQ(L"NORVA for Mozilla FireFox (VQD)", texts.product);
  EXPECT_EQ(L"Included in NORVA 9 Family", texts.family);
}



TEST(ServerConnectorFactoryTest, KindOneMakesTheServerConnector) {
  InstallServerConnector();
  std::unique_ptr<INorvaConnector> made = CreateConnector(L"NORVA for Opera", kServerConnector);
  ASSERT_NE(nullptr, dynamic_cast<CNorvaVQDWrapper*>(made.get()));
  EXPECT_TRUE(made->IsDisable());
  EXPECT_EQ(nullptr, made->GetAotService());
  EXPECT_EQ(nullptr, made->GetWebSearchService());
  EXPECT_EQ(nullptr, made->GetDesktopObject());
  EXPECT_EQ(nullptr, CreateConnector(L"NORVA for Opera", 2));
  SetConnectorMaker(kServerConnector, nullptr);
}

}  // namespace
