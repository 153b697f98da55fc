#pragma once
// Whether the texts of a dialog fit the controls that show them: each text is
// measured with the font its control draws with, against the room the control
// leaves it once its own parts (border, check box, caption indent, header
// margins) are taken away.
#include <windows.h>

#include <string>
#include <utility>
#include <vector>

#include "platform/base/Handles.h"

namespace testsupport {

// A text that does not fit its control.
struct TextMisfit {
  int controlId = 0;
  std::wstring kind;  // "push button", "label", "column header 2", ...
  std::wstring text;
  SIZE needed{};  // what the text takes, in pixels
  SIZE room{};    // what the control gives it
};

// One line per misfit, in UTF-8, for a test's failure message.
std::string Describe(const std::vector<TextMisfit>& misfits);

// The texts of the window's child controls (push buttons, check boxes, radio
// buttons, group boxes, static texts, and the column headers of list views)
// that do not fit. Safe to call from another thread of the window's process.
std::vector<TextMisfit> MisfittingTexts(HWND dialog);

// The column headers of a list view on the screen whose caption is drawn
// short of its full width (clipped or cut): read from the screen's pixels, so
// the list must be visible and in front.
std::vector<TextMisfit> ClippedColumnHeaders(HWND list);

// The rows of a report-view list view whose text is wider than its column.
std::vector<TextMisfit> MisfittingListRows(HWND list);

// The resources of a type (RT_DIALOG, RT_STRING...) that a module carries:
// (id, language) pairs.
std::vector<std::pair<UINT, LANGID>> ModuleResources(HMODULE module, LPCWSTR type);

// A dialog made from one template of a module (a library loaded as a data
// file serves), hidden and with a procedure that does nothing, so that its
// controls are exactly what the template makes. A child template gets a
// hidden top-level window as its parent.
class TemplateDialog {
 public:
  TemplateDialog(HMODULE module, UINT id, LANGID language);
  HWND Get() const { return dialog_.Get(); }

 private:
  platform::UniqueWindow host_;
  platform::UniqueWindow dialog_;
};

}  // namespace testsupport
