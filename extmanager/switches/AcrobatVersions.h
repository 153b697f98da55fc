#pragma once
#include <string>
#include <vector>

// The Adobe Acrobat and Adobe Reader versions installed for the current user
// and for the machine, each with the folder where it loads the product's
// plug-in, and the file work of switching one version on or off.
struct AcrobatVersion {
  std::wstring displayName;   // "Adobe Acrobat 9.0", "Adobe Reader 10.1"
  std::wstring installPath;   // default value of the version's "InstallPath" key
  std::wstring pluginFolder;  // installPath\plug_ins\NRVA9<suffix>
  std::wstring version;       // the version key's name
  std::wstring family;        // "AA" (Acrobat) or "AAR" (Reader)
  bool pluginsFolderFound = false;
  bool pluginPresent = false;
  bool sameName = false;      // another version has the same display name elsewhere
  int itemIndex = 0;          // position of the version's item in the switch's list
};
using AcrobatVersions = std::vector<AcrobatVersion>;

// A failure while the list is built.
struct AVExcept {
  std::wstring text;
};

// "Pelvane<suffix>.API"
std::wstring AcrobatPluginFileName(const std::wstring& suffix);

// Every version of both roots, sorted by display name and installation
// folder (descending), each listed once; versions without a "plug_ins"
// folder are left out. Entries with the same display name get " at " and
// their installation folder appended.
AcrobatVersions EnumAcrobatVersions(const std::wstring& suffix);

// Refreshes the version's flags from the disk; false drops the version.
bool CheckAcrobatVersion(AcrobatVersion& version, const std::wstring& suffix);

// Brings the version to the wanted state: copies `source` into the
// version's plug-in folder or deletes it there. True when the version
// changed. Failures throw CExceptSW (or another exception) with the version
// as it was: a half-done copy is taken back, and nothing is deleted unless
// the plug-in file can go.
bool ApplyAcrobatVersion(AcrobatVersion& version, const std::wstring& suffix, bool wanted,
                         const std::wstring& source, const std::wstring& application);
