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

TEST(PrefsText, LinesLongerThanTenThousandCharactersStayWhole) {
  std::wstring longValue(25000, L'я');
  std::wstring text = L"[User Prefs]\r\nLong=" + longValue + L"\r\n\r\n[Next]\r\n";
  ASSERT_TRUE(SetUserPref(text, L"Menu Configuration", L"m", true));
  EXPECT_NE(std::wstring::npos, text.find(L"Long=" + longValue + L"\r\nMenu Configuration=m\r\n\r\n[Next]"));
}

}  // namespace
