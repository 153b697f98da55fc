#pragma once
#include <functional>

#include "extmanager/switches/Switch.h"

class COpenOfficeProfile;
class FileJournal;

// The product's integration into OpenOffice.org Writer 2.x and 3.0 to 3.2:
// profile edits and a Basic library in the current user's profile, taken
// from the product's templates. A marker file beside "Addons.xcu" records
// that the integration is on (and lists what switching on made that the
// profile lacked); it is written after every other step and removed after
// every other step, so an interrupted switch leaves the item in its old
// state and a second attempt completes it. A step that fails puts back
// every file the switch had changed.
class COpenOfficeSW : public CSwitch {
 public:
  // `mode` 0x400 (ordinary edition) or 0x20000 (VQD edition).
  COpenOfficeSW(std::wstring name, int mode);

  bool IsPluginInstalled() override;
  int IsAppInstalled() override;
  void ApplyItems(SwitchItems& items, bool silent) override;
  std::pair<std::wstring, int> GetGroup() override { return {L"OpenOffice", mode_}; }
  void GetKinds(std::vector<int>& kinds) override { kinds.push_back(mode_); }

  // A version key's major and minor number ("3.2.1" is 3 and 2); false
  // for a name OpenOffice.org 2.x or 3.0 to 3.2 does not have.
  static bool IsSupportedVersion(const std::wstring& key, int* major = nullptr);
  // The folders of the version's profile, relative to the profile root.
  struct ProfilePaths {
    std::wstring regRel, uiRel, accelRel, basicRel;
  };
  static ProfilePaths PathsFor(int major);

  // Called with a step's name before each step of switching on or off
  // (tests end the process there).
  static void SetStepHook(std::function<void(const wchar_t* step)> hook);

 private:
  bool IsVqd() const { return mode_ == 0x20000; }
  std::wstring ReadOpenOfficeFolder() const;
  std::wstring GetProfileRoot() const;
  std::wstring MarkerPath(const std::wstring& registryFolder) const;
  void ScanVersionKey(HKEY key);
  // The major version an item stands for, from its name.
  static int MajorOf(const SwitchItem& item);
  bool WantsChange(const SwitchItem& item) const;
  // Brings the item's profile to the wanted state, or throws with the
  // profile as it was; the item then shows the profile's real state.
  void Apply(SwitchItem& item, bool wanted);
  void SwitchOn(const SwitchItem& item, const std::wstring& root, const ProfilePaths& paths,
                const std::wstring& marker, COpenOfficeProfile& profile, FileJournal& journal);
  // `installed`: the marker is there, with what switching on made.
  void SwitchOff(const SwitchItem& item, const std::wstring& root, const ProfilePaths& paths,
                 const std::wstring& marker, bool installed, COpenOfficeProfile& profile, FileJournal& journal);
  // The marker's text: what this run made that the profile did not have,
  // other than the library, the marker and the list's copy.
  static std::string Additions(const std::wstring& root, const std::wstring& library, const std::wstring& marker,
                               const FileJournal& journal, const COpenOfficeProfile& profile);

  int mode_;
};
