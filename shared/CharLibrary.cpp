#include "shared/CharLibrary.h"

#include "shared/LibrarySearchWatch.h"
#include "shared/PathStrings.h"
#include "shared/ProductRegistry.h"
#include "shared/RegistryKey.h"

#include <algorithm>
#include <atomic>
#include <climits>
#include <cstring>
#include <cwchar>
#include <mutex>
#include <vector>

namespace {

// Every export of the library, in binding order; the wrappers below use a few.
constexpr const char* kExportNames[] = {
    "IsNumeric", "IsAnsiAlpha", "IsAnsiAlphaNumeric", "IsAnsiLower", "IsAnsiUpper", "IsOemAlpha",
    "IsOemAlphaNumeric", "IsOemLower", "IsOemUpper", "AnsiToLower", "AnsiToUpper", "OemToLower", "OemToUpper",
    "AnsiReverse", "OemReverse", "StrAnsiLower", "StrAnsiUpper", "StrAnsiLowerBuff", "StrAnsiUpperBuff",
    "StrAnsiReverseBuff", "StrAnsiReverse", "StrOemLower", "StrOemUpper", "StrOemLowerBuff", "StrOemUpperBuff",
    "StrOemReverseBuff", "StrOemReverse", "StrAnsiToOem", "StrOemToAnsi", "StrAnsiToOemBuff", "StrOemToAnsiBuff",
    "BiAnsiToOem", "BiOemToAnsi", "BiAnsiToOemBuff", "BiOemToAnsiBuff", "AnsiCompare", "StrAnsiCompareBuff",
    "StrAnsiCompare", "OemCompare", "StrOemCompareBuff", "StrOemCompare", "AnsiChangeLayout",
    "StrAnsiChangeLayoutBuff", "StrAnsiChangeLayout", "IsAnsiRussianBuff", "IsAnsiRussian", "AnsiToUnicode",
    "UnicodeToAnsi", "StrAnsiToUnicode", "StrAnsiToUnicodeBuff", "StrAnsiToUnicodeBuff2", "StrUnicodeToAnsi",
    "StrUnicodeToAnsiBuff", "StrUnicodeToAnsiBuff2", "StrOemStripDiacritics", "OemToUnicode", "UnicodeToOem",
    "StrOemToUnicode", "StrOemToUnicodeBuff", "StrUnicodeToOem", "StrUnicodeToOemBuff",
};
constexpr size_t kExportCount = sizeof(kExportNames) / sizeof(kExportNames[0]);
static_assert(kExportCount == 61);

constexpr size_t IndexOf(const char* name) {
  for (size_t i = 0; i < kExportCount; ++i)
    if (std::char_traits<char>::compare(kExportNames[i], name, std::char_traits<char>::length(name) + 1) == 0)
      return i;
  return kExportCount;
}

// The library's exports as it declares them: destinations carry no size.
using AnsiToUnicodeFn = wchar_t*(WINAPI*)(DWORD, const char*, wchar_t*);
using AnsiToUnicodeBuffFn = wchar_t*(WINAPI*)(DWORD, const char*, wchar_t*, int);
using UnicodeToAnsiFn = char*(WINAPI*)(const wchar_t*, char*);
using UnicodeToAnsiBuffFn = char*(WINAPI*)(const wchar_t*, char*, int);
using CharUpperFn = char(WINAPI*)(DWORD, char);
using StringUpperFn = char*(WINAPI*)(DWORD, char*);

struct CharLibEntryTable {
  std::mutex binding;
  std::atomic<HMODULE> module{nullptr};
  std::atomic<FARPROC> entries[kExportCount] = {};
  // A missing library is looked for again only once "SharedRoot" or its
  // folder changed; until then every call gives up at once.
  LibrarySearchWatch missing;
};

CharLibEntryTable& Table() {
  static CharLibEntryTable table;
  return table;
}

template <typename Fn>
Fn Entry(const char* name) {
  size_t index = IndexOf(name);
  FARPROC entry = Table().entries[index];
  if (!entry) {
    LoadCharLibrary();
    entry = Table().entries[index];
  }
  return reinterpret_cast<Fn>(entry);
}

std::wstring SharedRoot() {
  CRegistryKey key;
  if (!key.Open(HKEY_LOCAL_MACHINE, kProductFoldersKey, KEY_READ)) return std::wstring();
  return key.ReadStringValue(L"SharedRoot", L"");
}

// The library's 8-bit conversions write one element per source character
// and a terminator; a caller's buffer that is too small gets a truncated,
// terminated copy instead of an overrun.
template <typename Out, typename Convert>
Out* ConvertBounded(Out* destination, size_t destinationSize, size_t needed, Convert convert) {
  if (needed <= destinationSize) return convert(destination);
  std::vector<Out> whole(needed, Out{});
  convert(whole.data());
  std::copy_n(whole.data(), destinationSize - 1, destination);
  destination[destinationSize - 1] = Out{};
  return destination;
}

int ClampLength(size_t length) { return static_cast<int>(std::min<size_t>(length, INT_MAX)); }

}  // namespace

