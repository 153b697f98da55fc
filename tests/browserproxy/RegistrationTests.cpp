// "RegServer" and "UnregServer" of Tessiva.exe in the test prefix.
#include <gtest/gtest.h>

#include <windows.h>
#include <oleauto.h>

#include <utility>

#include "ChildProcess.h"
#include "RegistrySandbox.h"
#include "TessivaServer.h"
#include "platform/com/Bstr.h"
#include "platform/com/ComApartment.h"
#include "platform/com/ComPtr.h"
#include "platform/com/Variant.h"

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
    // Quoted, so that a path with spaces names this program only.
    const std::wstring quoted = L"\"" + tessivaserver::ProgramPath() + L"\"";
    EXPECT_EQ(0, _wcsicmp(quoted.c_str(), ReadString(key + L"\\LocalServer32", L"").c_str()))
        << context << ": " << testing::PrintToString(ReadString(key + L"\\LocalServer32", L""));
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

// Script clients see the kinds of TranslateTextDlg by name: the registered
// type library carries the enumeration with its constants.
TEST(Registration, TheTypeLibraryCarriesTheTranslateDialogKinds) {
  ASSERT_EQ(0u, tessivaserver::Run(L"/RegServer"));
  platform::ComApartment apartment;
  const GUID library = {0xeb295231, 0x94ea, 0x4436, {0xbb, 0x5d, 0x57, 0x2a, 0x24, 0x03, 0xe2, 0x67}};
  const GUID dialogKinds = {0xf8b97e07, 0x48a8, 0x4625, {0x80, 0x33, 0x6d, 0x1c, 0xfa, 0xa9, 0x3f, 0xc8}};
  platform::ComPtr<ITypeLib> lib;
  ASSERT_EQ(S_OK, LoadRegTypeLib(library, 1, 0, LOCALE_NEUTRAL, lib.Receive()));
  platform::ComPtr<ITypeInfo> info;
  ASSERT_EQ(S_OK, lib->GetTypeInfoOfGuid(dialogKinds, info.Receive())) << "ENorvaTranslateDlgType is missing";
  TYPEATTR* attr = nullptr;
  ASSERT_EQ(S_OK, info->GetTypeAttr(&attr));
  EXPECT_EQ(TKIND_ENUM, attr->typekind);
  const WORD count = attr->cVars;
  info->ReleaseTypeAttr(attr);
  const std::pair<const wchar_t*, LONG> expected[] = {
      {L"EPTDT_FRAME", 0}, {L"EPTDT_TOOLTIP_WORD", 1}, {L"EPTDT_TOOLTIP_SELECTION", 2}};
  ASSERT_EQ(std::size(expected), count);
  for (UINT i = 0; i < count; ++i) {
    VARDESC* var = nullptr;
    ASSERT_EQ(S_OK, info->GetVarDesc(i, &var));
    platform::Bstr name;
    UINT names = 0;
    EXPECT_EQ(S_OK, info->GetNames(var->memid, name.Receive(), 1, &names));
    EXPECT_STREQ(expected[i].first, name.CStr()) << i;
    ASSERT_EQ(VAR_CONST, var->varkind) << i;
    platform::Variant value;
    EXPECT_EQ(S_OK, VariantChangeType(value.Receive(), var->lpvarValue, 0, VT_I4)) << i;
    EXPECT_EQ(expected[i].second, value.Get().lVal) << i;
    info->ReleaseVarDesc(var);
  }
}

}  // namespace
