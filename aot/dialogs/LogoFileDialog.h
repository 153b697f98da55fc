#pragma once
#include <windows.h>

#include <string>

#include "analyzer/KernelObjects.h"
#include "platform/com/ComPtr.h"

namespace ombrel {

// Codes the name check reports to the product's message service.
inline constexpr HRESULT kNameCannotBeCreated = static_cast<HRESULT>(0x800F001BL);
inline constexpr HRESULT kNameTooLong = static_cast<HRESULT>(0x800F001CL);
inline constexpr HRESULT kNamePathNotFound = static_cast<HRESULT>(0x800F001DL);
inline constexpr HRESULT kNameCannotBeOpened = static_cast<HRESULT>(0x800F001EL);

// The open and save file dialog of the keyword list files: it checks the
// chosen name before accepting it and reports a problem to the product's
// message service, keeping the dialog open.
class CLogoFileDialog {
 public:
  CLogoFileDialog(bool open, const wchar_t* defaultExtension, std::wstring filter, std::wstring initialFolder,
                  HWND parent);

  // The chosen path after OK; empty after Cancel.
  std::wstring Run();

  // The check of a chosen name: S_OK, or the code to report. Never leaves a
  // file behind: an existing file is only opened, a new name is probed with
  // a file deleted when its handle closes.
  static HRESULT CheckName(const std::wstring& path, bool forWriting);

 private:
  static UINT_PTR CALLBACK Hook(HWND child, UINT message, WPARAM wParam, LPARAM lParam);
  bool Accept(HWND dialog, const std::wstring& path);
  void Report(HRESULT code, const std::wstring& path);

  bool open_;
  std::wstring defaultExtension_;
  std::wstring filter_;
  std::wstring initialFolder_;
  HWND parent_;
  DWORD lastRejected_ = 0;
  platform::ComPtr<KernelMessageService> messages_;
};

}  // namespace ombrel
