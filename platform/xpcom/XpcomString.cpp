#include "platform/xpcom/XpcomString.h"

#include "platform/xpcom/XpcomGlue.h"

std::wstring ReadXpString(const nsAString& text) {
  const PRUnichar* data = nullptr;
  uint32_t length = NS_StringGetData(text, &data);
  return data ? std::wstring(data, length) : std::wstring();
}

nsresult WriteXpString(nsAString& text, std::wstring_view value) {
  return NS_StringSetData(text, value.data(), static_cast<uint32_t>(value.size()));
}

XpString::XpString() : ok_(NS_SUCCEEDED(NS_StringContainerInit(container_))) {}

XpString::XpString(std::wstring_view value) : XpString() {
  if (ok_) WriteXpString(container_, value);
}

XpString::~XpString() {
  if (ok_) NS_StringContainerFinish(container_);
}
