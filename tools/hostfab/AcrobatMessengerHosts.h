#pragma once
#include "HostFabric.h"

// Footprints of Adobe Acrobat and Reader, of the messengers (Windows Live
// Messenger, ICQ, QIP Infium, Skype) and of the product's plug-ins and
// companions for them, made through the fabricated machine so that they are
// undone with it.
namespace hostfab {

inline constexpr const wchar_t* kAdobeKey = L"SOFTWARE\\Adobe";
inline constexpr const wchar_t* kMessengersKey = L"SOFTWARE\\Norvasoft\\NRVA9\\Messengers";
inline constexpr const wchar_t* kMsnKey = L"SOFTWARE\\Microsoft\\MSNMessenger";

// The product's plug-in "Pelvane[VQD].API" in its folder (Folders value
// "Acrobat" or "AcrobatVQD"); returns the file's path.
std::wstring InstallAcrobatPlugin(FabricatedMachine& machine, bool vqd);
// SOFTWARE\Adobe\<product>\<version>\InstallPath of the root with the
// installation folder as default value, and its "plug_ins" folder unless
// told otherwise. `product` is "Adobe Acrobat" or "Acrobat Reader". Returns
// the installation folder (given, or one below the machine's root).
std::wstring AddAcrobatVersion(FabricatedMachine& machine, HKEY root, const std::wstring& product,
                               const std::wstring& version, bool withPlugIns = true,
                               const std::wstring& installPath = L"");
// No Adobe key under either root.
void RemoveAdobe(FabricatedMachine& machine);

// The shared register "plugins.ini" below the common application data, kept
// as it was (or absent) and put back when the keeper goes, with the folders
// above it that were not there.
class KeptFile {
 public:
  explicit KeptFile(std::wstring path);
  ~KeptFile();
  KeptFile(const KeptFile&) = delete;
  KeptFile& operator=(const KeptFile&) = delete;
  const std::wstring& Path() const { return path_; }
  // Removes the file and the folders above it that the keeper will remove anyway.
  void Clear();

 private:
  std::wstring path_;
  bool existed_ = false;
  std::string bytes_;
  std::wstring topMissing_;  // the highest folder of the path that was missing
};
std::wstring AcrobatRegisterPath();

// The companions' files in their product folders (Folders values "NorvaMSN",
// "NrvaICQ", "NorvaQIP", "NorvaSkype"); each returns its folder ("\" at the end).
std::wstring InstallMsnAddOn(FabricatedMachine& machine);
std::wstring InstallIcqCompanion(FabricatedMachine& machine);
std::wstring InstallSkypeCompanion(FabricatedMachine& machine);
// "NorvaQIP.dll" and its language library "NorvaQIPRes<code>.dll" below the
// product's shared folder (Folders value "SharedRoot") for the interface
// language; with languageId 0 the language setting is removed and the
// Russian library (folder 1049) is the one made.
std::wstring InstallQipPlugin(FabricatedMachine& machine, DWORD languageId = 0x419);

// HKCU "SOFTWARE\Microsoft\MSNMessenger".
void AddWindowsLiveMessenger(FabricatedMachine& machine);
// Uninstall entries; QIP Infium's install folder gets its "Plugins" folder
// unless told otherwise. Each returns the install folder.
std::wstring AddIcq(FabricatedMachine& machine, const std::wstring& displayName, HKEY root = HKEY_LOCAL_MACHINE);
std::wstring AddQipInfium(FabricatedMachine& machine, HKEY root = HKEY_LOCAL_MACHINE, bool withPlugins = true);
std::wstring AddSkype(FabricatedMachine& machine, const std::wstring& displayName, HKEY root = HKEY_LOCAL_MACHINE);
// The recorded companion states are remembered and undone; none recorded yet.
void ClearMessengerStates(FabricatedMachine& machine);

// Every host above with the product's plug-ins for it: both Acrobat
// editions over Adobe Acrobat 9.0 and Adobe Reader 10.1, QIP Infium, Skype,
// Windows Live Messenger and ICQ. Returns a line per host for a report.
std::vector<std::wstring> AddAcrobatAndMessengers(FabricatedMachine& machine);

}  // namespace hostfab
