// The settings of a browser: defaults, names, registry round trip and
// "reg:" names, through the browser object's GetSetting and SetSetting.
#include <gtest/gtest.h>

#include <algorithm>
#include <string>
#include <vector>

#include "BrowserTestSupport.h"
#include "platform/com/Bstr.h"
#include "platform/com/Variant.h"

namespace {

using platform::Bstr;
using platform::Variant;

class Settings : public BrowserObjectTest {
 protected:
  // A browser object without an engine: its settings still load and save.
  platform::ComPtr<platform::ComObject<CNorvaBrowserClass>> Browser(ENorvaBrowserType type) {
    auto browser = MakeBrowser();
    EXPECT_EQ(S_FALSE, browser->Initialize(type, nullptr, 0));
    return browser;
  }
  static HRESULT Get(CNorvaBrowserClass& b, const wchar_t* name, Variant* out, const Variant& def = Variant::Missing()) {
    return b.GetSetting(Bstr(name).Get(), def.Get(), out->Receive());
  }
  static HRESULT Set(CNorvaBrowserClass& b, const wchar_t* name, const Variant& value) {
    return b.SetSetting(Bstr(name).Get(), value.Get());
  }
};

TEST_F(Settings, AFreshUserGetsTheBuiltInDefaults) {
  auto browser = Browser(EPBT_FF);
  struct Case {
    const wchar_t* name;
    uint32_t value;
  } cases[] = {{L"PopupWordDelay", 500},  {L"LimitedTextAmount", 100}, {L"UseTranslateWordPopup", 1},
               {L"AddColorRGB", 0xACFFAC}, {L"AddBGColorRGB", 0x6200},  {L"PageTranslateMode", 0},
               {L"popupworddelay", 500}};
  for (const Case& c : cases) {
    Variant value;
    EXPECT_EQ(S_OK, Get(*browser.Get(), c.name, &value)) << "case " << c.name;
    EXPECT_EQ(VT_UI4, value.Type()) << "case " << c.name;
    EXPECT_EQ(c.value, value.Get().ulVal) << "case " << c.name;
  }
  Variant value;
  EXPECT_EQ(S_FALSE, Get(*browser.Get(), L"UseSmartUrl", &value, Variant::FromInt32(7)));
  EXPECT_TRUE(value.IsMissing()) << "DefVal serves only entries stored empty";
}

TEST_F(Settings, NamesIgnoreCaseForStoredValuesAsForDefaults) {
  auto ie = Browser(EPBT_IE);
  Variant value;
  EXPECT_EQ(S_OK, Get(*ie.Get(), L"pagetranslatemode", &value));
  EXPECT_EQ(2u, value.Get().ulVal) << "Internet Explorer's default";
  ASSERT_EQ(S_OK, Set(*ie.Get(), L"PageTranslateMode", Variant::FromUInt32(1)));
  EXPECT_EQ(S_OK, Get(*ie.Get(), L"PageTranslateMode", &value));
  EXPECT_EQ(1u, value.Get().ulVal);
  EXPECT_EQ(S_OK, Get(*ie.Get(), L"pagetranslatemode", &value));
  EXPECT_EQ(1u, value.Get().ulVal) << "another spelling reaches the stored value, as in the registry";
}

// The names of a key's values as the registry keeps them.
std::vector<std::wstring> ValueNames(const std::wstring& key) {
  std::vector<std::wstring> names;
  HKEY opened = nullptr;
  if (RegOpenKeyExW(HKEY_CURRENT_USER, key.c_str(), 0, KEY_READ, &opened) != ERROR_SUCCESS) return names;
  wchar_t name[256];
  for (DWORD i = 0;; ++i) {
    DWORD length = 256;
    if (RegEnumValueW(opened, i, name, &length, nullptr, nullptr, nullptr, nullptr) != ERROR_SUCCESS) break;
    names.emplace_back(name, length);
  }
  RegCloseKey(opened);
  return names;
}

// "Foo" and "foo" are one value on disk: in memory too, so that the save at
// the end cannot write the older of two entries over the newer.
TEST_F(Settings, TwoSpellingsOfANameAreOneSettingAndTheNewestValueSurvives) {
  const std::wstring key = BrowserKey(L"FireFox");
  testsupport::SetRegDword(HKEY_CURRENT_USER, key, L"foo", 1);
  {
    auto browser = Browser(EPBT_FF);
    ASSERT_EQ(S_OK, Set(*browser.Get(), L"Foo", Variant::FromUInt32(2)));
    ASSERT_EQ(S_OK, Set(*browser.Get(), L"BAR", Variant::FromString(L"first")));
    ASSERT_EQ(S_OK, Set(*browser.Get(), L"bar", Variant::FromString(L"second")));
    Variant value;
    for (const wchar_t* name : {L"foo", L"Foo", L"FOO"}) {
      EXPECT_EQ(S_OK, Get(*browser.Get(), name, &value)) << testing::PrintToString(std::wstring(name));
      EXPECT_EQ(2u, value.Get().ulVal) << testing::PrintToString(std::wstring(name));
    }
    EXPECT_EQ(S_OK, Get(*browser.Get(), L"Bar", &value));
    EXPECT_EQ(L"second", *value.ToString());
  }  // saved at the end of its life
  EXPECT_EQ(2u, RegDword(HKEY_CURRENT_USER, key, L"FOO"));
  const std::vector<std::wstring> names = ValueNames(key);
  EXPECT_EQ(1, std::count(names.begin(), names.end(), L"foo")) << "the stored spelling stays";
  EXPECT_EQ(1, std::count(names.begin(), names.end(), L"BAR")) << "the first spelling written stays";
  EXPECT_EQ(3u, names.size()) << "foo, BAR and lastDirID";

  auto again = Browser(EPBT_FF);
  Variant value;
  EXPECT_EQ(S_OK, Get(*again.Get(), L"Foo", &value));
  EXPECT_EQ(2u, value.Get().ulVal);
  EXPECT_EQ(S_OK, Get(*again.Get(), L"bar", &value));
  EXPECT_EQ(L"second", *value.ToString());
}

// VT_UI4 and VT_BSTR values are the registry's (written as soon as they are
// acknowledged: a killed process loses nothing); values of every other type
// serve the running browser object and end with it.
TEST_F(Settings, UnsignedNumbersAndStringsReachTheRegistryOtherTypesLiveWithTheObject) {
  VARIANT asInt;
  VariantInit(&asInt);
  asInt.vt = VT_INT;
  asInt.intVal = 33;
  VARIANT asShort;
  VariantInit(&asShort);
  asShort.vt = VT_I2;
  asShort.iVal = 12;
  const struct {
    const wchar_t* name;
    Variant value;
    bool kept;
  } cases[] = {
      {L"AsUI4", Variant::FromUInt32(11), true},     {L"AsString", Variant::FromString(L"text"), true},
      {L"AsI4", Variant::FromInt32(-2), false},      {L"AsInt", Variant::CopyOf(asInt), false},
      {L"AsI2", Variant::CopyOf(asShort), false},    {L"AsBool", Variant::FromBool(true), false},
      {L"AsReal", Variant::FromDouble(2.5), false},
  };
  const std::wstring key = BrowserKey(L"FireFox");
  {
    auto browser = Browser(EPBT_FF);
    for (const auto& c : cases) {
      EXPECT_EQ(S_OK, Set(*browser.Get(), c.name, c.value)) << testing::PrintToString(std::wstring(c.name));
      EXPECT_EQ(c.kept, testsupport::RegValueExists(HKEY_CURRENT_USER, key, c.name))
          << testing::PrintToString(std::wstring(c.name)) << " at once";
      Variant value;
      EXPECT_EQ(S_OK, Get(*browser.Get(), c.name, &value)) << testing::PrintToString(std::wstring(c.name));
      EXPECT_EQ(c.value.Type(), value.Type()) << "the running object answers it as set";
    }
  }  // saved at the end of its life
  EXPECT_EQ(11u, RegDword(HKEY_CURRENT_USER, key, L"AsUI4"));
  EXPECT_EQ(0xFFFFFFFFu, RegDword(HKEY_CURRENT_USER, key, L"lastDirID")) << "written even when never set";
  auto again = Browser(EPBT_FF);
  for (const auto& c : cases) {
    EXPECT_EQ(c.kept, testsupport::RegValueExists(HKEY_CURRENT_USER, key, c.name))
        << testing::PrintToString(std::wstring(c.name)) << " after the save";
    Variant value;
    EXPECT_EQ(c.kept ? S_OK : S_FALSE, Get(*again.Get(), c.name, &value))
        << testing::PrintToString(std::wstring(c.name)) << " in the next object";
  }
  Variant value;
  EXPECT_EQ(S_OK, Get(*again.Get(), L"AsString", &value));
  EXPECT_EQ(VT_BSTR, value.Type());
  EXPECT_EQ(L"text", *value.ToString());
  // A value the registry holds keeps its registry form when the running
  // object changes it to another type.
  ASSERT_EQ(S_OK, Set(*again.Get(), L"AsUI4", Variant::FromInt32(5)));
  again.Reset();
  EXPECT_EQ(11u, RegDword(HKEY_CURRENT_USER, key, L"AsUI4"));
}

TEST_F(Settings, WrongRegistryTypesAreReadAsTheyAreOrSkipped) {
  const std::wstring key = BrowserKey(L"Opera");
  testsupport::SetRegString(HKEY_CURRENT_USER, key, L"PopupWordDelay", L"abc");
  testsupport::SetRegValue(HKEY_CURRENT_USER, key, L"LimitedTextAmount", REG_BINARY, {1, 2, 3, 4, 5});
  testsupport::SetRegValue(HKEY_CURRENT_USER, key, L"lastDirID", REG_BINARY, {1, 2, 3, 4, 5});
  auto browser = Browser(EPBT_OPERA);
  Variant value;
  EXPECT_EQ(S_OK, Get(*browser.Get(), L"PopupWordDelay", &value));
  EXPECT_EQ(VT_BSTR, value.Type());
  EXPECT_EQ(L"abc", *value.ToString());
  EXPECT_EQ(S_OK, Get(*browser.Get(), L"LimitedTextAmount", &value));
  EXPECT_EQ(VT_UI4, value.Type()) << "a binary value is skipped: the default serves";
  EXPECT_EQ(100u, value.Get().ulVal);
  browser.Reset();
  EXPECT_EQ(0xFFFFFFFFu, RegDword(HKEY_CURRENT_USER, key, L"lastDirID")) << "an unreadable direction is no direction";
}

TEST_F(Settings, AnEntryStoredEmptyAnswersTheCallersDefault) {
  auto browser = Browser(EPBT_FF);
  ASSERT_EQ(S_OK, Set(*browser.Get(), L"Blank", Variant()));
  Variant value;
  EXPECT_EQ(S_FALSE, Get(*browser.Get(), L"Blank", &value, Variant::FromInt32(42)));
  EXPECT_EQ(42, *value.ToInt32());
}

TEST_F(Settings, AValueByReferenceIsStoredByValue) {
  auto browser = Browser(EPBT_FF);
  LONG target = 77;
  VARIANT byRef;
  VariantInit(&byRef);
  byRef.vt = VT_BYREF | VT_I4;
  byRef.plVal = &target;
  ASSERT_EQ(S_OK, browser->SetSetting(Bstr(L"Ref").Get(), byRef));
  target = 0;
  Variant value;
  EXPECT_EQ(S_OK, Get(*browser.Get(), L"Ref", &value));
  EXPECT_EQ(VT_I4, value.Type());
  EXPECT_EQ(77, value.Get().lVal);
}

// Settings hold values: a stored object would be held by the browser object
// (itself, even, keeping its server alive for ever), and the registry keeps
// a string only up to its first NUL.
TEST_F(Settings, ObjectsAndStringsWithANulAreRefused) {
  auto browser = Browser(EPBT_FF);
  ASSERT_EQ(S_OK, Set(*browser.Get(), L"Held", Variant::FromString(L"before")));
  IDispatch* self = static_cast<INorvaBrowserClass2*>(browser.Get());

  VARIANT selfByRef;
  VariantInit(&selfByRef);
  selfByRef.vt = VT_BYREF | VT_DISPATCH;
  selfByRef.ppdispVal = &self;
  Variant holder = Variant::FromDispatch(self);
  VARIANT holderByRef;
  VariantInit(&holderByRef);
  holderByRef.vt = VT_BYREF | VT_VARIANT;
  holderByRef.pvarVal = holder.Ptr();
  SAFEARRAY* list = SafeArrayCreateVector(VT_VARIANT, 0, 2);
  LONG index = 1;
  SafeArrayPutElement(list, &index, holder.Ptr());
  VARIANT listValue;
  VariantInit(&listValue);
  listValue.vt = VT_ARRAY | VT_VARIANT;
  listValue.parray = list;
  Variant array = Variant::Adopt(listValue);
  Variant nullObject;
  nullObject.Ptr()->vt = VT_DISPATCH;
  const Variant unknown = Variant::FromUnknown(self);
  const Variant cut = Variant::FromString(std::wstring(L"ab") + L'\0' + L"cd");
  struct Case {
    const char* name;
    VARIANT value;
  } cases[] = {
      {"the browser object", holder.Get()},
      {"its IUnknown", unknown.Get()},
      {"no object", nullObject.Get()},
      {"the object by reference", selfByRef},
      {"a VARIANT holding it by reference", holderByRef},
      {"an array holding it", array.Get()},
      {"a string with a NUL", cut.Get()},
  };
  // The references of the test's own values, and the object's own.
  browser->AddRef();
  const ULONG references = browser->Release();
  for (const Case& c : cases) {
    EXPECT_EQ(E_INVALIDARG, browser->SetSetting(Bstr(L"Held").Get(), c.value)) << c.name;
    browser->AddRef();
    EXPECT_EQ(references, browser->Release()) << c.name << ": the browser object holds a reference";
  }
  Variant value;
  EXPECT_EQ(S_OK, Get(*browser.Get(), L"Held", &value));
  EXPECT_EQ(L"before", value.ToString().value_or(L"?"));
  browser.Reset();
  auto again = Browser(EPBT_FF);
  EXPECT_EQ(S_OK, Get(*again.Get(), L"Held", &value));
  EXPECT_EQ(L"before", value.ToString().value_or(L"?")) << "after a restart";
}

TEST_F(Settings, AnEmptyNameIsRejected) {
  auto browser = Browser(EPBT_FF);
  EXPECT_EQ(E_INVALIDARG, Set(*browser.Get(), L"", Variant::FromInt32(1)));
  EXPECT_EQ(E_INVALIDARG, browser->SetSetting(nullptr, Variant::FromInt32(1).Get()));
}

// A "reg:" name reaches one DWORD in any key of either root; what is not a
// registry name with a known root reads as S_FALSE and writes nothing.
TEST_F(Settings, RegistryNamesReachOneDwordOfAnyKeyOfEitherRoot) {
  testsupport::ScopedFixedKey user(HKEY_CURRENT_USER, L"Software\\X");
  testsupport::ScopedFixedKey machine(HKEY_LOCAL_MACHINE, L"Software\\NorvaSettingsTest");
  auto browser = Browser(EPBT_FF);
  const struct {
    const wchar_t* name;
    HKEY root;
    const wchar_t* key;
    const wchar_t* value;
  } known[] = {
      {L"reg:HKCU\\Software\\X\\Y\\Depth", HKEY_CURRENT_USER, L"Software\\X\\Y", L"Depth"},
      {L"REG:HKCU\\Software\\X\\Width", HKEY_CURRENT_USER, L"Software\\X", L"Width"},
      {L"reg:HKLM\\Software\\NorvaSettingsTest\\Deep\\Level", HKEY_LOCAL_MACHINE,
       L"Software\\NorvaSettingsTest\\Deep", L"Level"},
  };
  DWORD number = 9;
  for (const auto& c : known) {
    EXPECT_EQ(S_OK, Set(*browser.Get(), c.name, Variant::FromInt32(static_cast<int32_t>(number))))
        << testing::PrintToString(std::wstring(c.name));
    EXPECT_EQ(number, RegDword(c.root, c.key, c.value)) << testing::PrintToString(std::wstring(c.name));
    Variant value;
    EXPECT_EQ(S_OK, Get(*browser.Get(), c.name, &value)) << testing::PrintToString(std::wstring(c.name));
    EXPECT_EQ(VT_I4, value.Type());
    EXPECT_EQ(static_cast<LONG>(number), value.Get().lVal) << testing::PrintToString(std::wstring(c.name));
    ++number;
  }

  struct Case {
    const wchar_t* name;
    const wchar_t* why;
  } unknown[] = {
      {L"reg:hkcu\\Software\\X\\Other", L"the root is case-sensitive"},
      {L"reg:HKCU\\Depth", L"no key"},
      {L"reg:HKCU", L"no value"},
      {L"reg:HKCR\\Software\\X\\Depth", L"unknown root"},
  };
  for (const Case& c : unknown) {
    Variant untouched = Variant::FromInt32(-5);
    EXPECT_EQ(S_OK, Set(*browser.Get(), c.name, Variant::FromInt32(3))) << c.why;
    EXPECT_EQ(S_FALSE, browser->GetSetting(Bstr(c.name).Get(), Variant::Missing().Get(), untouched.Ptr())) << c.why;
    EXPECT_EQ(-5, untouched.Get().lVal) << c.why;
  }
  EXPECT_FALSE(testsupport::RegValueExists(HKEY_CURRENT_USER, user.Path(), L"Other"));

  const wchar_t* name = L"reg:HKCU\\Software\\X\\Y\\Depth";
  EXPECT_EQ(S_OK, Set(*browser.Get(), name, Variant::FromString(L"12")));
  EXPECT_EQ(9u, RegDword(HKEY_CURRENT_USER, L"Software\\X\\Y", L"Depth")) << "only VT_I4 and VT_INT are written";
  browser.Reset();
  EXPECT_FALSE(testsupport::RegValueExists(HKEY_CURRENT_USER, BrowserKey(L"FireFox"), name))
      << "registry names never enter the store";
}

// Names the registry would cut, merge with the store's own value or not
// hold are refused, and nothing of them reaches memory or the registry.
TEST_F(Settings, NamesTheRegistryCannotHoldAsGivenAreRefused) {
  testsupport::ScopedFixedKey product(HKEY_CURRENT_USER, L"Software\\Norvasoft\\NRVA9\\SettingsTest");
  auto browser = Browser(EPBT_FF);
  ASSERT_EQ(S_OK, Set(*browser.Get(), L"PopupWordDelay", Variant::FromUInt32(700)));
  const std::wstring key = BrowserKey(L"FireFox");
  const std::wstring longKey = L"reg:HKCU\\Software\\Norvasoft\\NRVA9\\SettingsTest\\" + std::wstring(256, L'k') + L"\\V";
  struct Case {
    std::wstring name;
    Variant value;
    const char* why;
  } cases[] = {
      {std::wstring(L"PopupWordDelay") + L'\0' + L"x", Variant::FromUInt32(4321), "an embedded NUL"},
      {std::wstring(L"reg:HKCU\\Software\\Norvasoft\\NRVA9\\SettingsTest\\V") + L'\0' + L"x", Variant::FromInt32(5),
       "an embedded NUL in a registry name"},
      {L"lastDirID", Variant::FromString(L"junk"), "the store's own value"},
      {L"LASTDIRID", Variant::FromUInt32(7), "the store's own value in another case"},
      {std::wstring(20000, L'n'), Variant::FromUInt32(1), "longer than a value name"},
      {longKey, Variant::FromInt32(1), "a key name longer than the registry holds"},
  };
  for (Case& c : cases) {
    Bstr name(std::wstring_view(c.name));
    EXPECT_EQ(E_INVALIDARG, browser->SetSetting(name.Get(), c.value.Get())) << c.why;
  }
  EXPECT_EQ(700u, RegDword(HKEY_CURRENT_USER, key, L"PopupWordDelay")) << "not overwritten";
  EXPECT_FALSE(testsupport::RegValueExists(HKEY_CURRENT_USER, product.Path(), L"V"));
  Variant value;
  EXPECT_EQ(S_OK, Get(*browser.Get(), L"PopupWordDelay", &value));
  EXPECT_EQ(700u, value.Get().ulVal);
  EXPECT_EQ(E_INVALIDARG,
            browser->GetSetting(Bstr(std::wstring_view(cases[0].name)).Get(), Variant::Missing().Get(), value.Receive()));
  browser.Reset();

  DWORD type = 0;
  std::vector<BYTE> data;
  ASSERT_TRUE(testsupport::GetRegValue(HKEY_CURRENT_USER, key, L"lastDirID", &type, &data));
  EXPECT_EQ(static_cast<DWORD>(REG_DWORD), type) << "the remembered direction stays a number";
  auto again = Browser(EPBT_FF);
  EXPECT_EQ(S_OK, Get(*again.Get(), L"PopupWordDelay", &value));
  EXPECT_EQ(700u, value.Get().ulVal) << "after a restart";
}

// A long name the registry holds is acknowledged and survives a restart.
TEST_F(Settings, ALongNameWithinTheLimitsSurvivesARestart) {
  const std::wstring name(300, L'a');
  auto browser = Browser(EPBT_FF);
  EXPECT_EQ(S_OK, browser->SetSetting(Bstr(std::wstring_view(name)).Get(), Variant::FromUInt32(31).Get()));
  browser.Reset();
  auto again = Browser(EPBT_FF);
  Variant value;
  EXPECT_EQ(S_OK, again->GetSetting(Bstr(std::wstring_view(name)).Get(), Variant::Missing().Get(), value.Receive()));
  EXPECT_EQ(31u, value.Get().ulVal);
}

}  // namespace
