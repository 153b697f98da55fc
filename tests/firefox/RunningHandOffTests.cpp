// The start-up hand-off value: its items, and its registry value read once.
#include <gtest/gtest.h>

#include "RegistrySandbox.h"
#include "firefox/RunningHandOff.h"

namespace {

TEST(RunningHandOff, ItemsGiveDTAndNothingElse) {
  RunningHandOff record = ParseRunningHandOff(L"D=5;T=abc");
  EXPECT_EQ(5, record.d);
  EXPECT_EQ(L"abc", record.t);
  EXPECT_EQ(L"", record.s);
  EXPECT_EQ(L"", record.u);
}

TEST(RunningHandOff, LocalSIsEmptyAndPresent) {
  RunningHandOff record = ParseRunningHandOff(L"s=local");
  EXPECT_EQ(L"", record.s);
  EXPECT_TRUE(record.present);
}

TEST(RunningHandOff, AValueKeepsEverythingAfterTheFirstEquals) {
  RunningHandOff record = ParseRunningHandOff(L";;U=http://host/a?x=1&y=2;;t=T=1;d");
  EXPECT_EQ(L"http://host/a?x=1&y=2", record.u);
  EXPECT_EQ(L"T=1", record.t);
  EXPECT_EQ(0, record.d) << "an item without '=' reads as empty";
}

class HandOffValue : public testing::Test {
 protected:
  void Write(DWORD type, const std::wstring& text) {
    HKEY key = nullptr;
    ASSERT_EQ(ERROR_SUCCESS, RegCreateKeyExW(HKEY_CURRENT_USER, kRunningKey, 0, nullptr, 0, KEY_ALL_ACCESS, nullptr,
                                             &key, nullptr));
    RegSetValueExW(key, kFireFoxValue, 0, type, reinterpret_cast<const BYTE*>(text.c_str()),
                   static_cast<DWORD>((text.size() + 1) * sizeof(wchar_t)));
    RegCloseKey(key);
  }
  bool ValueExists() {
    DWORD type = 0;
    return RegGetValueW(HKEY_CURRENT_USER, kRunningKey, kFireFoxValue, RRF_RT_ANY, &type, nullptr, nullptr) ==
           ERROR_SUCCESS;
  }
  testsupport::ScopedFixedKey key_{HKEY_CURRENT_USER, kRunningKey};
};

TEST_F(HandOffValue, IsReadOnceAndDeleted) {
  Write(REG_SZ, L"D=7;U=http://x/?a=b");
  RunningHandOff record;
  EXPECT_TRUE(ReadRunningHandOff(record));
  EXPECT_EQ(7, record.d);
  EXPECT_EQ(L"http://x/?a=b", record.u);
  EXPECT_TRUE(record.present);
  EXPECT_FALSE(ValueExists());
  EXPECT_FALSE(ReadRunningHandOff(record));
  EXPECT_EQ(0, record.d);
}

TEST_F(HandOffValue, AValueOfAnotherTypeIsNotReadButDeleted) {
  Write(REG_EXPAND_SZ, L"D=7");
  RunningHandOff record;
  EXPECT_FALSE(ReadRunningHandOff(record));
  EXPECT_EQ(0, record.d);
  EXPECT_FALSE(ValueExists());
}

}  // namespace
