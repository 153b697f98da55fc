#pragma once
#include <windows.h>

#include <string>

struct RegistrySettingName;

// Which setting names a client may write. The registry takes names as C
// strings and holds only names of limited length, and the store writes
// "lastDirID" itself: a name outside these rules would be cut, merged with
// another setting or lost at the next start, so it is refused.
namespace settingname {

// The registry's limits: a value name, and one key name in a path.
constexpr size_t kMaxValueNameLength = 16383;
constexpr size_t kMaxKeyNameLength = 255;

// S_OK, or E_INVALIDARG for a name with an embedded NUL.
HRESULT CheckCharacters(const std::wstring& name);
// A name of the settings store: also E_INVALIDARG for a reserved name (any
// case, as the registry compares) or one too long for a value name.
HRESULT CheckStoreName(const std::wstring& name);
// A "reg:" name with a known root: E_INVALIDARG when a key name or the
// value name is longer than the registry holds.
HRESULT CheckRegistryName(const RegistrySettingName& name);

}  // namespace settingname
