#pragma once
#include <windows.h>

#include <map>
#include <string>

#include "HostFabric.h"

// OpenOffice.org on a fabricated machine: the version keys, a user's
// profile with the files the product's integration edits, and the product's
// plug-in library with its template files ("OOInst").
namespace hostfab {

inline constexpr const wchar_t* kOpenOfficeKey = L"SOFTWARE\\OpenOffice.org\\OpenOffice.org";

// How a profile's text files are stored.
struct TextForm {
  const char* lineEnd = "\n";
  enum Encoding { Utf8, Utf8Mark, Utf16Le } encoding = Utf8;
};
// The text (lines ending in "\n") in that form.
std::string InForm(const std::string& text, const TextForm& form);

// The template files of the edition, by name below "OOInst\".
std::map<std::wstring, std::string> OpenOfficeTemplates(bool vqd);
// The product's OpenOffice folder ("OpenOffice" or "OpenOfficeVQD" Folders
// value) with the plug-in library and the templates; returns the folder.
std::wstring InstallOpenOfficePlugin(FabricatedMachine& machine, bool vqd);

// Removes every OpenOffice.org version key of the root (given back at the end).
void RemoveOpenOffice(FabricatedMachine& machine);
// <root>\SOFTWARE\OpenOffice.org\OpenOffice.org\<version>.
void AddOpenOfficeVersion(FabricatedMachine& machine, HKEY root, const std::wstring& version);

// The profile files OpenOffice.org keeps below the application-data folder,
// by path relative to it ("OpenOffice.org\3\user\..." or
// "OpenOffice.org2\user\..."). With `userEntries` the files hold the user's
// own add-on, toolbar state, key binding, event binding and library;
// without, they are as a fresh profile has them (no "Events.xcu").
std::map<std::wstring, std::string> OpenOfficeProfileFiles(int major, bool userEntries);
// A profile before its user changed anything: an "Addons.xcu" whose AddonUI
// node holds none of the three sections, no window states (no "UI" folder)
// and no "Events.xcu"; the accelerator lists and the Basic library list as
// OpenOffice.org makes them.
std::map<std::wstring, std::string> OpenOfficeBareProfileFiles(int major);
// Writes those files below appData in the form; returns the profile's
// "user" folder.
std::wstring AddOpenOfficeProfile(FabricatedMachine& machine, const std::wstring& appData, int major,
                                  bool userEntries = true, const TextForm& form = TextForm());
std::wstring AddOpenOfficeBareProfile(FabricatedMachine& machine, const std::wstring& appData, int major,
                                      const TextForm& form = TextForm());
// The main job's OpenOffice.org: both editions of the plug-in, version 3.2
// for the machine and 2.4 for the user, each with its profile below
// appData, watched by the footprint; returns a line that says so.
std::wstring AddOpenOfficeHost(FabricatedMachine& machine, const std::wstring& appData);

// The relative "user" folder of the major version.
std::wstring OpenOfficeUserFolder(int major);

}  // namespace hostfab
