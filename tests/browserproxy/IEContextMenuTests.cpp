// Internet Explorer context-menu entries of the current user.
#include <gtest/gtest.h>

#include "RegistrySandbox.h"
#include "TempFolder.h"
#include "browserproxy/core/NorvaIEContextMenu.h"
#include "browserproxy/core/NorvaIEContextMenuObject.h"
#include "platform/com/Bstr.h"
#include "platform/com/ComApartment.h"

namespace {

using platform::Bstr;

class IEContextMenu : public testing::Test {
 protected:
  static std::wstring EntryKey(const std::wstring& name) { return std::wstring(iecontextmenu::kMenuExtKey) + L"\\" + name; }
  void TearDown() override {
    for (const auto& name : {first_, second_}) testsupport::DeleteRegTree(HKEY_CURRENT_USER, EntryKey(name));
  }
  platform::ComApartment apartment_;
  platform::ComPtr<platform::ComObject<CNorvaIEContextMenu>> menu_ = platform::MakeComObject<CNorvaIEContextMenu>();
  testsupport::TempFolder folder_;
  std::wstring first_ = L"Norva test entry " + std::to_wstring(GetCurrentProcessId());
  std::wstring second_ = first_ + L" second";
};

TEST_F(IEContextMenu, AnEntryPointsAtItsPageAndIsOverwrittenByAName) {
  std::wstring page = folder_.WriteFile(L"cmd.htm", "<html></html>");
  std::wstring other = folder_.WriteFile(L"other.htm", "<html></html>");
  ASSERT_EQ(S_OK, menu_->AddCmd(Bstr(first_).Get(), Bstr(page).Get(), 0));
  DWORD type = 0;
  std::vector<BYTE> data;
  ASSERT_TRUE(testsupport::GetRegValue(HKEY_CURRENT_USER, EntryKey(first_), L"", &type, &data));
  EXPECT_EQ(static_cast<DWORD>(REG_SZ), type);
  EXPECT_EQ(page, std::wstring(reinterpret_cast<const wchar_t*>(data.data())));
  ASSERT_TRUE(testsupport::GetRegValue(HKEY_CURRENT_USER, EntryKey(first_), L"context", &type, &data));
  EXPECT_EQ(0x10u, *reinterpret_cast<const DWORD*>(data.data()));

  ASSERT_EQ(S_OK, menu_->AddCmd(Bstr(first_).Get(), Bstr(other).Get(), 0));
  ASSERT_TRUE(testsupport::GetRegValue(HKEY_CURRENT_USER, EntryKey(first_), L"", &type, &data));
  EXPECT_EQ(other, std::wstring(reinterpret_cast<const wchar_t*>(data.data())));

  EXPECT_EQ(S_OK, menu_->RemoveCmd(Bstr(first_).Get()));
  EXPECT_FALSE(testsupport::RegKeyExists(HKEY_CURRENT_USER, EntryKey(first_)));
  EXPECT_EQ(S_FALSE, menu_->RemoveCmd(Bstr(first_).Get())) << "never added, or gone";
}

TEST_F(IEContextMenu, AMissingPageWritesNothing) {
  EXPECT_EQ(S_FALSE, menu_->AddCmd(Bstr(first_).Get(), Bstr(folder_.File(L"none.htm")).Get(), 0));
  EXPECT_FALSE(testsupport::RegKeyExists(HKEY_CURRENT_USER, EntryKey(first_)));
}

TEST_F(IEContextMenu, NamesThatAreNotOneEntryAreRejected) {
  std::wstring page = folder_.WriteFile(L"cmd.htm", "x");
  ASSERT_EQ(S_OK, menu_->AddCmd(Bstr(second_).Get(), Bstr(page).Get(), 0));
  const wchar_t* names[] = {L"", L"\\", L"a\\b", nullptr};
  for (const wchar_t* name : names) {
    std::wstring shown = name ? name : L"(null)";
    EXPECT_EQ(E_INVALIDARG, menu_->RemoveCmd(name ? Bstr(name).Get() : nullptr)) << "name " << testing::PrintToString(shown);
    EXPECT_EQ(E_INVALIDARG, menu_->AddCmd(name ? Bstr(name).Get() : nullptr, Bstr(page).Get(), 0))
        << "name " << testing::PrintToString(shown);
  }
  EXPECT_EQ(E_INVALIDARG, menu_->AddCmd(Bstr(first_).Get(), nullptr, 0));
  EXPECT_EQ(E_INVALIDARG, menu_->AddCmd(Bstr(first_).Get(), Bstr(L"").Get(), 0));
  EXPECT_TRUE(testsupport::RegKeyExists(HKEY_CURRENT_USER, EntryKey(second_))) << "other entries survive";
}

// The registry would take a name or a page only up to an embedded NUL: the
// entry or the page its first part names.
TEST_F(IEContextMenu, AnEmbeddedNulIsRefusedInNamesAndPages) {
  std::wstring page = folder_.WriteFile(L"cmd.htm", "x");
  ASSERT_EQ(S_OK, menu_->AddCmd(Bstr(first_).Get(), Bstr(page).Get(), 0));
  const std::wstring nul(1, L'\0');
  EXPECT_EQ(E_INVALIDARG, menu_->AddCmd(Bstr(std::wstring_view(second_ + nul + L"y")).Get(), Bstr(page).Get(), 0));
  EXPECT_FALSE(testsupport::RegKeyExists(HKEY_CURRENT_USER, EntryKey(second_))) << "no entry of the name's first part";
  EXPECT_EQ(E_INVALIDARG, menu_->AddCmd(Bstr(first_).Get(), Bstr(std::wstring_view(page + nul + L"x")).Get(), 0));
  EXPECT_EQ(E_INVALIDARG, menu_->RemoveCmd(Bstr(std::wstring_view(first_ + nul + L"z")).Get()));
  DWORD type = 0;
  std::vector<BYTE> data;
  ASSERT_TRUE(testsupport::GetRegValue(HKEY_CURRENT_USER, EntryKey(first_), L"", &type, &data))
      << "the entry of the name's first part stays";
  EXPECT_EQ(page, std::wstring(reinterpret_cast<const wchar_t*>(data.data())));
}

TEST_F(IEContextMenu, AFailedWriteIsReported) {
  std::wstring page = folder_.WriteFile(L"cmd.htm", "x");
  // A key name longer than the registry allows cannot be created.
  std::wstring tooLong(300, L'n');
  HRESULT hr = menu_->AddCmd(Bstr(tooLong).Get(), Bstr(page).Get(), 0);
  EXPECT_TRUE(FAILED(hr)) << std::hex << hr;
  testsupport::DeleteRegTree(HKEY_CURRENT_USER, EntryKey(tooLong));
}

}  // namespace
