#pragma once
#include <windows.h>

#include <optional>
#include <string>
#include <vector>

#include "platform/win/Dialog.h"

namespace ombrel {

// One ranked template as the result dialog shows it.
struct ResultRecord {
  std::wstring name;
  std::wstring report;  // the keyword analyser's report
  long weight = 0;
};

// The result dialog: the ranked templates with their weights and, for the
// selected one, the keywords found with their counts; the user picks one.
class CAOTDlg : public platform::Dialog {
 public:
  CAOTDlg(const std::vector<ResultRecord>& records);

  // Runs the dialog over the parent: the chosen name after OK, nothing after
  // Cancel (or when the dialog cannot be shown).
  static std::optional<std::wstring> Choose(const std::vector<ResultRecord>& records, HWND parent);

  const std::wstring& Chosen() const { return chosen_; }

 protected:
  bool OnInitDialog(LPARAM) override;

 private:
  void ShowKeywords(int row, bool setUpColumns);

  const std::vector<ResultRecord>& records_;
  std::wstring chosen_;
};

// Opens the module's help file "ombrel.chm" of the product folder "AOT" at
// its contents; nothing when the folder is unknown.
void ShowModuleHelp(HWND owner);

}  // namespace ombrel
