#pragma once
#include <windows.h>

#include <optional>
#include <string>
#include <vector>

// The stand-in store's data: HKCU "Software\Norvasoft\StandIns\SmartUrl"
// with the DWORDs "Days" (30 when absent) and "Recursive", and the sub-key
// "Entries" whose values "0000", "0001", ... each hold one entry as
// "<address>\x1F<direction id>\x1F<template>", in store order. Tests seed and
// read the key directly. Switches (DWORD, absent = off): "FailCreate" makes
// every creation of the store fail with that HRESULT; "FailWrites" makes
// every change fail with that HRESULT.
namespace smarturlstandin {

inline constexpr const wchar_t* kStoreKey = L"Software\\Norvasoft\\StandIns\\SmartUrl";

struct Entry {
  std::wstring url;
  long dirId = 0;
  std::wstring templateName;
};

std::vector<Entry> LoadEntries();
bool SaveEntries(const std::vector<Entry>& entries);
// Index of the address (exact comparison), or none.
std::optional<size_t> FindEntry(const std::vector<Entry>& entries, const std::wstring& url);

DWORD ReadDword(const wchar_t* name, DWORD fallback);
bool WriteDword(const wchar_t* name, DWORD value);

}  // namespace smarturlstandin
