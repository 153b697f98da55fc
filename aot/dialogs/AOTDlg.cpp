#include "dialogs/AOTDlg.h"

#include <windows.h>

#include <commctrl.h>

#include "analyzer/KeywordListText.h"
#include "dialogs/ListView.h"
#include "platform/win/ResourceInstance.h"
#include "res/OmbrelResource.h"
#include "shared/ProductFolders.h"

namespace ombrel {

CAOTDlg::CAOTDlg(const std::vector<ResultRecord>& records) : Dialog(IDD_AOT), records_(records) {
  Messages()
      .OnNotify(IDC_TEMPLATES, LVN_ITEMCHANGED,
                [this](platform::Message& m) -> LRESULT {
                  auto* change = reinterpret_cast<NMLISTVIEW*>(m.lParam);
                  if ((change->uChanged & LVIF_STATE) && (change->uNewState & LVIS_SELECTED) &&
                      !(change->uOldState & LVIS_SELECTED))
                    ShowKeywords(change->iItem, false);
                  return 0;
                })
      .OnCommand(IDOK, BN_CLICKED, [this](platform::Message&) -> LRESULT {
        EndDialog(IDOK);
        return 0;
      })
      .OnCommand(IDCANCEL, BN_CLICKED, [this](platform::Message&) -> LRESULT {
        EndDialog(IDCANCEL);
        return 0;
      })
      .OnCommand(IDC_AOT_HELP, BN_CLICKED, [](platform::Message&) -> LRESULT {
        ShowModuleHelp(GetForegroundWindow());
        return 0;
      });
}

std::optional<std::wstring> CAOTDlg::Choose(const std::vector<ResultRecord>& records, HWND parent) {
  CAOTDlg dialog(records);
  if (dialog.DoModal(parent) != IDOK) return std::nullopt;
  return dialog.Chosen();
}

bool CAOTDlg::OnInitDialog(LPARAM) {
  ListView templates(Item(IDC_TEMPLATES));
  templates.SetExtendedStyle(LVS_EX_FULLROWSELECT | LVS_EX_GRIDLINES);
  templates.InsertColumn(0, platform::LoadResourceString(IDS_PROFILE_COLUMN), 250);
  templates.InsertColumn(1, platform::LoadResourceString(IDS_WEIGHT_COLUMN), 70);
  for (size_t i = 0; i < records_.size(); ++i) {
    int row = templates.InsertItem(static_cast<int>(i), records_[i].name);
    templates.SetItemText(row, 1, std::to_wstring(records_[i].weight));
  }
  templates.Select(0);
  ShowKeywords(0, true);
  return true;
}

void CAOTDlg::ShowKeywords(int row, bool setUpColumns) {
  if (row < 0 || static_cast<size_t>(row) >= records_.size()) return;
  ListView keywords(Item(IDC_FOUND_KEYWORDS));
  if (setUpColumns) {
    keywords.SetExtendedStyle(LVS_EX_FULLROWSELECT | LVS_EX_GRIDLINES);
    keywords.InsertColumn(0, platform::LoadResourceString(IDS_WORD_COLUMN), 250);
    keywords.InsertColumn(1, platform::LoadResourceString(IDS_COUNT_COLUMN), 150);
  }
  keywords.DeleteAllItems();
  int index = 0;
  for (const auto& [keyword, count] : ParseKeywordReport(records_[static_cast<size_t>(row)].report)) {
    int item = keywords.InsertItem(index++, keyword);
    keywords.SetItemText(item, 1, count);
  }
  chosen_ = records_[static_cast<size_t>(row)].name;
}

void ShowModuleHelp(HWND owner) {
  std::wstring folder = GetProductFolder(L"AOT");
  if (folder.empty()) return;
  using HtmlHelpFn = HWND(WINAPI*)(HWND, LPCWSTR, UINT, DWORD_PTR);
  static HMODULE library = LoadLibraryW(L"hhctrl.ocx");
  if (!library) return;
  auto htmlHelp = reinterpret_cast<HtmlHelpFn>(reinterpret_cast<void*>(GetProcAddress(library, "HtmlHelpW")));
  constexpr UINT kDisplayToc = 1;  // HH_DISPLAY_TOC
  if (htmlHelp) htmlHelp(owner, (folder + L"ombrel.chm").c_str(), kDisplayToc, 0);
}

}  // namespace ombrel
