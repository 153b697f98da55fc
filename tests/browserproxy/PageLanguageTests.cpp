// Page language and direction choice: pages of every kind of declaration,
// in upper and lower case, quoted and unquoted, under several thread locales.
#include <gtest/gtest.h>

#include <vector>

#include "FakeLanguageDetector.h"
#include "RegistrySandbox.h"
#include "browserproxy/kernel/PageLanguage.h"
#include "platform/com/ComApartment.h"

namespace {

using namespace language_flag;

struct PageCase {
  const wchar_t* name;
  const wchar_t* page;
  UINT codePage;
  LanguageFlag source;
};

const PageCase kPages[] = {
    {L"1251 in a quoted content attribute",
     L"<html><head><meta http-equiv=\"Content-Type\" content=\"text/html; charset=windows-1251\">"
     L"<title>the news</title></head></html>",
     1251, kRussian},
    {L"1252 with lang de-DE",
     L"<html lang=\"de-DE\"><head><meta content='text/html; charset=windows-1252'><title>the news</title>",
     1252, kGerman},
    {L"upper-case charset, unquoted upper-case lang",
     L"<HTML LANG=DE><HEAD><META HTTP-EQUIV=Content-Type CONTENT=text/html;CHARSET=WINDOWS-1252>"
     L"<TITLE>the news</TITLE>",
     1252, kGerman},
    {L"ISO-8859-1 in upper case, lang fr",
     L"<html xmlns=x lang='fr'><meta content=\"text/html; charset=ISO-8859-15\"><title>the</title>", 1252, kFrench},
    {L"unquoted utf-8 ended by >, unquoted lang en ended by >",
     L"<html lang=en><head><meta http-equiv=Content-Type content=text/html;charset=utf-8>"
     L"<title>Nachrichten und Wetter</title>",
     65001, kEnglish},
    {L"utf-8 ended by ; and self-closing lang tag", L"<html lang=es/><meta content=\"charset=UTF-8; x\">", 65001,
     kSpanish},
    {L"charset quoted at once: empty value, the title decides",
     L"<html lang=\"pt\"><meta charset=\"utf-8\"><title>Nachrichten und Wetter</title>", 0, kGerman},
    {L"lang outside the html element is not the page's",
     L"<html><meta content='charset=utf-8'><title>the weather</title><body><p lang=\"it\">x</p>", 65001,
     kEnglish},
    {L"lang not in the list: the title decides",
     L"<html lang=\"ru\"><meta content='charset=utf-8'><title>\x043d\x043e\x0432\x043e\x0441\x0442\x0438 \x0438 "
     L"\x043f\x043e\x0433\x043e\x0434\x0430</title>",
     65001, kRussian},
    {L"unknown charset: the title decides, upper-case title tag",
     L"<html lang=de><meta content='charset=koi8-r'><TITLE>le journal</TITLE>", 0, kFrench},
    {L"no declaration at all: the title decides", L"<html><title>the page</title>", 0, kEnglish},
    {L"title without its closing tag", L"<html><title>the page that never ends", 0, kUnknown},
    {L"empty title", L"<html><title></title>", 0, kUnknown},
    {L"nothing to go by", L"<html><body>the text</body></html>", 0, kUnknown},
};

// Sets the thread locale for the test and puts the old one back.
class ThreadLocale {
 public:
  explicit ThreadLocale(LCID locale) : old_(GetThreadLocale()) { SetThreadLocale(locale); }
  ~ThreadLocale() { SetThreadLocale(old_); }

 private:
  LCID old_;
};

class PageLanguageTest : public testing::Test {
 protected:
  platform::ComApartment apartment_;
  FakeLanguageDetector detector_;
};

TEST_F(PageLanguageTest, PagesGiveTheirCharsetAndSourceLanguage) {
  for (const PageCase& c : kPages) {
    EXPECT_EQ(c.codePage, DetectPageCharset(c.page)) << "case " << testing::PrintToString(std::wstring(c.name));
    EXPECT_EQ(c.source, DetectPageLanguage(c.page)) << "case " << testing::PrintToString(std::wstring(c.name));
  }
}

TEST_F(PageLanguageTest, DeclaredRussianCharsetAsksNoDetector) {
  EXPECT_EQ(kRussian, DetectPageLanguage(kPages[0].page));
  EXPECT_EQ(0, FakeLanguageDetector::Calls());
}

TEST_F(PageLanguageTest, TheDetectorGetsExactlyTheTitle) {
  EXPECT_EQ(kEnglish, DetectPageLangByTitle(L"<head><Title>the  title\r\n</title></head>"));
  EXPECT_EQ(L"the  title\r\n", FakeLanguageDetector::LastText());
}

TEST_F(PageLanguageTest, FailingDetectorGivesUnknown) {
  FakeLanguageDetector::Failing(true);
  EXPECT_EQ(kUnknown, DetectPageLangByTitle(L"<title>the page</title>"));
  EXPECT_EQ(kUnknown, DetectTextLanguage(L"the page"));
  // An unknown page language: the pair from no language into the user's.
  EXPECT_EQ(MakeDirID(kUnknown, GetUiLanguage()), ChoosePageDirection(L"<title>the page</title>", nullptr, false));
}

// Takes the kernel detector's class out of the registry for a while (the
// prefix may hold the kernel stand-in, registered as an installer would) and
// puts its in-process server back afterwards.
class DetectorClassHidden {
 public:
  DetectorClassHidden() {
    DWORD type = 0;
    std::vector<BYTE> data;
    if (testsupport::GetRegValue(HKEY_CLASSES_ROOT, kServerKey, nullptr, &type, &data) && type == REG_SZ)
      server_.assign(reinterpret_cast<const wchar_t*>(data.data()), data.size() / sizeof(wchar_t));
    server_.resize(wcslen(server_.c_str()));
    testsupport::DeleteRegTree(HKEY_CLASSES_ROOT, kClassKey);
  }
  ~DetectorClassHidden() {
    if (server_.empty()) return;
    testsupport::SetRegString(HKEY_CLASSES_ROOT, kServerKey, nullptr, server_);
    testsupport::SetRegString(HKEY_CLASSES_ROOT, kServerKey, L"ThreadingModel", L"Apartment");
  }

