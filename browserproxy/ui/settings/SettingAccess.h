#pragma once
#include <windows.h>

#include <cstdint>
#include <optional>
#include <string>

#include "TessivaLib.h"
#include "platform/com/Variant.h"

// How the option pages read and write the browser's settings: only through
// the browser object's GetSetting and SetSetting.
namespace settingaccess {

// Raises ComError E_POINTER when the page has no settings interface.
void Require(INorvaBrowserClass* settings);

// The value GetSetting answers, whatever its result; with raise set a
// failing result raises its ComError.
platform::Variant Read(INorvaBrowserClass& settings, const wchar_t* name, bool raise = false,
                       const VARIANT* defaultValue = nullptr);
// The integer a value holds when it is of an integral type (a string, a
// missing marker or anything else holds none: the caller's default applies).
std::optional<uint32_t> IntegerOf(const VARIANT& value);
// Read + IntegerOf, else fallback.
uint32_t ReadNumber(INorvaBrowserClass& settings, const wchar_t* name, uint32_t fallback, bool raise = false);
// Writes the number as VT_UI4 (a registry DWORD); with raise set a failure raises.
void WriteNumber(INorvaBrowserClass& settings, const wchar_t* name, uint32_t value, bool raise = false);

// The browser's lists and accessors, raising the ComError of a failure.
unsigned long DirsCount(INorvaBrowserClass& settings);
std::wstring DirName(INorvaBrowserClass& settings, unsigned long index);
long DirID(INorvaBrowserClass& settings, unsigned long index);
unsigned long TmplCount(INorvaBrowserClass& settings, unsigned long directionIndex);
std::wstring TmplName(INorvaBrowserClass& settings, unsigned long templateIndex, unsigned long directionIndex);
unsigned long ActiveDirIndex(INorvaBrowserClass& settings);
std::wstring ActiveTplId(INorvaBrowserClass& settings);
// The active template as the lists name it: the active direction's template
// at ActiveTplIndex, where the engine places the template its ActiveTplId
// identifies; that identifier itself when it places it in no row.
std::wstring ActiveTplName(INorvaBrowserClass& settings);
ENorvaBrowserType BrowserType(INorvaBrowserClass& settings);

}  // namespace settingaccess
