#pragma once
#include <windows.h>

#include <string>
#include <vector>

#include "HostFabric.h"

// Microsoft Office on a fabricated machine: the applications' install keys
// of each Office version, and the product's Office add-ins (libraries in
// their product folders, the add-in classes' MiscStatus lists). Everything
// goes through FabricatedMachine and is undone with it.
namespace hostfab {

inline constexpr const wchar_t* kOfficeKey = L"Software\\Microsoft\\Office";

// No Office at all: the machine's and the current user's Office keys go
// (and come back with the machine).
void RemoveOffice(FabricatedMachine& machine);
// HKLM "Software\Microsoft\Office\<version>\<app>\InstallRoot" with its
// "Path" (version "9.0", "10.0", "11.0", "12.0" or "14.0"; app "Word" ...).
void AddOfficeApp(FabricatedMachine& machine, const std::wstring& version, const std::wstring& app);
// Office 2010 Click-to-Run: HKLM "...\14.0\CVH\Click2run<app>".
void AddOfficeClickToRun(FabricatedMachine& machine, const std::wstring& app);
// FrontPage 2000 ("9.0") or 2002 ("10.0"), known only by FRONTPG.EXE in the
// folder named by "...\<version>\Common\InstallRoot" "Path"; returns the folder.
std::wstring AddFrontPageProgram(FabricatedMachine& machine, const std::wstring& version,
                                 bool pathEndsWithSeparator = true);

// The add-in edition of an Office kind bit (0x4, 0x2, 0x8000 for Office
// 2000-2003; 0x40, 0x20, 0x10000 for 2007/2010): its libraries in the
// product folder its Folders value names, for the applications whose codes
// ("ww", "ot", "ex", "pp", "fp") are given, and "1" for those codes in the
// add-in class's MiscStatus (editions without a class have none). Returns
// the product folder (with a final "\").
std::wstring InstallOfficeAddin(FabricatedMachine& machine, int kind, const std::vector<std::wstring>& appCodes);
// One MiscStatus value of the kind's add-in class.
void SetOfficeMiscStatus(FabricatedMachine& machine, int kind, const std::wstring& appCode, const std::wstring& value);

// A sample for the main job: Office 2003 Word and Excel and Office 2010
// Word with the ordinary add-ins of both, every add-in switched off; the
// user's add-in keys watched.
void AddSampleOffice(FabricatedMachine& machine);

// The current user's Office keys, where the add-ins are registered, watched by Snapshot().
void WatchOfficeAddins(FabricatedMachine& machine);

}  // namespace hostfab