 private:
  static constexpr const wchar_t* kClassKey = L"CLSID\\{5D5698F3-B378-4BEC-B699-CBF068E59F07}";
  static constexpr const wchar_t* kServerKey = L"CLSID\\{5D5698F3-B378-4BEC-B699-CBF068E59F07}\\InprocServer32";
  std::wstring server_;
};

TEST(PageLanguageWithoutKernel, MissingDetectorGivesUnknown) {
  platform::ComApartment apartment;
  DetectorClassHidden hidden;
  EXPECT_EQ(kUnknown, DetectTextLanguage(L"the page"));
}

// The eight interface-language locales by their full identifiers (and
// Japanese beside Chinese); a regional variant of one of them is not one.
TEST(LocaleLanguage, LocalesMapByTheirFullIdentifier) {
  const std::pair<LCID, LanguageFlag> cases[] = {
      {1031, kGerman},   {1033, kEnglish},  {1036, kFrench},  {1040, kItalian},     {1049, kRussian},
      {2052, kChinese},  {2070, kPortuguese}, {3082, kSpanish}, {1041, kJapanese},
      {2055, kUnknown},  {2057, kUnknown},  {3084, kUnknown}, {1028, kUnknown},     {1046, kUnknown},
      {1034, kUnknown},  {1043, kUnknown},  {1055, kUnknown},
  };
  for (const auto& [locale, flag] : cases) EXPECT_EQ(flag, LanguageOfLocale(locale)) << "locale " << locale;
}

// The direction expected without a connector: the pair (the source may be
// unknown), English taken as 1025 into Chinese and Japanese, none for the
// same language.
DirID ExpectedWithoutConnector(LanguageFlag source, LanguageFlag target) {
  if (source == target) return 0;
  if ((target == kChinese || target == kJapanese) && source == kEnglish) source = kEnglishToEastAsian;
  return MakeDirID(source, target);
}

TEST_F(PageLanguageTest, PagesTimesThreadLocales) {
  const LCID locales[] = {1033, 2057, 1049, 1031, 2052, 1041, 3082, 1046, 1043};
  for (LCID locale : locales) {
    ThreadLocale scoped(locale);
    ASSERT_EQ(locale, GetThreadLocale());
    LanguageFlag target = LanguageOfLocale(locale);
    EXPECT_EQ(target, GetUiLanguage()) << "locale " << locale;
    for (const PageCase& c : kPages) {
      EXPECT_EQ(ExpectedWithoutConnector(c.source, target), ChoosePageDirection(c.page, nullptr, false))
          << "locale " << locale << ", case " << testing::PrintToString(std::wstring(c.name));
    }
  }
}

TEST_F(PageLanguageTest, TextFlagDetectsTheWholeText) {
  ThreadLocale scoped(1049);
  EXPECT_EQ(MakeDirID(kGerman, kRussian), ChoosePageDirection(L"<title>the</title> Nachrichten und Wetter", nullptr, true));
  EXPECT_EQ(L"<title>the</title> Nachrichten und Wetter", FakeLanguageDetector::LastText());
}

struct ChoiceCase {
  LanguageFlag source;
  LanguageFlag target;
  std::vector<DirID> directions;
  DirID expected;
};

TEST(DirectionChoice, MatchesTheDirectionsOnOffer) {
  const ChoiceCase cases[] = {
      {kEnglish, kRussian, {0x00020001}, 0x00020001},
      {kEnglish, kRussian, {0x00010002, 0x00020001, 0x00040001}, 0x00020001},
      // No exact pair: the last direction out of the source language.
      {kEnglish, kRussian, {0x00080001, 0x00040001}, 0x00040001},
      // Nothing out of the source language: the composed pair.
      {kGerman, kRussian, {0x00020001}, 0x00020004},
      {kEnglish, kChinese, {}, 0x02000401},
      {kEnglish, kChinese, {0x02000401}, 0x02000401},
      {kEnglish, kJapanese, {}, 0x04000401},
      // Same language: the first direction out of it.
      {kEnglish, kEnglish, {0x00020004, 0x00020001, 0x00040001}, 0x00020001},
      {kEnglish, kEnglish, {0x00020004}, 0},
      // Unknown source: the pair with source 0, else the last direction
      // without source bits, else the composed pair.
      {kUnknown, kRussian, {0x00020000, 0x00020001}, 0x00020000},
      {kUnknown, kRussian, {0x00010000, 0x00020001, 0x00040000}, 0x00040000},
      {kUnknown, kRussian, {0x00020001}, 0x00020000},
      {kUnknown, kRussian, {}, 0x00020000},
      // Unknown page language and unsupported locale: the first direction
      // without source bits, normally none.
      {kUnknown, kUnknown, {0x00020000}, 0x00020000},
      {kUnknown, kUnknown, {0x00020001}, 0},
  };
  int i = 0;
  for (const ChoiceCase& c : cases) {
    EXPECT_EQ(c.expected, ChooseDirection(c.source, c.target, &c.directions)) << "case " << i;
    ++i;
  }
  EXPECT_EQ(0u, ChooseDirection(kEnglish, kEnglish, nullptr));
}

}  // namespace
