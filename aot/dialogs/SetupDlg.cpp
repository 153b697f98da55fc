#include "dialogs/SetupDlg.h"

namespace ombrel {

HRESULT CSetupDlg::Run(KernelTemplateManager*, KernelDocument*, long, const std::wstring&, HWND) { return E_NOTIMPL; }

HRESULT CSetupDlg::AutoSetup(KernelTemplateManager*, KernelDocument*, long, const std::wstring&, const std::wstring&) {
  return E_NOTIMPL;
}

}  // namespace ombrel
