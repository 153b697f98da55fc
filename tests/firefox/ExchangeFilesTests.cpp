// The plug-in's side of the exchange files and the page's base address.
#include <windows.h>

#include <gtest/gtest.h>

#include "TempFolder.h"
#include "firefox/ExchangeFiles.h"

namespace {

std::string ReadBytes(const std::wstring& path) {
  FILE* file = _wfopen(path.c_str(), L"rb");
  if (!file) return "(missing)";
  std::string bytes;
  char buffer[4096];
  size_t n;
  while ((n = fread(buffer, 1, sizeof buffer, file)) > 0) bytes.append(buffer, n);
  fclose(file);
  return bytes;
}

TEST(ExchangeFiles, SourceIsTheMarkThenUtf16) {
  testsupport::TempFolder folder;
  std::wstring path = folder.File(L"source.txt");
  ASSERT_TRUE(WriteExchangeSource(path, L"Hi\x0416"));
  EXPECT_EQ(std::string("\xFF\xFEH\0i\0\x16\x04", 8), ReadBytes(path));
}

TEST(ExchangeFiles, AnEmptySelectionStillWritesTheMark) {
  testsupport::TempFolder folder;
  std::wstring path = folder.File(L"empty.txt");
  ASSERT_TRUE(WriteExchangeSource(path, L""));
  EXPECT_EQ(std::string("\xFF\xFE", 2), ReadBytes(path));
}

TEST(ExchangeFiles, ASourceInAFolderThatIsMissingIsNotWritten) {
  testsupport::TempFolder folder;
  EXPECT_FALSE(WriteExchangeSource(folder.File(L"no\\such\\folder\\source.txt"), L"text"));
}

struct TextCase {
  const char* name;
  std::string bytes;
  std::wstring text;
};
class TextResult : public testing::TestWithParam<TextCase> {};

TEST_P(TextResult, ReadsUtf16WithoutTheMark) {
  testsupport::TempFolder folder;
  std::wstring path = folder.WriteFile(L"result.txt", GetParam().bytes);
  auto text = ReadTextResult(path);
  ASSERT_TRUE(text.has_value());
  EXPECT_EQ(GetParam().text, *text);
}

INSTANTIATE_TEST_SUITE_P(
    Files, TextResult,
    testing::Values(TextCase{"WithMark", std::string("\xFF\xFEO\0k\0", 6), L"Ok"},
                    TextCase{"WithoutMark", std::string("O\0k\0", 4), L"Ok"},
                    TextCase{"OddSize", std::string("\xFF\xFEO\0k\0!", 7), L"Ok"},
                    TextCase{"Empty", std::string(), L""}, TextCase{"OnlyTheMark", std::string("\xFF\xFE", 2), L""},
                    TextCase{"OneByte", std::string("x", 1), L""}),
    [](const testing::TestParamInfo<TextCase>& info) { return info.param.name; });

TEST(ExchangeFiles, AMissingResultIsNotText) {
  testsupport::TempFolder folder;
  EXPECT_FALSE(ReadTextResult(folder.File(L"missing.txt")).has_value());
  EXPECT_FALSE(ReadPageResult(folder.File(L"missing.htm")).has_value());
}

TEST(ExchangeFiles, APageResultIsUtf8WithoutItsMark) {
  testsupport::TempFolder folder;
  auto page = ReadPageResult(folder.WriteFile(L"page.htm", "\xEF\xBB\xBF<p>\xD0\x96</p>"));
  ASSERT_TRUE(page.has_value());
  EXPECT_EQ(L"<p>\x0416</p>", *page);
  page = ReadPageResult(folder.WriteFile(L"plain.htm", "<p>x</p>"));
  ASSERT_TRUE(page.has_value());
  EXPECT_EQ(L"<p>x</p>", *page);
}

// The results are read from a mapped view: once read, nothing holds the file.
TEST(ExchangeFiles, AReadResultIsLetGoAndAnEmptyPageIsEmptyText) {
  testsupport::TempFolder folder;
  const std::wstring empty = folder.WriteFile(L"empty.htm", "");
  auto page = ReadPageResult(empty);
  ASSERT_TRUE(page.has_value());
  EXPECT_EQ(L"", *page);
  const std::wstring full = folder.WriteFile(L"full.htm", "\xEF\xBB\xBF<p>x</p>");
  ASSERT_TRUE(ReadPageResult(full).has_value());
  const std::wstring text = folder.WriteFile(L"text.txt", std::string("\xFF\xFEO\0k\0", 6));
  ASSERT_TRUE(ReadTextResult(text).has_value());
  for (const std::wstring& path : {empty, full, text})
    EXPECT_TRUE(DeleteFileW(path.c_str())) << "still held: " << std::string(path.begin(), path.end());
}

TEST(ExchangeFiles, APageResultDecodesEveryUtf8FormAndMarksBrokenBytes) {
  testsupport::TempFolder folder;
  auto page = ReadPageResult(folder.WriteFile(L"forms.htm", "a\xC3\xA9\xE2\x82\xAC\xF0\x9F\x98\x80z"));
  ASSERT_TRUE(page.has_value());
  EXPECT_EQ(std::wstring(L"a\u00E9\u20AC\xD83D\xDE00z"), *page);
  page = ReadPageResult(folder.WriteFile(L"broken.htm", "a\xC3(\xFF\xE2\x82"));
  ASSERT_TRUE(page.has_value());
  EXPECT_EQ(std::wstring(L"a\xFFFD(\xFFFD\xFFFD"), *page);
}

TEST(ExchangeFiles, TwoExchangeFilesNeverShareANameAndGoWithTheirOwner) {
  std::wstring first, second;
  {
    ExchangeFile a, b;
    ASSERT_TRUE(a.Ok());
    ASSERT_TRUE(b.Ok());
    EXPECT_NE(a.Path(), b.Path());
    EXPECT_NE(INVALID_FILE_ATTRIBUTES, GetFileAttributesW(a.Path().c_str())) << "the name stays taken";
    first = a.Path();
    second = b.Path();
  }
  EXPECT_EQ(INVALID_FILE_ATTRIBUTES, GetFileAttributesW(first.c_str()));
  EXPECT_EQ(INVALID_FILE_ATTRIBUTES, GetFileAttributesW(second.c_str()));
}

struct AddressCase {
  const wchar_t* address;
  const wchar_t* base;
};
class BaseAddress : public testing::TestWithParam<AddressCase> {};

TEST_P(BaseAddress, CutsAFileNameAndKeepsSchemeAndHost) {
  EXPECT_EQ(std::wstring(GetParam().base), PageBaseAddress(GetParam().address)) << GetParam().address;
}

INSTANTIATE_TEST_SUITE_P(Addresses, BaseAddress,
                         testing::Values(AddressCase{L"http://host.com/dir/page.html", L"http://host.com/dir/"},
                                         AddressCase{L"http://host.com/dir/", L"http://host.com/dir/"},
                                         AddressCase{L"http://host.com", L"http://host.com"},
                                         AddressCase{L"https://www.host.org", L"https://www.host.org"},
                                         AddressCase{L"http://host/dir", L"http://host/dir"},
                                         AddressCase{L"page.html", L""}, AddressCase{L"about", L"about"},
                                         AddressCase{L"", L""}));

}  // namespace
