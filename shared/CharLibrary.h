#pragma once
#include <windows.h>

#include <cstddef>

#include "platform/com/Bstr.h"

// Binding of the product's character-conversion library "charlib40.dll",
// loaded from the product's "SharedRoot" folder on first use and never freed.
// Every wrapper binds on first use; while the library or its export is
// missing it converts nothing and leaves the destination unchanged (the
// character or string itself for the upper-casing wrappers). A library that
// was not found is looked for again once the "SharedRoot" value (or its key)
// changed or a file came to or left its folder, not at every call. Destination
// sizes are in elements, terminator included; nothing is written past them.

// Binds the library's exports (again, when an earlier try failed and what it
// read has changed since).
void LoadCharLibrary();

// 8-bit text of the language's code page to wide text.
wchar_t* StrAnsiToUnicode(DWORD language, const char* source, wchar_t* destination, size_t destinationSize);
// Exactly `length` characters, no terminator needed in the source.
wchar_t* StrAnsiToUnicodeBuff(DWORD language, const char* source, wchar_t* destination, size_t length);
// Wide text to 8-bit text.
char* StrUnicodeToAnsi(const wchar_t* source, char* destination, size_t destinationSize);
char* StrUnicodeToAnsiBuff(const wchar_t* source, char* destination, size_t length);
// Upper-casing by the rules of the language.
char AnsiToUpper(DWORD language, char character);
char* StrAnsiUpper(DWORD language, char* text);

// A new string of the 8-bit text converted by StrAnsiToUnicodeBuff (the whole
// text, however long); empty when the library is missing.
platform::Bstr BstrFromAnsiViaCharLib(DWORD language, const char* text);

// Forgets the binding and frees the library, so that a test can bind another
// one. The product never unloads the library.
void UnloadCharLibraryForTesting();
