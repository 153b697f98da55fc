#pragma once
#include <windows.h>

#include <string>

// What the NorvaIEContextMenu class does: Internet Explorer context-menu
// entries under HKCU "Software\Microsoft\Internet Explorer\MenuExt\<name>".
namespace iecontextmenu {

inline constexpr const wchar_t* kMenuExtKey = L"Software\\Microsoft\\Internet Explorer\\MenuExt";

// E_INVALIDARG for an empty name or page, or a name that is not one key
// name; S_FALSE when the page does not exist; the write's failure otherwise.
HRESULT AddCommand(const std::wstring& name, const std::wstring& pagePath);
// E_INVALIDARG for a name that is not one key name; S_FALSE when there is no such entry.
HRESULT RemoveCommand(const std::wstring& name);

}  // namespace iecontextmenu
