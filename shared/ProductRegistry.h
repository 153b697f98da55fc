#pragma once

// Registry locations the product's installer writes (under HKEY_LOCAL_MACHINE).
inline constexpr const wchar_t* kProductKey = L"SOFTWARE\\Norvasoft\\NRVA9";
inline constexpr const wchar_t* kProductFoldersKey = L"SOFTWARE\\Norvasoft\\NRVA9\\Folders";
inline constexpr const wchar_t* kProductAppsKey = L"SOFTWARE\\Norvasoft\\NRVA9\\Apps";
inline constexpr const wchar_t* kOldProductFoldersKey = L"SOFTWARE\\Norvasoft\\NORVA 5\\Folders";
inline constexpr const wchar_t* kOldProductAppsKey = L"SOFTWARE\\Norvasoft\\NORVA 5\\Apps";
