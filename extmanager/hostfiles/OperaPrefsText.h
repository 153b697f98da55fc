#pragma once
#include <map>
#include <optional>
#include <string>
#include <vector>

// Edits of the "User Prefs" section of Opera's "operaprefs.ini" text. Lines
// may end with CR LF or LF (or nothing, at the end); an edit keeps every
// other line, and the line ends, as they were.

// The section has a line "key=..." whose value contains `value`.
bool HasUserPref(const std::wstring& text, const std::wstring& key, const std::wstring& value);
// Enable: sets the key's value, or adds "key=value" after the section's last
// non-empty line. Disable: removes the key's line. True when the text changed.
// Enabling in a text without the section adds the section at the end.
bool SetUserPref(std::wstring& text, const std::wstring& key, const std::wstring& value, bool enable);

// The value of `key` in the section, when the section has the key.
std::optional<std::wstring> ReadUserPref(const std::wstring& text, const std::wstring& key);
bool HasUserPrefsSection(const std::wstring& text);
// The number of line ends SetUserPref writes before the section it adds to
// this text (a text without the section): 0 for an empty text, 1 after a
// last line that ends, 2 after one that does not.
int LineEndsBeforeAddedSection(const std::wstring& text);
// Takes away the section that SetUserPref added at the end of the text,
// once it holds nothing but blank lines, with the `lead` line ends before
// it. False (text untouched) when the section is not so.
bool RemoveAddedUserPrefs(std::wstring& text, int lead);

// What switching on found in the section before it set its keys, kept in a
// file of the product beside the preferences so that switching off, in the
// same run or a later one, puts it back: the user's own value of each key
// (a key the user did not have is absent), whether the section itself was
// added and the profile's folders that switching on made.
struct SavedUserPrefs {
  std::map<std::wstring, std::wstring> values;
  int sectionLead = -1;  // the section was added after that many line ends
  std::vector<std::wstring> folders;  // below the Opera profile, in the order made

  bool Empty() const { return values.empty() && sectionLead < 0 && folders.empty(); }
  // "key=value" lines, "Added Section=<lead>", "Made Folder=<name>", CR LF.
  std::wstring Format() const;
  static SavedUserPrefs Parse(const std::wstring& text);
};
