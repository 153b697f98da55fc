#pragma once
#include <windows.h>
#include <commctrl.h>

#include <set>
#include <string>
#include <vector>

#include "analyzer/KernelObjects.h"
#include "forms/AotForms.h"
#include "platform/com/ComPtr.h"
#include "platform/win/Dialog.h"

namespace ombrel {

// A keyword or word-form entry of a profile of the current pair.
struct CWord {
  std::wstring text;
  short profile = 0;
};

// The keyword setup dialog: the keyword lists of every profile of every
// language pair, with their word forms, list files and automatic setup.
// Kernel failures inside a handler end that handler (the dialog frame
// catches them) and leave the lists as they were.
class CSetupDlg : public platform::Dialog {
 public:
  CSetupDlg(KernelTemplateManager* manager, KernelDocument* document, long dirId, std::wstring profile);
  ~CSetupDlg() override;

  // Runs the dialog modally; S_OK after it closed.
  static HRESULT Run(KernelTemplateManager* manager, KernelDocument* document, long dirId,
                     const std::wstring& profile, HWND parent);
  // Adds the ";"-separated words to the named profile and stores the forms
  // of each, without showing the dialog; the profile's earlier entries stay.
  // S_FALSE when the pair or the profile is not found or no word was given.
  static HRESULT AutoSetup(KernelTemplateManager* manager, KernelDocument* document, long dirId,
                           const std::wstring& profile, const std::wstring& words);

 protected:
  bool OnInitDialog(LPARAM) override;
  void OnFinalMessage(HWND) override;

 private:
  friend class KeywordFiles;

  // Pairs and profiles
  void SelectPair(int index);
  void LoadProfiles(int pair);
  void ProfileChanged();
  void StoreListBack(short profile);
  void FillList(short profile);
  // Keywords
  void EditEnded(int item, const std::wstring& text);
  bool StoreForms(const std::wstring& keyword, short profile, bool removeOld);
  void RemoveForms(const std::wstring& keyword);
  void RefreshInfo();
  void UpdateControls();
  int FormsImage(const std::wstring& keyword);
  void Edit();
  void Add();
  void Delete();
  void WordForms();
  void ColumnClicked(int column);
  void IconClicked(POINT point);
  void Sort();
  bool Apply();
  void SaveProfile(short profile);
  void ReleaseKernel();
  void SwitchKeyboard();
  // Keyword list files
  void LoadFile();
  void SaveFile();

  short CurrentProfile() const { return current_; }
  std::wstring ProfileName(short profile) const;
  platform::ComPtr<KernelTemplate> Profile(short profile) const;
  bool MarkModified();
  WORD SourceLanguage() const { return static_cast<WORD>(dirId_ & 0xFFFF); }
  bool KeepsCase() const { return SourceLanguage() == 4; }

  bool ascendingNext_ = true;
  platform::ComPtr<KernelTemplateManager> manager_;
  platform::ComPtr<KernelTemplateList> pair_;
  long dirId_;
  long lastDirId_ = 0;
  std::wstring profileName_;
  std::vector<CWord> keywords_;
  std::vector<CWord> forms_;
  bool modified_ = false;
  short current_ = -1;
  bool editing_ = false;
  std::vector<bool> legacy_;
  std::set<short> changedProfiles_;
  bool editable_ = false;
  CAotForms wordForms_;
  platform::ComPtr<KernelDocument> document_;
  std::wstring callerProfile_;
  HKL startLayout_ = nullptr;
};

}  // namespace ombrel
