#pragma once
#include <windows.h>

#include <string>

#include "forms/AotForms.h"
#include "platform/win/Dialog.h"

namespace ombrel {

// The word-forms dialog: the keywords of the word forms service, one tab per
// part of speech, the forms of the selected one with check boxes (checked =
// kept).
class CFormsDlg : public platform::Dialog {
 public:
  CFormsDlg(CAotForms& forms, std::wstring firstKeyword, bool readOnly);

  bool Changed() const { return changed_; }

 protected:
  bool OnInitDialog(LPARAM) override;

 private:
  void ShowKeyword(int index);
  void ShowGroup(int tab);
  void StoreChecks();
  void CheckAll(bool checked);
  std::wstring CurrentKeyword() const;

  CAotForms& forms_;
  bool changed_ = false;
  int shown_ = -1;
  std::wstring firstKeyword_;
  bool readOnly_;
  bool filling_ = false;
  std::vector<int> tabCodes_;
};

}  // namespace ombrel
