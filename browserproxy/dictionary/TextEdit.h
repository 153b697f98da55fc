#pragma once
#include <string>

// Small edits of wide text that always make progress through the text.

// Replaces every occurrence of `from` (nothing when it is empty); the search
// goes on after each replacement. Returns the number replaced.
int ReplaceAll(std::wstring& text, const std::wstring& from, const std::wstring& to);
// Removes every occurrence of `what`; returns the number removed.
int RemoveAll(std::wstring& text, const std::wstring& what);
// Lower-cased by the system's Unicode rules.
std::wstring ToLower(std::wstring text);
std::wstring ToUpper(std::wstring text);
// Removes every character of `characters` from both ends.
std::wstring TrimBoth(const std::wstring& text, const std::wstring& characters);
