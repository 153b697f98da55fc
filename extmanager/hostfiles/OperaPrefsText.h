#pragma once
#include <string>

// Edits of the "User Prefs" section of Opera's "operaprefs.ini" text. Lines
// may end with CR LF or LF (or nothing, at the end); an edit keeps every
// other line, and the line ends, as they were.

// The section has a line "key=..." whose value contains `value`.
bool HasUserPref(const std::wstring& text, const std::wstring& key, const std::wstring& value);
// Enable: sets the key's value, or adds "key=value" after the section's last
// non-empty line. Disable: removes the key's line. True when the text changed.
// Enabling in a text without the section adds the section at the end.
bool SetUserPref(std::wstring& text, const std::wstring& key, const std::wstring& value, bool enable);
