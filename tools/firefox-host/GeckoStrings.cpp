#include "GeckoStrings.h"

#include "XpcomHostApi.h"

namespace gecko {

namespace {

template <class Function>
Function Export(const char* name) {
  HMODULE xpcom = GetModuleHandleW(L"xpcom.dll");
  return xpcom ? reinterpret_cast<Function>(GetProcAddress(xpcom, name)) : nullptr;
}

}  // namespace

std::wstring ReadString(const nsAString& text) {
  auto getData = Export<StringGetDataExport>("NS_StringGetData");
  if (!getData) return {};
  const PRUnichar* data = nullptr;
  uint32_t length = getData(text, &data, nullptr);
  return data ? std::wstring(data, length) : std::wstring();
}

nsresult WriteString(nsAString& text, std::wstring_view value) {
  auto setData = Export<StringSetDataExport>("NS_StringSetData");
  if (!setData) return kNotAvailable;
  return setData(text, value.data(), static_cast<uint32_t>(value.size()));
}

}  // namespace gecko
