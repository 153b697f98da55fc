#pragma once

// The product's registry locations, each spelled here once.

// The product's key as DeliverableConfig::appRegistryKey takes it (below "Software").
inline constexpr const wchar_t* kProductAppKey = L"Norvasoft\\NRVA9";

// Below HKEY_LOCAL_MACHINE: what the product's installer writes.
inline constexpr const wchar_t* kProductKey = L"SOFTWARE\\Norvasoft\\NRVA9";
inline constexpr const wchar_t* kProductFoldersKey = L"SOFTWARE\\Norvasoft\\NRVA9\\Folders";
inline constexpr const wchar_t* kProductAppsKey = L"SOFTWARE\\Norvasoft\\NRVA9\\Apps";
inline constexpr const wchar_t* kOldProductFoldersKey = L"SOFTWARE\\Norvasoft\\NORVA 5\\Folders";
inline constexpr const wchar_t* kOldProductAppsKey = L"SOFTWARE\\Norvasoft\\NORVA 5\\Apps";

// Below HKEY_CURRENT_USER: the user's settings and hand-offs.
inline constexpr const wchar_t* kUserProductKey = L"Software\\Norvasoft\\NRVA9";
inline constexpr const wchar_t* kUserBrowsersKey = L"Software\\Norvasoft\\NRVA9\\Browsers";
inline constexpr const wchar_t* kUserRunningKey = L"Software\\Norvasoft\\NRVA9\\Running";
inline constexpr const wchar_t* kUserAotSettingsKey = L"Software\\Norvasoft\\NRVA9\\AOT\\Settings";
