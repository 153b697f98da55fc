#pragma once
#include <windows.h>

#include <string>

#include "platform/base/Handles.h"
#include "platform/win/Dialog.h"

// The about box of the translation-server edition: product name with the
// edition mark, family version, build number and legal notice, all read
// from the version block of a module (US English, Windows-1252, then the
// Unicode table of the same language).
class CVQDAtlAboutDlg : public platform::Dialog {
 public:
  // productName null: the module's "FileDescription".
  CVQDAtlAboutDlg(HMODULE module, const wchar_t* iconName, const wchar_t* productName);

  // Runs the box modally over the parent; the code it ended with, -1 when
  // it could not be shown.
  INT_PTR Run(HWND parent) { return DoModal(parent, 0); }

  const std::wstring& ProductName() const { return productName_; }
  const std::wstring& FileVersion() const { return fileVersion_; }
  const std::wstring& FamilyVersion() const { return familyVersion_; }
  const std::wstring& LegalNotice() const { return legalNotice_; }
  HICON Icon() const { return icon_.Get(); }

 private:
  void OnInitDialog();

  std::wstring productName_;
  std::wstring fileVersion_;
  std::wstring familyVersion_;
  std::wstring legalNotice_;
  platform::UniqueIcon icon_;
};
