// OMBREL.dll registered and unregistered by regsvr32 under Wine: exactly the
// keys of its registry script and its type library, read back from the
// registry; the stand-in kernel keeps working after either.
#include <gtest/gtest.h>
#include <windows.h>

#include <string>
#include <vector>

#include "ChildProcess.h"
#include "KernelStandIn.h"
#include "NorvaKernel.h"
#include "OMBREL.h"
#include "platform/com/Bstr.h"
#include "platform/com/ComApartment.h"
#include "platform/com/ComPtr.h"
#include "platform/com/ServerRegistration.h"

namespace {

using platform::ComPtr;

constexpr wchar_t kClsid[] = L"{54785CE9-939F-4719-865C-0335B2FA5F25}";
constexpr wchar_t kDescription[] = L"Norva5TemplateSemiAnalyzer Class";

std::wstring Module() { return testsupport::SiblingPath(L"OMBREL.dll"); }

DWORD Regsvr32(const std::wstring& arguments) {
  testsupport::ChildResult result = testsupport::RunChild(L"regsvr32 /s " + arguments, 60000);
  EXPECT_TRUE(result.started) << "regsvr32 " << result.startError;
  EXPECT_FALSE(result.timedOut);
  return result.exitCode;
}

bool KeyExists(const std::wstring& path) {
  HKEY key = nullptr;
  if (RegOpenKeyExW(HKEY_CLASSES_ROOT, path.c_str(), 0, KEY_READ, &key) != ERROR_SUCCESS) return false;
  RegCloseKey(key);
  return true;
}

std::optional<std::wstring> ReadString(const std::wstring& path, const wchar_t* name) {
  wchar_t buffer[1024] = {};
  DWORD size = sizeof(buffer);
  if (RegGetValueW(HKEY_CLASSES_ROOT, path.c_str(), name, RRF_RT_REG_SZ, nullptr, buffer, &size) != ERROR_SUCCESS)
    return std::nullopt;
  return std::wstring(buffer);
}

// Names of the sub-keys and of the values of a key.
std::vector<std::wstring> SubKeys(const std::wstring& path) {
  std::vector<std::wstring> names;
  HKEY key = nullptr;
  if (RegOpenKeyExW(HKEY_CLASSES_ROOT, path.c_str(), 0, KEY_READ, &key) != ERROR_SUCCESS) return names;
  wchar_t name[256];
  for (DWORD i = 0;; ++i) {
    DWORD size = 256;
    if (RegEnumKeyExW(key, i, name, &size, nullptr, nullptr, nullptr, nullptr) != ERROR_SUCCESS) break;
    names.emplace_back(name);
  }
  RegCloseKey(key);
  return names;
}

std::vector<std::wstring> ValueNames(const std::wstring& path) {
  std::vector<std::wstring> names;
  HKEY key = nullptr;
  if (RegOpenKeyExW(HKEY_CLASSES_ROOT, path.c_str(), 0, KEY_READ, &key) != ERROR_SUCCESS) return names;
  wchar_t name[256];
  for (DWORD i = 0;; ++i) {
    DWORD size = 256;
    if (RegEnumValueW(key, i, name, &size, nullptr, nullptr, nullptr, nullptr) != ERROR_SUCCESS) break;
    names.emplace_back(name);
  }
  RegCloseKey(key);
  return names;
}

using Names = std::vector<std::wstring>;

struct StringCase {
  std::wstring key;
  const wchar_t* value;  // null: the default value
  std::wstring expected;
};

class OmbrelRegistrationTest : public testing::Test {
 protected:
  void SetUp() override { ASSERT_TRUE(apartment_.Ok()); }
  platform::ComApartment apartment_;
};

TEST_F(OmbrelRegistrationTest, RegistersExactlyTheScriptsKeysAndTheTypeLibrary) {
  ASSERT_EQ(0u, Regsvr32(L"\"" + Module() + L"\""));
  const std::wstring clsidKey = std::wstring(L"CLSID\\") + kClsid;
  const StringCase strings[] = {
      {L"Norva5.TemplateSemiAnalyzer.9", nullptr, kDescription},
      {L"Norva5.TemplateSemiAnalyzer.9\\CLSID", nullptr, kClsid},
      {L"Norva5.TemplateSemiAnalyzer", nullptr, kDescription},
      {L"Norva5.TemplateSemiAnalyzer\\CLSID", nullptr, kClsid},
      {clsidKey, nullptr, kDescription},
      {clsidKey + L"\\ProgID", nullptr, L"Norva5.TemplateSemiAnalyzer.9"},
      {clsidKey + L"\\VersionIndependentProgID", nullptr, L"Norva5.TemplateSemiAnalyzer"},
      {clsidKey + L"\\InprocServer32", nullptr, Module()},
      {clsidKey + L"\\InprocServer32", L"ThreadingModel", L"both"},
  };
  for (const StringCase& c : strings) {
    auto value = ReadString(c.key, c.value);
    ASSERT_TRUE(value) << testing::PrintToString(c.key);
    EXPECT_EQ(c.expected, *value) << testing::PrintToString(c.key);
  }
  EXPECT_EQ(Names({L"CLSID"}), SubKeys(L"Norva5.TemplateSemiAnalyzer.9"));
  EXPECT_EQ(Names({L"CLSID"}), SubKeys(L"Norva5.TemplateSemiAnalyzer"));
  EXPECT_EQ(Names({L"InprocServer32", L"ProgID", L"VersionIndependentProgID"}), SubKeys(clsidKey));
  EXPECT_EQ(Names({L""}), ValueNames(clsidKey));
  ComPtr<ITypeLib> lib;
  EXPECT_EQ(S_OK, LoadRegTypeLib(LIBID_OMBRELLib, 1, 0, LOCALE_NEUTRAL, lib.Receive()));
  // Created by its ProgID, as a script client does.
  CLSID clsid{};
  ASSERT_EQ(S_OK, CLSIDFromProgID(L"Norva5.TemplateSemiAnalyzer", &clsid));
  ComPtr<INorva5TemplateAnalyzer> analyzer;
  EXPECT_EQ(S_OK, ComPtr<INorva5TemplateAnalyzer>::TryCreate(clsid, &analyzer, CLSCTX_INPROC_SERVER));
}

TEST_F(OmbrelRegistrationTest, UnregistersItsKeysAndLibraryButNotTheClsidKey) {
  ASSERT_EQ(0u, Regsvr32(L"\"" + Module() + L"\""));
  ASSERT_EQ(0u, Regsvr32(L"/u \"" + Module() + L"\""));
  for (const std::wstring& key : {std::wstring(L"Norva5.TemplateSemiAnalyzer.9"),
                                  std::wstring(L"Norva5.TemplateSemiAnalyzer"), std::wstring(L"CLSID\\") + kClsid})
    EXPECT_FALSE(KeyExists(key)) << testing::PrintToString(key);
  EXPECT_TRUE(KeyExists(L"CLSID"));
  ComPtr<ITypeLib> lib;
  EXPECT_NE(S_OK, LoadRegTypeLib(LIBID_OMBRELLib, 1, 0, LOCALE_NEUTRAL, lib.Receive()));
  // Registered again for the tests that follow.
  ASSERT_EQ(0u, Regsvr32(L"\"" + Module() + L"\""));
}

// Each module registers and removes only its own entries: the stand-in
// kernel works after OMBREL goes, OMBREL after the kernel goes.
TEST_F(OmbrelRegistrationTest, KernelStandInAndModuleKeepEachOthersEntries) {
  ASSERT_TRUE(kernelstandin_test::RegisterKernel());
  ASSERT_EQ(0u, Regsvr32(L"\"" + Module() + L"\""));
  ASSERT_EQ(0u, Regsvr32(L"/u \"" + Module() + L"\""));
  ComPtr<INrvaTemplateManager> manager;
  EXPECT_EQ(S_OK, ComPtr<INrvaTemplateManager>::TryCreate(CLSID_NrvaTemplateManager, &manager, CLSCTX_ALL));
  ComPtr<ITypeLib> lib;
  EXPECT_EQ(S_OK, LoadRegTypeLib(LIBID_NORVAOBJLib, 1, 0, LOCALE_NEUTRAL, lib.Receive()));
  ASSERT_EQ(0u, Regsvr32(L"\"" + Module() + L"\""));
  ASSERT_TRUE(kernelstandin_test::UnregisterKernel());
  EXPECT_EQ(S_OK, LoadRegTypeLib(LIBID_OMBRELLib, 1, 0, LOCALE_NEUTRAL, lib.Receive()));
  ComPtr<INorva5TemplateAnalyzer> analyzer;
  EXPECT_EQ(S_OK, ComPtr<INorva5TemplateAnalyzer>::TryCreate(CLSID_Norva5TemplateSemiAnalyzer, &analyzer,
                                                            CLSCTX_INPROC_SERVER));
  ASSERT_TRUE(kernelstandin_test::RegisterKernel());
}

}  // namespace
