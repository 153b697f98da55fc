#pragma once
#include <windows.h>

#include <string>

// Choice of the interface-language resource library: a resource-only DLL
// named <base>Res<code>.dll, beside the module or in the product's shared
// folder, whose dialogs and strings replace the module's own.

// "NrvaLangID" of HKLM "SOFTWARE\Norvasoft\NRVA9"; 0 when missing.
DWORD ReadNrvaLangId();
// Three-letter code of a language setting's primary language; empty when none.
std::wstring ResourceLanguageCode(DWORD languageId);
// base + "Res" + code + ".dll"; empty when the setting gives no code.
std::wstring BuildResourceDllName(const std::wstring& baseName);
// The library in `folder`, or, when it is empty, in SharedRoot\<setting in
// decimal>\; empty when the name or the shared location is unknown.
std::wstring FindResourceDllPath(const std::wstring& baseName, const std::wstring& folder);
// Loads the library for the deliverable's module (base name: the given one,
// else the configured or module file's name, extension removed) and makes it
// the resource instance. `loadedPath` receives its path and stays unchanged
// when nothing was loaded. True when a library was installed.
bool LoadResourceLanguageDll(std::wstring* loadedPath = nullptr, const wchar_t* baseName = nullptr);
