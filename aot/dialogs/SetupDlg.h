#pragma once
#include <windows.h>

#include <string>

#include "analyzer/KernelObjects.h"

namespace ombrel {

// The keyword setup dialog: the keyword lists of every profile of every
// language pair, with their word forms, list files and automatic setup.
class CSetupDlg {
 public:
  // Runs the dialog modally; S_OK after it closed.
  static HRESULT Run(KernelTemplateManager* manager, KernelDocument* document, long dirId,
                     const std::wstring& profile, HWND parent);
  // Adds the ";"-separated words to the named profile without showing the
  // dialog; S_FALSE when nothing was found to add them to.
  static HRESULT AutoSetup(KernelTemplateManager* manager, KernelDocument* document, long dirId,
                           const std::wstring& profile, const std::wstring& words);
};

}  // namespace ombrel