void LoadCharLibrary() {
  CharLibEntryTable& table = Table();
  std::lock_guard<std::mutex> lock(table.binding);
  // Once the library is bound its missing exports stay missing; only a
  // missing library is looked for again.
  if (table.module || !table.missing.SearchAgain()) return;
  table.missing.WatchKey(HKEY_LOCAL_MACHINE, kProductFoldersKey);
  const std::wstring folder = SharedRoot();
  table.missing.WatchFolder(folder);
  // An empty folder leaves the bare name to the system's library search.
  HMODULE module = LoadLibraryW(folder.empty() ? L"charlib40.dll" : JoinPath(folder, L"charlib40.dll").c_str());
  if (!module) {
    table.missing.RememberMiss();
    return;
  }
  table.missing.Forget();
  for (size_t i = 0; i < kExportCount; ++i) table.entries[i] = GetProcAddress(module, kExportNames[i]);
  table.module = module;
}

void UnloadCharLibraryForTesting() {
  CharLibEntryTable& table = Table();
  std::lock_guard<std::mutex> lock(table.binding);
  for (auto& entry : table.entries) entry = nullptr;
  table.missing.Forget();
  if (HMODULE module = table.module.exchange(nullptr)) FreeLibrary(module);
}

wchar_t* StrAnsiToUnicode(DWORD language, const char* source, wchar_t* destination, size_t destinationSize) {
  auto convert = Entry<AnsiToUnicodeFn>("StrAnsiToUnicode");
  if (!convert || !source || !destination || destinationSize == 0) return destination;
  return ConvertBounded(destination, destinationSize, std::strlen(source) + 1,
                        [&](wchar_t* out) { return convert(language, source, out); });
}

wchar_t* StrAnsiToUnicodeBuff(DWORD language, const char* source, wchar_t* destination, size_t length) {
  auto convert = Entry<AnsiToUnicodeBuffFn>("StrAnsiToUnicodeBuff");
  if (!convert || !source || !destination || length == 0) return destination;
  return convert(language, source, destination, ClampLength(length));
}

char* StrUnicodeToAnsi(const wchar_t* source, char* destination, size_t destinationSize) {
  auto convert = Entry<UnicodeToAnsiFn>("StrUnicodeToAnsi");
  if (!convert || !source || !destination || destinationSize == 0) return destination;
  return ConvertBounded(destination, destinationSize, std::wcslen(source) + 1,
                        [&](char* out) { return convert(source, out); });
}

char* StrUnicodeToAnsiBuff(const wchar_t* source, char* destination, size_t length) {
  auto convert = Entry<UnicodeToAnsiBuffFn>("StrUnicodeToAnsiBuff");
  if (!convert || !source || !destination || length == 0) return destination;
  return convert(source, destination, ClampLength(length));
}

char AnsiToUpper(DWORD language, char character) {
  auto upper = Entry<CharUpperFn>("AnsiToUpper");
  return upper ? upper(language, character) : character;
}

char* StrAnsiUpper(DWORD language, char* text) {
  auto upper = Entry<StringUpperFn>("StrAnsiUpper");
  return upper && text ? upper(language, text) : text;
}

platform::Bstr BstrFromAnsiViaCharLib(DWORD language, const char* text) {
  auto convert = Entry<AnsiToUnicodeBuffFn>("StrAnsiToUnicodeBuff");
  size_t length = text ? std::strlen(text) : 0;
  if (!convert || length > INT_MAX - 1) return platform::Bstr();
  std::vector<wchar_t> wide(length + 1, L'\0');
  if (length > 0) convert(language, text, wide.data(), static_cast<int>(length));
  return platform::Bstr::Adopt(SysAllocStringLen(wide.data(), static_cast<UINT>(length)));
}
