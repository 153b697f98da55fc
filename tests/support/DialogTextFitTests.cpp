// The measuring of dialog texts finds the controls that are too narrow or too
// low for their texts, and only those.
#include <gtest/gtest.h>
#include <windows.h>
#include <commctrl.h>

#include <algorithm>

#include "DialogTextFit.h"
#include "DialogTextFitFixture.h"

using namespace testsupport;

namespace {

const LANGID kRussian = MAKELANGID(LANG_RUSSIAN, SUBLANG_NEUTRAL);

bool Misfits(const std::vector<TextMisfit>& misfits, int id, const std::wstring& kind) {
  return std::any_of(misfits.begin(), misfits.end(),
                     [&](const TextMisfit& m) { return m.controlId == id && m.kind == kind; });
}

void AddColumn(HWND list, int index, const wchar_t* title, int width) {
  LVCOLUMNW column{};
  column.mask = LVCF_TEXT | LVCF_WIDTH;
  column.pszText = const_cast<wchar_t*>(title);
  column.cx = width;
  SendMessageW(list, LVM_INSERTCOLUMNW, index, reinterpret_cast<LPARAM>(&column));
}

TEST(DialogTextFit, FindsTheTemplatesOfAModule) {
  const auto templates = ModuleResources(GetModuleHandleW(nullptr), RT_DIALOG);
  EXPECT_NE(templates.end(), std::find(templates.begin(), templates.end(), std::make_pair(UINT{IDD_FIT_FIXTURE}, kRussian)));
}

TEST(DialogTextFit, FindsTheControlsTooSmallForTheirTexts) {
  TemplateDialog dialog(GetModuleHandleW(nullptr), IDD_FIT_FIXTURE, kRussian);
  ASSERT_NE(nullptr, dialog.Get());
  HWND list = GetDlgItem(dialog.Get(), IDC_FIT_LIST);
  AddColumn(list, 0, L"Количество", 40);
  AddColumn(list, 1, L"Количество", 120);
  const std::vector<TextMisfit> misfits = MisfittingTexts(dialog.Get());

  struct Case {
    int id;
    const wchar_t* kind;
    bool fits;
  };
  const Case cases[] = {
      {IDC_FIT_WIDE_BUTTON, L"push button", true},    {IDC_FIT_NARROW_BUTTON, L"push button", false},
      {IDC_FIT_ONE_LINE_LABEL, L"label", true},       {IDC_FIT_WRAPPED_LABEL, L"label", false},
      {IDC_FIT_TWO_LINE_LABEL, L"label", true},       {IDC_FIT_NARROW_CHECK, L"check box", false},
      {IDC_FIT_WIDE_CHECK, L"check box", true},       {IDC_FIT_NARROW_GROUP, L"group box", false},
      {IDC_FIT_LIST, L"column header 0", false},      {IDC_FIT_LIST, L"column header 1", true},
  };
  for (const Case& c : cases)
    EXPECT_EQ(!c.fits, Misfits(misfits, c.id, c.kind)) << "control " << c.id << "\n" << Describe(misfits);
  EXPECT_EQ(5u, misfits.size()) << Describe(misfits);
}

// Read from the screen: a caption cut by its narrow column is drawn short, one
// with room (and a trailing space for its last glyph's ink) in full.
TEST(DialogTextFit, FindsTheColumnHeadersDrawnShortOnTheScreen) {
  TemplateDialog dialog(GetModuleHandleW(nullptr), IDD_FIT_FIXTURE, kRussian);
  ASSERT_NE(nullptr, dialog.Get());
  HWND list = GetDlgItem(dialog.Get(), IDC_FIT_LIST);
  AddColumn(list, 0, L"Количество", 40);
  AddColumn(list, 1, L"Количество ", 120);
  SetWindowPos(dialog.Get(), HWND_TOPMOST, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE | SWP_SHOWWINDOW);
  UpdateWindow(dialog.Get());
  const std::vector<TextMisfit> misfits = ClippedColumnHeaders(list);
  ASSERT_EQ(1u, misfits.size()) << Describe(misfits);
  EXPECT_EQ(L"drawn column header 0", misfits[0].kind);
  EXPECT_GT(misfits[0].needed.cx, misfits[0].room.cx);
}

TEST(DialogTextFit, FindsTheListRowsWiderThanTheirColumn) {
  TemplateDialog dialog(GetModuleHandleW(nullptr), IDD_FIT_FIXTURE, kRussian);
  ASSERT_NE(nullptr, dialog.Get());
  HWND list = GetDlgItem(dialog.Get(), IDC_FIT_LIST);
  AddColumn(list, 0, L"", 90);
  for (const wchar_t* text : {L"Слово", L"Ключевые слова, найденные в тексте"}) {
    LVITEMW item{};
    item.mask = LVIF_TEXT;
    item.iItem = 99;
    item.pszText = const_cast<wchar_t*>(text);
    SendMessageW(list, LVM_INSERTITEMW, 0, reinterpret_cast<LPARAM>(&item));
  }
  const std::vector<TextMisfit> misfits = MisfittingListRows(list);
  ASSERT_EQ(1u, misfits.size()) << Describe(misfits);
  EXPECT_EQ(L"row 1", misfits[0].kind);
}

}  // namespace
