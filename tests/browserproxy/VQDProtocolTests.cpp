// The translation server's wire format: form escaping, SOAP envelopes, the
// Base64 coder (checked against the system's own) and the status maps; and
// the words the connector's error boxes show.
#include <gtest/gtest.h>
#include <windows.h>
#include <wincrypt.h>

#include <random>
#include <string>
#include <vector>

#include "browserproxy/server/ErrorText.h"
#include "browserproxy/server/VQDProtocol.h"

namespace {

struct EscapeCase {
  const wchar_t* text;
  const wchar_t* escaped;
};

class FormEscapeTest : public testing::TestWithParam<EscapeCase> {};

TEST_P(FormEscapeTest, EveryFieldIsUtf8FormEncoded) {
  EXPECT_EQ(std::wstring(GetParam().escaped), vqd::UrlEncodeFormText(GetParam().text));
}

INSTANTIATE_TEST_SUITE_P(Texts, FormEscapeTest,
                         testing::Values(EscapeCase{L"a b+c", L"a%20b%2Bc"}, EscapeCase{L"C++", L"C%2B%2B"},
                                         EscapeCase{L"a=b&c", L"a%3Db%26c"}, EscapeCase{L"a&b/c", L"a%26b%2Fc"},
                                         EscapeCase{L"x\ny\r\n", L"x%0Ay%0D%0A"},
                                         EscapeCase{L"#?%", L"%23%3F%25"}, EscapeCase{L"-._~Az09", L"-._~Az09"},
                                         EscapeCase{L"\x043F", L"%D0%BF"}, EscapeCase{L"\x20AC", L"%E2%82%AC"},
                                         EscapeCase{L"\xD83D\xDE00", L"%F0%9F%98%80"},
                                         EscapeCase{L"\xD800x", L"%EF%BF%BDx"}, EscapeCase{L"", L""}));

TEST(FormBodyTest, EveryFieldIsEscapedNotOnlyTheText) {
  EXPECT_EQ(L"DirId=131073&TplId=C%2B%2B%20%26%20Co&Text=a%20b",
            vqd::FormBody({{L"DirId", L"131073"}, {L"TplId", L"C++ & Co"}, {L"Text", L"a b"}}));
  EXPECT_EQ(L"WorkId=job%2B1%2F2%3D", vqd::FormBody({{L"WorkId", L"job+1/2="}}));
}

TEST(SoapEnvelopeTest, ValuesAreXmlEscaped) {
  const std::wstring envelope =
      vqd::StartTranslateFileEnvelope(L"1<2", L"C++ & <Code> \"Lab\"", L"QUJD", L"text/plain; charset=utf-8");
  EXPECT_NE(std::wstring::npos, envelope.find(L"<DirId>1&lt;2</DirId>"));
  EXPECT_NE(std::wstring::npos, envelope.find(L"<TplId>C++ &amp; &lt;Code&gt; &quot;Lab&quot;</TplId>"));
  EXPECT_NE(std::wstring::npos, envelope.find(L"<data>QUJD</data><FileType>text/plain; charset=utf-8</FileType>"));
  EXPECT_EQ(0u, envelope.find(L"<?xml version=\"1.0\" encoding=\"utf-8\"?><soap:Envelope xmlns:xsi="));
  EXPECT_NE(std::wstring::npos,
            envelope.find(L"<StartTranslateFile xmlns=\"" + std::wstring(vqd::kServiceNamespace) + L"\"><DirId>"));
}

TEST(SoapEnvelopeTest, ThePageRequestSaysUnicodeHtmlAndAnEmptyPrefix) {
  const std::wstring envelope = vqd::StartTranslateHtmlFileEnvelope(L"131073", L"General", L"QQ==", L"http://a/?b&c");
  EXPECT_NE(std::wstring::npos,
            envelope.find(L"<URLBase>http://a/?b&amp;c</URLBase><HrefPrefix/><ContentType>text/html;charset=unicode"
                          L"</ContentType></StartTranslateHtmlFile>"));
}

TEST(SoapEnvelopeTest, CharactersXmlCannotCarryAreReplaced) {
  EXPECT_EQ(L"a\xFFFD" L"b\t\r\n\xFFFD", vqd::XmlEscape(L"a\x0001" L"b\t\r\n\xDC00"));
  EXPECT_EQ(L"\xD83D\xDE00", vqd::XmlEscape(L"\xD83D\xDE00"));
}

TEST(SoapActionTest, IsTheQuotedNamespaceAndOperation) {
  EXPECT_EQ(L"\"" + std::wstring(vqd::kServiceNamespace) + L"StartTranslateFile\"",
            vqd::SoapAction(L"StartTranslateFile"));
}

TEST(ContentTypeTest, FileKindsHaveTheirTypes) {
  EXPECT_EQ(L"text/plain; charset=unicode", vqd::ContentTypeForFileKind(1));
  EXPECT_EQ(L"text/plain; charset=koi8-r", vqd::ContentTypeForFileKind(5));
  EXPECT_EQ(L"text/html", vqd::ContentTypeForFileKind(21));
  EXPECT_EQ(L"text/xliff", vqd::ContentTypeForFileKind(28));
  for (long other : {0L, 6L, 19L, 23L, 29L, -1L}) EXPECT_EQ(L"text/plain; charset=unicode", vqd::ContentTypeForFileKind(other));
}

TEST(StatusTest, FormAndSoapMapsDiffer) {
  EXPECT_EQ(HRESULT(0x80140003), vqd::FormStatusResult(405));
  EXPECT_EQ(E_UNEXPECTED, vqd::SoapStatusResult(405));
  EXPECT_EQ(E_UNEXPECTED, vqd::FormStatusResult(406));
  EXPECT_EQ(HRESULT(0x80030005), vqd::SoapStatusResult(406));
  EXPECT_EQ(S_OK, vqd::FormStatusResult(200));
  EXPECT_EQ(S_OK, vqd::SoapStatusResult(200));
}

std::vector<uint8_t> Bytes(size_t count, unsigned seed) {
  std::mt19937 random(seed);
  std::vector<uint8_t> bytes(count);
  for (auto& b : bytes) b = static_cast<uint8_t>(random());
  return bytes;
}

TEST(Base64Test, LinesAreBrokenAfter76Characters) {
  const auto b56 = Bytes(56, 1), b58 = Bytes(58, 2);
  const std::string e56 = vqd::Base64Encode(b56.data(), b56.size());
  EXPECT_EQ(76u, e56.size());
  EXPECT_EQ(std::string::npos, e56.find('\r'));
  const std::string e58 = vqd::Base64Encode(b58.data(), b58.size());
  ASSERT_EQ(82u, e58.size());
  EXPECT_EQ("\r\n", e58.substr(76, 2));
  EXPECT_EQ("==", e58.substr(80, 2));
  EXPECT_EQ(e58.size(), vqd::Base64EncodedLength(58));
  EXPECT_EQ(0u, vqd::Base64EncodedLength(0));
}

TEST(Base64Test, AgreesWithTheSystemCoder) {
  for (size_t size : {0u, 1u, 2u, 3u, 57u, 58u, 1000u, 65537u}) {
    const auto bytes = Bytes(size, static_cast<unsigned>(size));
    const std::string ours = vqd::Base64Encode(bytes.data(), bytes.size());
    EXPECT_EQ(ours.size(), vqd::Base64EncodedLength(size)) << size;
    if (size) {
      DWORD length = 0;
      ASSERT_TRUE(CryptBinaryToStringA(bytes.data(), static_cast<DWORD>(size), CRYPT_STRING_BASE64, nullptr, &length));
      std::string system(length, '\0');
      ASSERT_TRUE(CryptBinaryToStringA(bytes.data(), static_cast<DWORD>(size), CRYPT_STRING_BASE64, system.data(), &length));
      system.resize(length);
      // The system breaks its lines elsewhere: the characters must agree.
      auto unbroken = [](std::string text) {
        std::erase_if(text, [](char c) { return c == '\r' || c == '\n'; });
        return text;
      };
      EXPECT_EQ(unbroken(system), unbroken(ours)) << size;
    }
    const std::wstring wide(ours.begin(), ours.end());
    EXPECT_EQ(bytes, vqd::Base64Decode(wide)) << size;
  }
}

TEST(Base64Test, DecodingSkipsForeignCharactersAndStopsAtZero) {
  EXPECT_EQ((std::vector<uint8_t>{'a', 'b', 'c'}), vqd::Base64Decode(L"Y W\r\nJ*j"));
  EXPECT_EQ((std::vector<uint8_t>{'a'}), vqd::Base64Decode(L"YQ"));
  EXPECT_EQ((std::vector<uint8_t>{'a', 'b'}), vqd::Base64Decode(L"YWI="));
  EXPECT_EQ((std::vector<uint8_t>{'a'}), vqd::Base64Decode(std::wstring(L"YQ==\0YWJj", 9)));
  EXPECT_EQ(-1, vqd::Base64CharValue(L'='));
  EXPECT_EQ(63, vqd::Base64CharValue(L'/'));
}

struct ErrorTextCase {
  HRESULT hr;
  const wchar_t* code;  // as the box shows it when the system has no text
};

class ServerErrorTextTest : public testing::TestWithParam<ErrorTextCase> {};

TEST_P(ServerErrorTextTest, IsTheSystemsTextOrWordsWithTheCode) {
  const ErrorTextCase& c = GetParam();
  wchar_t system[512] = {};
  const DWORD length = FormatMessageW(FORMAT_MESSAGE_FROM_SYSTEM | FORMAT_MESSAGE_IGNORE_INSERTS, nullptr,
                                      static_cast<DWORD>(c.hr), 0, system, 512, nullptr);
  std::wstring expected = std::wstring(L"Unknown error ") + c.code;
  if (length) {
    expected.assign(system, length);
    while (!expected.empty() && (expected.back() == L'\n' || expected.back() == L'\r' || expected.back() == L' '))
      expected.pop_back();
  }
  EXPECT_EQ(expected, ServerErrorText(c.hr)) << c.code;
}

INSTANTIATE_TEST_SUITE_P(Codes, ServerErrorTextTest,
                         testing::Values(ErrorTextCase{E_FAIL, L"0x80004005"},
                                         ErrorTextCase{E_ACCESSDENIED, L"0x80070005"},
                                         ErrorTextCase{E_UNEXPECTED, L"0x8000FFFF"},
                                         ErrorTextCase{E_POINTER, L"0x80004003"},
                                         ErrorTextCase{HRESULT(0x80030006), L"0x80030006"}));

}  // namespace
