#pragma once
// The host's page objects read and write the browser's string objects as
// Firefox's own code would: through the string functions that the XPCOM
// library ("xpcom.dll", loaded in the process) exports.
#include <string>
#include <string_view>

#include "GeckoXpcom.h"

namespace gecko {

// Empty when the XPCOM library is not loaded.
std::wstring ReadString(const nsAString& text);
// kNotAvailable when the XPCOM library is not loaded.
nsresult WriteString(nsAString& text, std::wstring_view value);

}  // namespace gecko
