// One key of an ".ini" text set and removed, every other byte kept.
#include <gtest/gtest.h>

#include "extmanager/hostfiles/IniText.h"

namespace {

struct Edit {
  const char* name;
  const wchar_t* before;
  const wchar_t* value;  // null removes
  const wchar_t* after;
};

class IniEdits : public testing::TestWithParam<Edit> {};

TEST_P(IniEdits, ChangeOnlyTheKey) {
  const Edit& edit = GetParam();
  std::wstring text = edit.before;
  std::optional<std::wstring> value;
  if (edit.value) value = edit.value;
  bool changed = EditIniKey(text, L"PLUGINS", L"AA9.0", value);
  EXPECT_EQ(std::wstring(edit.after), text) << edit.name;
  EXPECT_EQ(std::wstring(edit.before) != edit.after, changed) << edit.name;
  if (edit.value) {
    EXPECT_EQ(std::wstring(edit.value), ReadIniKey(text, L"plugins", L"aa9.0").value_or(L"(none)")) << edit.name;
  } else {
    EXPECT_FALSE(ReadIniKey(text, L"PLUGINS", L"AA9.0").has_value()) << edit.name;
  }
}

INSTANTIATE_TEST_SUITE_P(
    Table, IniEdits,
    testing::Values(
        Edit{"empty file", L"", L"C:\\A", L"[PLUGINS]\r\nAA9.0=C:\\A\r\n"},
        Edit{"other section only, LF", L"[X]\ny=1\n", L"C:\\A", L"[X]\ny=1\n[PLUGINS]\nAA9.0=C:\\A\n"},
        Edit{"no end at the last line", L"[X]\r\ny=1", L"C:\\A", L"[X]\r\ny=1\r\n[PLUGINS]\r\nAA9.0=C:\\A\r\n"},
        Edit{"added after the section's last key, before the blank line",
             L"; mine\r\n[plugins]\r\nAAR8.0=C:\\B\r\n\r\n[X]\r\ny=1\r\n", L"C:\\A",
             L"; mine\r\n[plugins]\r\nAAR8.0=C:\\B\r\nAA9.0=C:\\A\r\n\r\n[X]\r\ny=1\r\n"},
        Edit{"header without end", L"[PLUGINS]", L"C:\\A", L"[PLUGINS]\r\nAA9.0=C:\\A"},
        Edit{"value replaced in place", L"[PLUGINS]\r\n aa9.0 = C:\\Old\r\nX=1\r\n", L"C:\\A",
             L"[PLUGINS]\r\nAA9.0=C:\\A\r\nX=1\r\n"},
        Edit{"already there", L"[PLUGINS]\r\nAA9.0=C:\\A\r\n", L"C:\\A", L"[PLUGINS]\r\nAA9.0=C:\\A\r\n"},
        Edit{"removed with its line end", L"[PLUGINS]\r\nAAR8.0=C:\\B\r\nAA9.0=C:\\A\r\n\r\n[X]\r\n", nullptr,
             L"[PLUGINS]\r\nAAR8.0=C:\\B\r\n\r\n[X]\r\n"},
        Edit{"the same key of another section stays", L"[X]\r\nAA9.0=keep\r\n[PLUGINS]\r\nAA9.0=C:\\A\r\n", nullptr,
             L"[X]\r\nAA9.0=keep\r\n[PLUGINS]\r\n"},
        Edit{"nothing to remove", L"[X]\r\nAA9.0=keep\r\n", nullptr, L"[X]\r\nAA9.0=keep\r\n"},
        Edit{"a comment that looks like the key stays", L"[PLUGINS]\r\n;AA9.0=C:\\A\r\n", nullptr,
             L"[PLUGINS]\r\n;AA9.0=C:\\A\r\n"}));

TEST(IniText, EmptyMeansOnlyBlankLinesAndTheEmptySection) {
  EXPECT_TRUE(IsEmptyIni(L"", L"PLUGINS"));
  EXPECT_TRUE(IsEmptyIni(L"\r\n[PLUGINS]\r\n\r\n", L"PLUGINS"));
  EXPECT_FALSE(IsEmptyIni(L"[PLUGINS]\r\n; note\r\n", L"PLUGINS"));
  EXPECT_FALSE(IsEmptyIni(L"[Other]\r\n", L"PLUGINS"));
}

TEST(IniText, EveryFormComesBackAsItWas) {
  for (const std::string& bytes :
       {std::string("[PLUGINS]\r\nAA9.0=C:\\A\r\n"), std::string("\xEF\xBB\xBF[PLUGINS]\nAA=\xD0\x96\n"),
        std::string("\xFF\xFE[\0P\0]\0\r\0\n\0", 12), std::string()}) {
    IniFile file;
    ASSERT_TRUE(DecodeIni(bytes, file));
    EXPECT_EQ(bytes, EncodeIni(file));
  }
  IniFile odd;
  EXPECT_FALSE(DecodeIni(std::string("\xFF\xFE[", 3), odd)) << "half a UTF-16 character";
  EXPECT_FALSE(DecodeIni("\xEF\xBB\xBF\xFF", odd)) << "not UTF-8 after the mark";
}

}  // namespace
