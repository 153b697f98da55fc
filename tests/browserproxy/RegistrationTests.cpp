// "RegServer" and "UnregServer" of Tessiva.exe in the test prefix.
#include <gtest/gtest.h>

#include "ChildProcess.h"
#include "RegistrySandbox.h"
#include "TessivaServer.h"

namespace {

using testsupport::RegKeyExists;

const wchar_t* const kClasses[][2] = {
    {L"WebClassCreator", L"{F9C95826-403E-404A-A55A-4982AD832608}"},
    {L"NorvaBrowserClass", L"{64E0749E-E63B-44AD-AC04-39907C702210}"},
    {L"NorvaIEContextMenu", L"{F53DA2C2-19AD-4ACD-9464-4DC22BFA58F2}"},
};
const wchar_t kAppIdKey[] = L"AppID\\{E5CAE181-EA10-4CFD-A4EA-FDB2DF0EF86F}";
const wchar_t kTypeLibKey[] = L"TypeLib\\{EB295231-94EA-4436-BB5D-572A2403E267}\\1.0";

std::wstring ReadString(const std::wstring& key, const wchar_t* name) {
  DWORD type = 0;
  std::vector<BYTE> data;
  if (!testsupport::GetRegValue(HKEY_CLASSES_ROOT, key, name, &type, &data) || type != REG_SZ) return L"(none)";
  data.resize(data.size() + 2);
  return reinterpret_cast<const wchar_t*>(data.data());
}

void ExpectRegistered(const std::string& context) {
  for (const auto& c : kClasses) {
    std::wstring name = c[0], clsid = c[1];
    std::wstring key = L"CLSID\\" + clsid;
    EXPECT_EQ(name + L" Class", ReadString(key, L"")) << context;
    EXPECT_EQ(L"Tessiva." + name + L".1", ReadString(key + L"\\ProgID", L"")) << context;
    EXPECT_EQ(L"Tessiva." + name, ReadString(key + L"\\VersionIndependentProgID", L"")) << context;
    EXPECT_TRUE(RegKeyExists(HKEY_CLASSES_ROOT, key + L"\\Programmable")) << context;
    EXPECT_EQ(L"{E5CAE181-EA10-4CFD-A4EA-FDB2DF0EF86F}", ReadString(key, L"AppID")) << context;
    EXPECT_EQ(L"{EB295231-94EA-4436-BB5D-572A2403E267}", ReadString(key + L"\\TypeLib", L"")) << context;
    EXPECT_EQ(0, _wcsicmp(tessivaserver::ProgramPath().c_str(), ReadString(key + L"\\LocalServer32", L"").c_str()))
        << context;
    EXPECT_EQ(clsid, ReadString(L"Tessiva." + name + L".1\\CLSID", L"")) << context;
    EXPECT_EQ(clsid, ReadString(L"Tessiva." + name + L"\\CLSID", L"")) << context;
    EXPECT_EQ(L"Tessiva." + name + L".1", ReadString(L"Tessiva." + name + L"\\CurVer", L"")) << context;
  }
  EXPECT_EQ(L"Tessiva", ReadString(kAppIdKey, L"")) << context;
  EXPECT_EQ(L"{E5CAE181-EA10-4CFD-A4EA-FDB2DF0EF86F}", ReadString(L"AppID\\Tessiva.EXE", L"AppID")) << context;
  EXPECT_EQ(L"Tessiva 1.0 Type Library", ReadString(kTypeLibKey, L"")) << context;
}

void ExpectUnregistered(const std::string& context) {
  for (const auto& c : kClasses) {
    std::wstring name = c[0];
    EXPECT_FALSE(RegKeyExists(HKEY_CLASSES_ROOT, std::wstring(L"CLSID\\") + c[1])) << context;
    EXPECT_FALSE(RegKeyExists(HKEY_CLASSES_ROOT, L"Tessiva." + name + L".1")) << context;
    EXPECT_FALSE(RegKeyExists(HKEY_CLASSES_ROOT, L"Tessiva." + name)) << context;
  }
  EXPECT_FALSE(RegKeyExists(HKEY_CLASSES_ROOT, kAppIdKey)) << context;
  EXPECT_FALSE(RegKeyExists(HKEY_CLASSES_ROOT, L"AppID\\Tessiva.EXE")) << context;
  EXPECT_FALSE(RegKeyExists(HKEY_CLASSES_ROOT, kTypeLibKey)) << context;
  EXPECT_TRUE(RegKeyExists(HKEY_CLASSES_ROOT, L"CLSID")) << context;
  EXPECT_TRUE(RegKeyExists(HKEY_CLASSES_ROOT, L"AppID")) << context;
}

TEST(Registration, RoundTripInAnySpellingEndsWithoutServing) {
  const wchar_t* registers[] = {L"/RegServer", L"-regserver", L"/REGSERVER", L"-Embedding /regServer"};
  const wchar_t* unregisters[] = {L"/UnregServer", L"-unregserver", L"/UNREGSERVER", L"-UnRegServer"};
  for (size_t i = 0; i < std::size(registers); ++i) {
    std::string context = "case " + std::to_string(i);
    ASSERT_EQ(0u, tessivaserver::Run(registers[i])) << context << ": ends by itself with success";
    ExpectRegistered(context);
    ASSERT_EQ(0u, tessivaserver::Run(unregisters[i])) << context;
    ExpectUnregistered(context);
  }
  // Other tests and the main job find it registered.
  EXPECT_EQ(0u, tessivaserver::Run(L"/RegServer"));
}

}  // namespace
