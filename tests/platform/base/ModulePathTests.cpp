#include <gtest/gtest.h>
#include <windows.h>

#include <string>

#include "platform/base/ModulePath.h"

namespace {

using platform::ModuleFolder;
using platform::ModulePath;

struct ModuleCase {
  const char* what;
  HMODULE module;
  const wchar_t* fileName;  // lower case
};

std::wstring Lower(std::wstring text) {
  CharLowerBuffW(text.data(), static_cast<DWORD>(text.size()));
  return text;
}

class ModulePaths : public testing::TestWithParam<ModuleCase> {};

TEST_P(ModulePaths, NameTheModuleFileAndItsFolder) {
  const ModuleCase& c = GetParam();
  const std::wstring path = ModulePath(c.module);
  ASSERT_FALSE(path.empty()) << c.what;
  EXPECT_NE(INVALID_FILE_ATTRIBUTES, GetFileAttributesW(path.c_str())) << c.what << ": " << path;
  const std::wstring folder = ModuleFolder(c.module);
  ASSERT_FALSE(folder.empty()) << c.what;
  EXPECT_EQ(L'\\', folder.back()) << c.what;
  EXPECT_EQ(folder, path.substr(0, folder.size())) << c.what;
  EXPECT_EQ(std::wstring(c.fileName), Lower(path.substr(folder.size()))) << c.what;
}

INSTANTIATE_TEST_SUITE_P(Modules, ModulePaths,
                         testing::Values(ModuleCase{"the program", nullptr, L"platform_base_tests.exe"},
                                         ModuleCase{"the module of the calling code", platform::CurrentModule(),
                                                    L"platform_base_tests.exe"},
                                         ModuleCase{"a system library", GetModuleHandleW(L"kernel32.dll"),
                                                    L"kernel32.dll"}));

TEST(ModulePath, IsEmptyForAModuleThatIsNotLoaded) {
  HMODULE notLoaded = reinterpret_cast<HMODULE>(static_cast<ULONG_PTR>(0x10000));
  EXPECT_EQ(L"", ModulePath(notLoaded));
  EXPECT_EQ(L"", ModuleFolder(notLoaded));
}

}  // namespace
