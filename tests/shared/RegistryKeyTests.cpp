#include "shared/DeliverableConfig.h"
#include "shared/RegistryKey.h"

#include "RegistrySandbox.h"

#include <gtest/gtest.h>
#include <winternl.h>

#include <set>

using testsupport::RegistrySandbox;

namespace {

std::vector<BYTE> Bytes(std::initializer_list<int> values) {
  std::vector<BYTE> bytes;
  for (int v : values) bytes.push_back(static_cast<BYTE>(v));
  return bytes;
}

std::vector<BYTE> WideBytes(const std::wstring& text) {
  const BYTE* begin = reinterpret_cast<const BYTE*>(text.data());
  return std::vector<BYTE>(begin, begin + text.size() * sizeof(wchar_t));
}

class RegistryKeyTest : public testing::Test {
 protected:
  void TearDown() override { SetDeliverableConfig({}); }

  void Put(const wchar_t* name, DWORD type, const std::vector<BYTE>& data, const std::wstring& sub = L"") {
    testsupport::SetRegValue(HKEY_CURRENT_USER, sub.empty() ? sandbox_.Path() : sandbox_.Sub(sub), name, type, data);
  }
  CRegistryKey OpenSandbox(REGSAM access = KEY_ALL_ACCESS) {
    CRegistryKey key;
    EXPECT_TRUE(key.Open(HKEY_CURRENT_USER, sandbox_.Path().c_str(), access)) << key.GetLastError();
    return key;
  }

