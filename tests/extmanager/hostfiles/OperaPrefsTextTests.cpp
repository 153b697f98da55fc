// Edits of Opera's preference text with either line end.
#include <gtest/gtest.h>

#include "extmanager/hostfiles/OperaPrefsText.h"

namespace {

const std::wstring kToolbar = L"{SmallPreferences}toolbar\\norva_toolbar.ini";

std::wstring Sample(const std::wstring& e) {
  return L"Opera Preferences version 2.1" + e + e + L"[State]" + e + L"Run=0" + e + e + L"[User Prefs]" + e +
         L"Home URL=http://example.org/" + e + L"Language File=ru.lng" + e + e + L"[Network]" + e +
         L"Enable HTTP 1.1=1" + e;
}

class PrefsByLineEnd : public testing::TestWithParam<std::wstring> {};

TEST_P(PrefsByLineEnd, AddingAKeyPutsItLastInTheSectionAndRemovingRestoresTheText) {
  const std::wstring e = GetParam();
  std::wstring text = Sample(e);
  const std::wstring original = text;
  EXPECT_FALSE(HasUserPref(text, L"Toolbar Configuration", kToolbar));
  ASSERT_TRUE(SetUserPref(text, L"Toolbar Configuration", kToolbar, true));
  EXPECT_NE(std::wstring::npos,
            text.find(L"Language File=ru.lng" + e + L"Toolbar Configuration=" + kToolbar + e + e + L"[Network]"));
  EXPECT_TRUE(HasUserPref(text, L"Toolbar Configuration", kToolbar));
  EXPECT_FALSE(SetUserPref(text, L"Toolbar Configuration", kToolbar, true)) << "already so";
  ASSERT_TRUE(SetUserPref(text, L"Toolbar Configuration", kToolbar, false));
  EXPECT_EQ(original, text);
  EXPECT_FALSE(SetUserPref(text, L"Toolbar Configuration", kToolbar, false)) << "nothing to remove";
}

TEST_P(PrefsByLineEnd, AnExistingKeyOnlyChangesItsValue) {
  const std::wstring e = GetParam();
  std::wstring text = Sample(e);
  SetUserPref(text, L"Home URL", L"http://norva.example/", true);
  EXPECT_NE(std::wstring::npos, text.find(L"[User Prefs]" + e + L"Home URL=http://norva.example/" + e));
  EXPECT_EQ(Sample(e).size() - std::wstring(L"example.org").size() + std::wstring(L"norva.example").size(),
            text.size());
}

INSTANTIATE_TEST_SUITE_P(LineEnds, PrefsByLineEnd, testing::Values(std::wstring(L"\r\n"), std::wstring(L"\n")));

TEST(PrefsText, KeysOutsideTheSectionOrWithALongerNameDoNotCount) {
  std::wstring text = L"[User Prefs]\r\nMy Toolbar Configuration=" + kToolbar + L"\r\n\r\n[Other]\r\nToolbar Configuration=" +
                      kToolbar + L"\r\n";
  EXPECT_FALSE(HasUserPref(text, L"Toolbar Configuration", kToolbar));
  std::wstring edited = text;
  EXPECT_FALSE(SetUserPref(edited, L"Toolbar Configuration", kToolbar, false));
  EXPECT_EQ(text, edited);
}

TEST(PrefsText, ASectionAtTheEndWithoutFinalLineBreakAndAnEmptyText) {
  std::wstring text = L"[User Prefs]\nHome URL=x";
  ASSERT_TRUE(SetUserPref(text, L"Button Set", L"skin", true));
  EXPECT_EQ(L"[User Prefs]\nHome URL=x\nButton Set=skin\n", text);
  std::wstring empty;
  EXPECT_FALSE(HasUserPref(empty, L"Button Set", L"skin"));
  EXPECT_FALSE(SetUserPref(empty, L"Button Set", L"skin", false));
  EXPECT_TRUE(SetUserPref(empty, L"Button Set", L"skin", true));
  EXPECT_EQ(L"[User Prefs]\r\nButton Set=skin\r\n", empty);
  EXPECT_TRUE(HasUserPref(empty, L"Button Set", L"skin"));
  std::wstring other = L"[State]\nRun=0";
  EXPECT_TRUE(SetUserPref(other, L"Button Set", L"skin", true));
  EXPECT_EQ(L"[State]\nRun=0\n\n[User Prefs]\nButton Set=skin\n", other);
}

// A section that switching on added goes again only while nothing but blank
// lines is in it and it is the last one: a key the user put there meanwhile,
// or a section after it, keeps it.
TEST(PrefsText, AnAddedSectionGoesOnlyWhenEmptyAndLast) {
  struct Row {
    const wchar_t* before;
    const wchar_t* after;  // null: left as it is
  };
  for (const Row& row : {Row{L"", L""}, Row{L"[State]\nRun=0", L"[State]\nRun=0"},
                         Row{L"[State]\r\nRun=0\r\n", L"[State]\r\nRun=0\r\n"}}) {
    std::wstring text = row.before;
    int lead = LineEndsBeforeAddedSection(text);
    ASSERT_FALSE(HasUserPrefsSection(text));
    ASSERT_TRUE(SetUserPref(text, L"Button Set", L"skin", true));
    std::wstring withKey = text;
    ASSERT_TRUE(SetUserPref(text, L"Button Set", L"skin", false));
    EXPECT_TRUE(RemoveAddedUserPrefs(text, lead)) << row.before;
    EXPECT_EQ(row.after, text);
    std::wstring kept = withKey;
    EXPECT_FALSE(RemoveAddedUserPrefs(kept, lead)) << "a key is in it";
    EXPECT_EQ(withKey, kept);
    std::wstring notLast = withKey + L"\r\n[Network]\r\n";
    SetUserPref(notLast, L"Button Set", L"skin", false);
    std::wstring copy = notLast;
    EXPECT_FALSE(RemoveAddedUserPrefs(copy, lead)) << "another section follows";
    EXPECT_EQ(notLast, copy);
  }
}

TEST(PrefsText, KeptValuesAreReadBackAsWritten) {
  SavedUserPrefs saved;
  saved.values[L"Toolbar Configuration"] = L"{SmallPreferences}toolbar\\standard_toolbar (1).ini";
  saved.values[L"Button Set"] = L"a=b";
  saved.sectionLead = 2;
  saved.folders = {L"toolbar", L"skin"};
  SavedUserPrefs again = SavedUserPrefs::Parse(saved.Format());
  EXPECT_EQ(saved.values, again.values);
  EXPECT_EQ(2, again.sectionLead);
  EXPECT_EQ(saved.folders, again.folders);
  EXPECT_TRUE(SavedUserPrefs::Parse(L"").Empty());
  EXPECT_EQ(-1, SavedUserPrefs::Parse(L"Added Section=7\r\n").sectionLead) << "no such number of line ends";
}

TEST(PrefsText, LinesLongerThanTenThousandCharactersStayWhole) {
  std::wstring longValue(25000, L'я');
  std::wstring text = L"[User Prefs]\r\nLong=" + longValue + L"\r\n\r\n[Next]\r\n";
  ASSERT_TRUE(SetUserPref(text, L"Menu Configuration", L"m", true));
  EXPECT_NE(std::wstring::npos, text.find(L"Long=" + longValue + L"\r\nMenu Configuration=m\r\n\r\n[Next]"));
}

}  // namespace
