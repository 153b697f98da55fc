#pragma once
#include <windows.h>

#include <string>

#include "platform/base/Handles.h"
#include "platform/win/Dialog.h"

// The modal window that shows the translation of a selected text in a
// read-only rich-edit box, placed at a screen point.
class CTranslateDlg : public platform::Dialog {
 public:
  explicit CTranslateDlg(WORD iconId);
  ~CTranslateDlg() override;

  void SetText(std::wstring text) { text_ = std::move(text); }
  // Runs the dialog over parent at the screen point (both non-zero), or
  // centred on the desktop; the point is written back as placed. IDOK,
  // IDCANCEL, or -1 when the dialog could not be made.
  INT_PTR Run(HWND parent, POINT* point);

 private:
  void OnInitDialog(POINT* point);

  std::wstring text_;
  platform::UniqueIcon icon_;
  // Loaded so that the RichEdit20W class exists while the dialog runs.
  platform::UniqueLibrary richEdit_;
};
