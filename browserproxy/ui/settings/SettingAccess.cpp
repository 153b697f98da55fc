#include "browserproxy/ui/settings/SettingAccess.h"

#include "platform/com/Bstr.h"
#include "platform/com/ComError.h"

namespace settingaccess {

using platform::Bstr;
using platform::ThrowIfFailed;
using platform::Variant;

void Require(INorvaBrowserClass* settings) {
  if (!settings) throw platform::ComError(E_POINTER, L"The option page has no settings interface");
}

Variant Read(INorvaBrowserClass& settings, const wchar_t* name, bool raise, const VARIANT* defaultValue) {
  Variant fallback = defaultValue ? Variant::CopyOf(*defaultValue) : Variant::Missing();
  Variant value;
  HRESULT hr = settings.GetSetting(Bstr(name).Get(), fallback.Get(), value.Receive());
  if (raise) ThrowIfFailed(hr, name);
  return value;
}

std::optional<uint32_t> IntegerOf(const VARIANT& value) {
  switch (value.vt) {
    case VT_UI4: return value.ulVal;
    case VT_I4: return static_cast<uint32_t>(value.lVal);
    case VT_INT: return static_cast<uint32_t>(value.intVal);
    case VT_UINT: return value.uintVal;
    case VT_I2: return static_cast<uint32_t>(static_cast<int32_t>(value.iVal));
    case VT_UI2: return value.uiVal;
    case VT_I1: return static_cast<uint32_t>(static_cast<int32_t>(value.cVal));
    case VT_UI1: return value.bVal;
    case VT_BOOL: return value.boolVal ? 1u : 0u;
    default: return std::nullopt;
  }
}

uint32_t ReadNumber(INorvaBrowserClass& settings, const wchar_t* name, uint32_t fallback, bool raise) {
  Variant value = Read(settings, name, raise);
  return IntegerOf(value.Get()).value_or(fallback);
}

void WriteNumber(INorvaBrowserClass& settings, const wchar_t* name, uint32_t value, bool raise) {
  Variant v = Variant::FromUInt32(value);
  HRESULT hr = settings.SetSetting(Bstr(name).Get(), v.Get());
  if (raise) ThrowIfFailed(hr, name);
}

unsigned long DirsCount(INorvaBrowserClass& settings) {
  ULONG count = 0;
  ThrowIfFailed(settings.get_DirsCount(&count), L"DirsCount");
  return count;
}

std::wstring DirName(INorvaBrowserClass& settings, unsigned long index) {
  Bstr name;
  ThrowIfFailed(settings.get_DirName(static_cast<LONG>(index), name.Receive()), L"DirName");
  return name.Str();
}

long DirID(INorvaBrowserClass& settings, unsigned long index) {
  LONG id = 0;
  ThrowIfFailed(settings.get_DirID(index, &id), L"DirID");
  return id;
}

unsigned long TmplCount(INorvaBrowserClass& settings, unsigned long directionIndex) {
  ULONG count = 0;
  ThrowIfFailed(settings.get_TmplCountByDirIdx(directionIndex, &count), L"TmplCountByDirIdx");
  return count;
}

std::wstring TmplName(INorvaBrowserClass& settings, unsigned long templateIndex, unsigned long directionIndex) {
  Bstr name;
  ThrowIfFailed(settings.get_TmplNameByDirIdx(templateIndex, directionIndex, name.Receive()), L"TmplNameByDirIdx");
  return name.Str();
}

unsigned long ActiveDirIndex(INorvaBrowserClass& settings) {
  ULONG index = 0;
  ThrowIfFailed(settings.get_ActiveDirIndex(&index), L"ActiveDirIndex");
  return index;
}

std::wstring ActiveTplId(INorvaBrowserClass& settings) {
  Bstr id;
  ThrowIfFailed(settings.get_ActiveTplId(id.Receive()), L"ActiveTplId");
  return id.Str();
}

std::wstring ActiveTplName(INorvaBrowserClass& settings) {
  std::wstring id = ActiveTplId(settings);
  ULONG index = 0, count = 0;
  if (FAILED(settings.get_ActiveTplIndex(&index)) || FAILED(settings.get_TmplCount(&count)) || index >= count)
    return id;
  Bstr name;
  ThrowIfFailed(settings.get_TmplName(index, name.Receive()), L"TmplName");
  return name.Str();
}

ENorvaBrowserType BrowserType(INorvaBrowserClass& settings) {
  ENorvaBrowserType type = EPBT_OPERA;
  ThrowIfFailed(settings.get_BrowserType(&type), L"BrowserType");
  return type;
}

}  // namespace settingaccess
