// Binds the charlib40.dll stand-in through the product's "SharedRoot" folder:
// holds the product_registry lock.
#include "shared/CharLibrary.h"

#include "ChildProcess.h"
#include "RegistrySandbox.h"
#include "TempFolder.h"

#include <gtest/gtest.h>

#include <cstring>
#include <string>

namespace {

constexpr const wchar_t* kFolders = L"Software\\Norvasoft\\NRVA9\\Folders";
constexpr DWORD kEnglish = 1, kRussian = 2, kGerman = 4, kFrench = 8, kItalian = 16, kSpanish = 32,
                kPortuguese = 64;

class CharLibraryTest : public testing::Test {
 protected:
  void SetUp() override { UnloadCharLibraryForTesting(); }
  void TearDown() override { UnloadCharLibraryForTesting(); }

  void SetSharedRoot(const std::wstring& folder) {
    testsupport::SetRegString(HKEY_LOCAL_MACHINE, kFolders, L"SharedRoot", folder);
  }
  // The folders the stand-in is built into, without a final backslash.
  static std::wstring StandIn() { return testsupport::SiblingPath(L"charlib"); }
  static std::wstring StandInWithoutUpper() { return testsupport::SiblingPath(L"charlib-noupper"); }

  testsupport::ScopedFixedKey folders_{HKEY_LOCAL_MACHINE, kFolders};
};

// The first Cyrillic capitals and small letters in Windows-1251, and Western letters in Windows-1252.
const char kRussianAnsi[] = "\xcf\xf0\xe8\xe2\xe5\xf2";  // Привет
const wchar_t kRussianWide[] = L"\u041f\u0440\u0438\u0432\u0435\u0442";
const char kGermanAnsi[] = "Stra\xdf" "e \xe4\xf6\xfc";  // Straße äöü
const wchar_t kGermanWide[] = L"Stra\u00dfe \u00e4\u00f6\u00fc";

TEST_F(CharLibraryTest, SharedRootWithOrWithoutFinalSeparatorFindsTheLibrary) {
  for (const std::wstring& root : {StandIn(), StandIn() + L"\\"}) {
    UnloadCharLibraryForTesting();
    SetSharedRoot(root);
    wchar_t wide[16] = {};
    EXPECT_STREQ(L"abc", StrAnsiToUnicode(kEnglish, "abc", wide, 16)) << std::string(root.begin(), root.end());
  }
}

TEST_F(CharLibraryTest, ConvertsByTheLanguagesCodePage) {
  SetSharedRoot(StandIn());
  wchar_t wide[32] = {};
  EXPECT_STREQ(kRussianWide, StrAnsiToUnicode(kRussian, kRussianAnsi, wide, 32));
  EXPECT_STREQ(kGermanWide, StrAnsiToUnicode(kGerman, kGermanAnsi, wide, 32));
  for (DWORD western : {kEnglish, kFrench, kItalian, kSpanish, kPortuguese}) {
    EXPECT_STREQ(L"\u00e9\u00e7\u00f1", StrAnsiToUnicode(western, "\xe9\xe7\xf1", wide, 32)) << "language " << western;
  }
  EXPECT_STREQ(kRussianWide, StrAnsiToUnicode(0x00010000 | kRussian, kRussianAnsi, wide, 32))
      << "only the low 16 bits carry the language";

  char narrow[32] = {};
  EXPECT_STREQ(kRussianAnsi, StrUnicodeToAnsi(kRussianWide, narrow, 32)) << "Cyrillic text goes to 1251";
  EXPECT_STREQ(kGermanAnsi, StrUnicodeToAnsi(kGermanWide, narrow, 32)) << "other text goes to 1252";

  wchar_t buffer[4] = {L'#', L'#', L'#', L'#'};
  StrAnsiToUnicodeBuff(kRussian, "\xc0\xc1\xc2\xc3", buffer, 3);
  EXPECT_EQ(std::wstring(L"\u0410\u0411\u0412#"), std::wstring(buffer, 4)) << "exactly the length, nothing more";
  char bytes[4] = {'#', '#', '#', '#'};
  StrUnicodeToAnsiBuff(L"\u0410\u0411\u0412\u0413", bytes, 3);
  EXPECT_EQ(std::string("\xc0\xc1\xc2#"), std::string(bytes, 4));
}

TEST_F(CharLibraryTest, UpperCasesByLanguage) {
  SetSharedRoot(StandIn());
  char russian[] = "\xef\xf0\xe8\xe2\xe5\xf2 abc";  // привет abc
  EXPECT_STREQ("\xcf\xd0\xc8\xc2\xc5\xd2 ABC", StrAnsiUpper(kRussian, russian));
  char french[] = "\xe9t\xe9 \xe7" "a";  // été ça
  EXPECT_STREQ("\xc9T\xc9 \xc7" "A", StrAnsiUpper(kFrench, french));
  EXPECT_EQ('\xc4', AnsiToUpper(kGerman, '\xe4')) << "ä";
  EXPECT_EQ('\xc0', AnsiToUpper(kRussian, '\xe0')) << "а";
  EXPECT_EQ('\xc0', AnsiToUpper(kEnglish, '\xe0')) << "à";
  EXPECT_EQ('1', AnsiToUpper(kEnglish, '1'));
}

TEST_F(CharLibraryTest, DestinationSizesAreNeverOverrun) {
  SetSharedRoot(StandIn());
  wchar_t wide[6];
  std::fill(std::begin(wide), std::end(wide), L'#');
  StrAnsiToUnicode(kEnglish, "abcdefgh", wide, 4);
  EXPECT_EQ(std::wstring(L"abc\0##", 6), std::wstring(wide, 6)) << "truncated and terminated within 4";
  char narrow[6];
  std::fill(std::begin(narrow), std::end(narrow), '#');
  StrUnicodeToAnsi(L"abcdefgh", narrow, 3);
  EXPECT_EQ(std::string("ab\0###", 6), std::string(narrow, 6));
  std::fill(std::begin(narrow), std::end(narrow), '#');
  StrUnicodeToAnsi(L"abcdefgh", narrow, 0);
  EXPECT_EQ(std::string("######"), std::string(narrow, 6)) << "no room at all";
}

TEST_F(CharLibraryTest, MissingLibraryLeavesEverythingUnchangedAndIsLookedForAgain) {
  testsupport::TempFolder empty;
  const std::wstring roots[] = {L"", empty.Path(), StandIn() + L"\\missing"};
  for (size_t i = 0; i < std::size(roots); ++i) {
    if (roots[i].empty())
      testsupport::DeleteRegTree(HKEY_LOCAL_MACHINE, kFolders);
    else
      SetSharedRoot(roots[i]);
    wchar_t wide[8] = {L'k', L'e', L'p', L't', 0};
    EXPECT_EQ(wide, StrAnsiToUnicode(kRussian, kRussianAnsi, wide, 8)) << "case " << i;
    EXPECT_STREQ(L"kept", wide) << "case " << i;
    char narrow[8] = "kept";
    EXPECT_EQ(narrow, StrUnicodeToAnsi(L"new", narrow, 8)) << "case " << i;
    EXPECT_STREQ("kept", narrow) << "case " << i;
    char text[] = "abc";
    EXPECT_EQ(text, StrAnsiUpper(kEnglish, text)) << "case " << i;
    EXPECT_STREQ("abc", text) << "case " << i;
    EXPECT_EQ('a', AnsiToUpper(kEnglish, 'a')) << "case " << i;
  }
  // The next call reads the registry again and binds the library now installed.
  SetSharedRoot(StandIn());
  wchar_t wide[8] = {};
  EXPECT_STREQ(L"abc", StrAnsiToUnicode(kEnglish, "abc", wide, 8));
}

// A failed search is remembered: the library is looked for again only once
// "SharedRoot" was written or a file came to its folder.
TEST_F(CharLibraryTest, AMissIsRememberedUntilTheValueOrTheFolderChanges) {
  auto converts = [] {
    wchar_t wide[8] = {};
    return std::wstring(StrAnsiToUnicode(kEnglish, "abc", wide, 8)) == L"abc";
  };
  wchar_t oldDirectory[MAX_PATH] = {};
  GetCurrentDirectoryW(MAX_PATH, oldDirectory);
  // Without a folder the bare name goes to the system's search, which also
  // looks in the current directory: moving there changes no registry value.
  testsupport::DeleteRegTree(HKEY_LOCAL_MACHINE, kFolders);
  EXPECT_FALSE(converts());
  ASSERT_TRUE(SetCurrentDirectoryW(StandIn().c_str()));
  EXPECT_FALSE(converts()) << "the miss is remembered while the registry stays as it was";
  SetSharedRoot(L"");
  EXPECT_TRUE(converts()) << "a written value (even the same empty text) means a new search";
  SetCurrentDirectoryW(oldDirectory);
  UnloadCharLibraryForTesting();

  testsupport::TempFolder folder;
  SetSharedRoot(folder.Path());
  EXPECT_FALSE(converts());
  ASSERT_TRUE(CopyFileW((StandIn() + L"\\charlib40.dll").c_str(), folder.File(L"charlib40.dll").c_str(), FALSE));
  // The folder's notice arrives on its own time.
  bool found = false;
  for (DWORD start = GetTickCount(); !found && GetTickCount() - start < 5000; Sleep(20)) found = converts();
  EXPECT_TRUE(found) << "a library copied into the folder is found without a registry change";
  UnloadCharLibraryForTesting();
}

TEST_F(CharLibraryTest, MissingExportLeavesOnlyItsCallsUnchanged) {
  SetSharedRoot(StandInWithoutUpper());
  char text[] = "abc";
  EXPECT_EQ(text, StrAnsiUpper(kEnglish, text));
  EXPECT_STREQ("abc", text);
  EXPECT_EQ('B', AnsiToUpper(kEnglish, 'b')) << "the other exports work";
  wchar_t wide[32] = {};
  EXPECT_STREQ(kRussianWide, StrAnsiToUnicode(kRussian, kRussianAnsi, wide, 32));
}

TEST_F(CharLibraryTest, BstrOfTheWholeText) {
  SetSharedRoot(StandIn());
  EXPECT_EQ(std::wstring_view(kRussianWide), BstrFromAnsiViaCharLib(kRussian, kRussianAnsi).View());
  EXPECT_EQ(0u, BstrFromAnsiViaCharLib(kRussian, "").Length());
  std::string longText(70000, 'a');
  EXPECT_EQ(std::wstring(70000, L'a'), BstrFromAnsiViaCharLib(kEnglish, longText.c_str()).Str())
      << "no length cut at 65536";
  UnloadCharLibraryForTesting();
  SetSharedRoot(StandIn() + L"\\missing");
  EXPECT_TRUE(BstrFromAnsiViaCharLib(kEnglish, "abc").Empty()) << "no library, no text";
}

TEST_F(CharLibraryTest, NullArgumentsAreHarmless) {
  SetSharedRoot(StandIn());
  wchar_t wide[4] = {L'x', 0};
  EXPECT_EQ(wide, StrAnsiToUnicode(kEnglish, nullptr, wide, 4));
  EXPECT_EQ(nullptr, StrAnsiToUnicode(kEnglish, "abc", nullptr, 4));
  EXPECT_EQ(nullptr, StrAnsiUpper(kEnglish, nullptr));
  EXPECT_STREQ(L"x", wide);
}

}  // namespace
