#pragma once
#include <string>
#include <vector>

#include "extmanager/hostfiles/ProfileAdditions.h"

class FileJournal;
struct ProfileText;

// The product's entries in a user's OpenOffice.org profile: menu, toolbar and
// images in "Addons.xcu", the toolbar state in "WriterWindowState.xcu", key
// bindings in every "current.xml" accelerator list, event bindings in
// "Events.xcu" and the Basic library in "script.xlc". Entries come from the
// product's template files ("OOInst\..." below the edition's product folder)
// and are recognised again by fixed marker lines; the files are edited as
// lines, keeping the user's own lines, line ends and encoding as they are.
// Every file is either left as it was or replaced whole in one step.
class COpenOfficeProfile {
 public:
  // `productFolder` is the edition's Folders value (templates are joined to it
  // without a separator); `profileRoot` the folder that the relative profile
  // folders hang below; `mode` 0x400 (ordinary) or 0x20000 (VQD). With a
  // journal, every file and folder is noted in it before it is changed.
  COpenOfficeProfile(std::wstring productFolder, std::wstring profileRoot, int mode,
                     FileJournal* journal = nullptr);

  // Each answers true when its edit is done or nothing needed doing, false
  // when it did not happen (the file is then as it was).
  bool EditAddons(bool enable, const std::wstring& regRel);
  bool EditWriterWindowState(bool enable, const std::wstring& uiRel);
  // False only when a list could not be replaced; throws std::runtime_error
  // when the template or a list cannot be opened.
  bool EditAccelerators(bool enable, const std::wstring& accelRel);
  bool EditEvents(bool enable, const std::wstring& regRel);
  // The library's entry in `scripts` + "\script.xlc" (kept as "script.xlc.old"
  // before it is first changed). A missing list needs nothing.
  bool EditLibraryList(bool enable, const std::wstring& scripts);

  // What switching on made that was not there (sections of "Addons.xcu"
  // that the file lacked); switching off takes away what `SetAdditions`
  // names once nothing but the template's frame is left in it: a whole file
  // the template made, or an empty section.
  const std::vector<std::string>& AddedSections() const { return addedSections_; }
  void SetAdditions(ProfileAdditions additions) { additions_ = std::move(additions); }

  std::wstring TemplatePath(const std::wstring& name) const { return productFolder_ + L"OOInst\\" + name; }
  // "Norva" or "NorvaVQD": the Basic library's folder and name.
  std::wstring LibraryName() const { return IsVqd() ? L"NorvaVQD" : L"Norva"; }
  // The marker lines of the product's blocks.
  std::vector<std::string> AddonsMarkers() const;
  std::string WindowStateMarker() const;

 private:
  bool IsVqd() const { return mode_ == 0x20000; }
  bool RemoveBlocksFrom(const std::wstring& target, const std::wstring& templateName,
                        const std::vector<std::string>& markers, bool dropEmptySections = false);
  // The file and folder changes, each noted in the journal first.
  bool Write(const std::wstring& path, const std::string& bytes);
  bool WriteText(const std::wstring& path, const ProfileText& text);
  bool Remove(const std::wstring& path);
  bool MakeFolder(const std::wstring& folder);
  // The target's path below the profile root, as additions name it.
  std::wstring Relative(const std::wstring& path) const;

  std::wstring productFolder_;
  std::wstring profileRoot_;
  int mode_;
  FileJournal* journal_;
  std::vector<std::string> addedSections_;
  ProfileAdditions additions_;
};
