#pragma once
#include <windows.h>

#include <string>

// One row of the browser descriptor table, indexed by ENorvaBrowserType.
struct BrowserDescriptor {
  const wchar_t* name;         // also the settings key name
  UINT titleStringId;          // interface-language string of the plug-in title
  int iconGroupId;
  const wchar_t* productKey;   // handed to the connector
  const wchar_t* helpPattern;  // two "%s" places
  DWORD optionPageMask;        // option pages the settings frame shows
};

inline constexpr int kBrowserTypeCount = 4;

// The row of a browser type; null for a type outside 0..3.
const BrowserDescriptor* FindBrowserDescriptor(long browserType);
bool IsKnownBrowserType(long browserType);

// The plug-in title of the row, from the interface-language strings
// (the English text when the string cannot be loaded).
std::wstring LoadBrowserTitle(const BrowserDescriptor& row);