  RegistrySandbox sandbox_;
};

TEST_F(RegistryKeyTest, ReadStringValueReadsOnlyTheDataUpToItsFirstNul) {
  struct Case {
    const wchar_t* name;
    DWORD type;
    std::vector<BYTE> data;
    const wchar_t* expected;
  };
  const Case cases[] = {
      {L"plain", REG_SZ, WideBytes(std::wstring(L"text", 5)), L"text"},
      {L"empty", REG_SZ, WideBytes(std::wstring(L"", 1)), L"default"},
      {L"no terminator", REG_SZ, WideBytes(L"abc"), L"abc"},
      {L"inner nul", REG_SZ, WideBytes(std::wstring(L"ab\0cd", 6)), L"ab"},
      {L"multi", REG_MULTI_SZ, WideBytes(std::wstring(L"one\0two\0\0", 9)), L"one"},
      {L"dword as text", REG_DWORD, Bytes({'A', 0, 'B', 0}), L"AB"},
      {L"odd bytes", REG_BINARY, Bytes({'a', 0, 'b'}), L"a"},
      {L"no data", REG_BINARY, {}, L"default"},
      {L"long", REG_SZ, WideBytes(std::wstring(20000, L'x')), nullptr},
  };
  for (size_t i = 0; i < std::size(cases); ++i) Put(cases[i].name, cases[i].type, cases[i].data);
  CRegistryKey key = OpenSandbox(KEY_READ);
  for (size_t i = 0; i < std::size(cases); ++i) {
    std::wstring expected = cases[i].expected ? cases[i].expected : std::wstring(20000, L'x');
    EXPECT_EQ(expected, key.ReadStringValue(cases[i].name, L"default")) << "case " << i << " " << cases[i].name;
  }
  EXPECT_EQ(L"default", key.ReadStringValue(L"missing", L"default"));
  EXPECT_EQ(static_cast<DWORD>(ERROR_FILE_NOT_FOUND), key.GetLastError());
}

TEST_F(RegistryKeyTest, ReadIntOfEachTypeAndSize) {
  struct Case {
    const wchar_t* name;
    DWORD type;
    std::vector<BYTE> data;
    int expected;
  };
  const int kDefault = 77;
  const Case cases[] = {
      {L"binary 2", REG_BINARY, Bytes({0x34, 0x12}), 0x1234},
      {L"binary 1", REG_BINARY, Bytes({0x7F}), 0x7F},
      {L"binary 4", REG_BINARY, Bytes({1, 2, 3, 0x84}), static_cast<int>(0x84030201u)},
      {L"binary 5", REG_BINARY, Bytes({1, 2, 3, 4, 5}), kDefault},
      {L"binary empty", REG_BINARY, {}, kDefault},
      {L"dword", REG_DWORD, Bytes({0xFF, 0xFF, 0xFF, 0xFF}), -1},
      {L"qword", REG_QWORD, Bytes({1, 0, 0, 0, 0, 0, 0, 0}), kDefault},
  };
  for (size_t i = 0; i < std::size(cases); ++i) Put(cases[i].name, cases[i].type, cases[i].data);
  CRegistryKey key = OpenSandbox(KEY_READ);
  for (size_t i = 0; i < std::size(cases); ++i)
    EXPECT_EQ(cases[i].expected, key.ReadInt(cases[i].name, kDefault)) << "case " << i << " " << cases[i].name;
  EXPECT_EQ(kDefault, key.ReadInt(L"missing", kDefault));

  DeliverableConfig quenlo;
  quenlo.readIntFailureValue = -1;
  SetDeliverableConfig(quenlo);
  EXPECT_EQ(-1, key.ReadInt(L"missing", kDefault)) << "a fixed failure value wins over the caller's default";
  EXPECT_EQ(-1, key.ReadInt(L"binary 5", kDefault));
  EXPECT_EQ(0x1234, key.ReadInt(L"binary 2", kDefault));
}

TEST_F(RegistryKeyTest, EnumValueReturnsTheUnnamedValueOnlyWhenAsked) {
  Put(nullptr, REG_SZ, WideBytes(std::wstring(L"unnamed", 8)));
  Put(L"a", REG_DWORD, Bytes({1, 0, 0, 0}));
  Put(L"b", REG_DWORD, Bytes({2, 0, 0, 0}));
  CRegistryKey key = OpenSandbox(KEY_READ);
  for (bool includeUnnamed : {false, true}) {
    std::multiset<std::wstring> names;
    DWORD index = 0;
    std::wstring name;
    while (key.EnumValue(index, name, includeUnnamed)) names.insert(name);
    std::multiset<std::wstring> expected{L"a", L"b"};
    if (includeUnnamed) expected.insert(L"");
    EXPECT_EQ(expected, names) << "includeUnnamed " << includeUnnamed;
    EXPECT_EQ(3u, index) << "the index ends past every value";
  }
}

TEST_F(RegistryKeyTest, SetPathWithoutRootStartsFromTheDeliverablesDefault) {
  CRegistryKey key;
  HKEY root = nullptr;
  key.SetPath(nullptr, L"Browsers", &root);
  EXPECT_EQ(HKEY_CURRENT_USER, root);
  EXPECT_EQ(L"Software\\Browsers", key.Path());

  DeliverableConfig classLibrary;
  classLibrary.appRegistryKey = L"Norvasoft\\NRVA9";
  classLibrary.appProfile = L"AOT";
  SetDeliverableConfig(classLibrary);
  key.SetPath(nullptr, L"Browsers");
  EXPECT_EQ(L"Software\\Norvasoft\\NRVA9\\AOT\\Browsers", key.Path());
  key.SetPath(HKEY_LOCAL_MACHINE, L"Browsers", &root);
  EXPECT_EQ(HKEY_LOCAL_MACHINE, root);
  EXPECT_EQ(L"Browsers", key.Path()) << "an explicit root starts from an empty path";

  // A class-library application's own settings key, for real.
  classLibrary.appRegistryKey = sandbox_.Path().substr(std::wstring(L"Software\\").size());
  SetDeliverableConfig(classLibrary);
  ASSERT_TRUE(key.Create(nullptr, L"Browsers"));
  EXPECT_TRUE(key.WriteDword(L"v", 5));
  EXPECT_TRUE(testsupport::RegValueExists(HKEY_CURRENT_USER, sandbox_.Sub(L"AOT\\Browsers"), L"v"));
}

TEST_F(RegistryKeyTest, OpenCloseAndReopen) {
  CRegistryKey key;
  EXPECT_TRUE(key.Close()) << "closing a closed object";
  EXPECT_FALSE(key.Open(HKEY_CURRENT_USER, sandbox_.Sub(L"missing").c_str()));
  EXPECT_EQ(static_cast<DWORD>(ERROR_FILE_NOT_FOUND), key.GetLastError());
  EXPECT_EQ(nullptr, key.Key());
  ASSERT_TRUE(key.Create(HKEY_CURRENT_USER, sandbox_.Sub(L"one").c_str()));
  ASSERT_TRUE(key.Create(HKEY_CURRENT_USER, sandbox_.Sub(L"two").c_str()));
  EXPECT_TRUE(key.WriteString(L"name", L"value"));
  EXPECT_TRUE(testsupport::RegValueExists(HKEY_CURRENT_USER, sandbox_.Sub(L"two"), L"name"));
  EXPECT_FALSE(testsupport::RegValueExists(HKEY_CURRENT_USER, sandbox_.Sub(L"one"), L"name"));
  EXPECT_TRUE(key.Close());
  EXPECT_EQ(L"", key.Path());
}

TEST_F(RegistryKeyTest, ValuesRoundTrip) {
  CRegistryKey key = OpenSandbox();
  EXPECT_TRUE(key.SetString(L"unnamed text"));
  EXPECT_EQ(L"unnamed text", key.GetDefaultString());
  EXPECT_TRUE(key.SetNumberString(42));
  EXPECT_EQ(42, key.GetDefaultInt());
  EXPECT_TRUE(key.WriteString(L"s", L"text"));
  EXPECT_EQ(static_cast<DWORD>(REG_SZ), key.GetValueType(L"s"));
  EXPECT_EQ(10u, key.GetValueSize(L"s"));
  EXPECT_TRUE(key.ValueExists(L"s"));
  EXPECT_TRUE(key.DeleteValue(L"s"));
  EXPECT_FALSE(key.ValueExists(L"s"));
  EXPECT_EQ(0u, key.GetValueType(L"s"));

  const BYTE data[] = {9, 8, 7};
  EXPECT_TRUE(key.WriteBinary(L"bin", data, 3));
  BYTE small[2] = {};
  EXPECT_EQ(0u, key.ReadBinary(L"bin", small, 2)) << "data larger than the buffer";
  BYTE big[8] = {};
  EXPECT_EQ(3u, key.ReadBinary(L"bin", big, 8));
  EXPECT_EQ(7, big[2]);

  const GUID guid = {0x12345678, 0x1234, 0x5678, {1, 2, 3, 4, 5, 6, 7, 8}};
  const GUID fallback = {0x87654321, 0, 0, {0}};
  EXPECT_TRUE(key.WriteGuid(L"g", guid));
  GUID read{};
  EXPECT_TRUE(key.ReadGuid(L"g", &read));
  EXPECT_TRUE(IsEqualGUID(guid, read));
  key.WriteString(L"bad", L"{12345678-1234-5678-0102-030405060708}trailing");
  EXPECT_FALSE(key.ReadGuid(L"bad", &read));
  EXPECT_TRUE(key.ReadGuid(L"bad", &read, &fallback));
  EXPECT_TRUE(IsEqualGUID(fallback, read));
}

TEST_F(RegistryKeyTest, SubKeysAndParents) {
  CRegistryKey key = OpenSandbox();
  EXPECT_FALSE(key.NewSubKey(L"child", false)) << "missing without the create flag";
  auto child = key.NewSubKey(L"child", true);
  ASSERT_TRUE(child);
  EXPECT_EQ(sandbox_.Sub(L"child"), child->Path());
  CRegistryKey grandChild;
  ASSERT_TRUE(child->OpenSubKeyInto(grandChild, L"grand", true));
  auto parent = grandChild.NewParentKey();
  ASSERT_TRUE(parent);
  EXPECT_EQ(sandbox_.Sub(L"child"), parent->Path());
  ASSERT_TRUE(grandChild.OpenParentKey());
  EXPECT_EQ(sandbox_.Sub(L"child"), grandChild.Path());
  ASSERT_TRUE(grandChild.CreateSubKeyPath(L"other", true));
  EXPECT_TRUE(testsupport::RegKeyExists(HKEY_CURRENT_USER, sandbox_.Sub(L"child\\other")));

  DWORD index = 0;
  EXPECT_EQ(L"grand", child->EnumKey(index));
  EXPECT_EQ(L"other", child->EnumKey(index));
  EXPECT_EQ(L"", child->EnumKey(index));

  CRegistryKey top;
  top.SetPath(HKEY_CURRENT_USER, L"Software");
  EXPECT_FALSE(top.OpenParentKey()) << "no parent without a backslash";
  CRegistryKey never;
  EXPECT_FALSE(never.CreateSubKeyPath(L"x", true)) << "no root before any open";
}

TEST_F(RegistryKeyTest, CopyRegistryTreeKeepsTheDestinationsValues) {
  Put(nullptr, REG_SZ, WideBytes(std::wstring(L"source unnamed", 15)), L"src");
  Put(L"a", REG_DWORD, Bytes({1, 0, 0, 0}), L"src");
  Put(L"b", REG_BINARY, Bytes({2, 3}), L"src");
  Put(L"c", REG_DWORD, Bytes({3, 0, 0, 0}), L"src\\sub\\deep");
  Put(L"a", REG_DWORD, Bytes({9, 0, 0, 0}), L"dst");

  int copied = CopyRegistryTree(sandbox_.Sub(L"src").c_str(), HKEY_CURRENT_USER, sandbox_.Sub(L"dst").c_str(),
                                HKEY_CURRENT_USER);
  EXPECT_EQ(3, copied) << "unnamed, b and sub\\deep\\c";
  DWORD type = 0;
  std::vector<BYTE> data;
  ASSERT_TRUE(testsupport::GetRegValue(HKEY_CURRENT_USER, sandbox_.Sub(L"dst"), L"a", &type, &data));
  EXPECT_EQ(Bytes({9, 0, 0, 0}), data) << "the destination's own value stays";
  ASSERT_TRUE(testsupport::GetRegValue(HKEY_CURRENT_USER, sandbox_.Sub(L"dst"), L"b", &type, &data));
  EXPECT_EQ(static_cast<DWORD>(REG_BINARY), type);
  EXPECT_EQ(Bytes({2, 3}), data);
  EXPECT_TRUE(testsupport::RegValueExists(HKEY_CURRENT_USER, sandbox_.Sub(L"dst"), nullptr));
  EXPECT_TRUE(testsupport::RegValueExists(HKEY_CURRENT_USER, sandbox_.Sub(L"dst\\sub\\deep"), L"c"));

  EXPECT_EQ(4, CopyRegistryTree(sandbox_.Sub(L"src").c_str(), HKEY_CURRENT_USER, sandbox_.Sub(L"new").c_str(),
                                HKEY_CURRENT_USER))
      << "a new destination receives everything";
  EXPECT_EQ(0, CopyRegistryTree(sandbox_.Sub(L"missing").c_str(), HKEY_CURRENT_USER,
                                sandbox_.Sub(L"nowhere").c_str(), HKEY_CURRENT_USER));
  EXPECT_FALSE(testsupport::RegKeyExists(HKEY_CURRENT_USER, sandbox_.Sub(L"nowhere")));
  EXPECT_EQ(0, CopyRegistryTree(sandbox_.Sub(L"src").c_str(), HKEY_CURRENT_USER, sandbox_.Sub(L"src\\sub\\in").c_str(),
                                HKEY_CURRENT_USER))
      << "never into its own tree";
}

TEST_F(RegistryKeyTest, DeleteKeyTree) {
  Put(L"v", REG_DWORD, Bytes({1, 0, 0, 0}), L"tree\\a\\b");
  Put(L"v", REG_DWORD, Bytes({1, 0, 0, 0}), L"tree\\c");
  CRegistryKey key;
  ASSERT_TRUE(key.Open(HKEY_CURRENT_USER, sandbox_.Sub(L"tree").c_str(), KEY_ALL_ACCESS));
  CRegistryKey flat;
  ASSERT_TRUE(flat.Open(HKEY_CURRENT_USER, sandbox_.Sub(L"tree").c_str(), KEY_ALL_ACCESS));
  EXPECT_FALSE(flat.DeleteKeyTree(false)) << "a key with sub-keys is not deleted alone";
  EXPECT_TRUE(key.DeleteKeyTree(true));
  EXPECT_EQ(nullptr, key.Key());
  EXPECT_FALSE(testsupport::RegKeyExists(HKEY_CURRENT_USER, sandbox_.Sub(L"tree")));
  EXPECT_FALSE(CRegistryKey::DeleteKeyTree(HKEY_CURRENT_USER, sandbox_.Sub(L"tree")));
  EXPECT_FALSE(CRegistryKey::DeleteKeyTree(HKEY_CURRENT_USER, L"")) << "never a whole hive";
}

// A key whose name holds a NUL character (made through the native API) is
// listed but cannot be opened by the name the registry functions see.
class NulNamedKey {
 public:
  NulNamedKey(HKEY parent) {
    using NtCreateKeyFn = LONG(NTAPI*)(HANDLE*, ACCESS_MASK, OBJECT_ATTRIBUTES*, ULONG, UNICODE_STRING*, ULONG, ULONG*);
    auto create = reinterpret_cast<NtCreateKeyFn>(GetProcAddress(GetModuleHandleW(L"ntdll.dll"), "NtCreateKey"));
    static wchar_t name[] = L"bad\0name";
    UNICODE_STRING text{static_cast<USHORT>(8 * sizeof(wchar_t)), static_cast<USHORT>(8 * sizeof(wchar_t)), name};
    OBJECT_ATTRIBUTES attributes{};
    attributes.Length = sizeof(attributes);
    attributes.RootDirectory = parent;
    attributes.ObjectName = &text;
    attributes.Attributes = OBJ_CASE_INSENSITIVE;
    if (create) status_ = create(&key_, KEY_ALL_ACCESS, &attributes, 0, nullptr, 0, nullptr);
  }
  ~NulNamedKey() {
    using NtDeleteKeyFn = LONG(NTAPI*)(HANDLE);
    auto remove = reinterpret_cast<NtDeleteKeyFn>(GetProcAddress(GetModuleHandleW(L"ntdll.dll"), "NtDeleteKey"));
    if (key_ && remove) remove(key_);
    if (key_) CloseHandle(key_);
  }
  bool Made() const { return status_ == 0 && key_; }

 private:
  HANDLE key_ = nullptr;
  LONG status_ = -1;
};

TEST_F(RegistryKeyTest, DeleteKeyTreeStopsAtASubKeyItCannotDelete) {
  Put(L"v", REG_DWORD, Bytes({1, 0, 0, 0}), L"tree\\z");
  CRegistryKey parent;
  ASSERT_TRUE(parent.Open(HKEY_CURRENT_USER, sandbox_.Sub(L"tree").c_str(), KEY_ALL_ACCESS));
  NulNamedKey stuck(parent.Key());
  ASSERT_TRUE(stuck.Made());
  parent.Close();

  CRegistryKey key;
  ASSERT_TRUE(key.Open(HKEY_CURRENT_USER, sandbox_.Sub(L"tree").c_str(), KEY_ALL_ACCESS));
  EXPECT_FALSE(key.DeleteKeyTree(true)) << "answers instead of trying the same sub-key for ever";
  EXPECT_NE(0u, key.GetLastError());
  EXPECT_TRUE(testsupport::RegKeyExists(HKEY_CURRENT_USER, sandbox_.Sub(L"tree")));
}

}  // namespace
