#pragma once
#include <windows.h>

#include <string>

#include "NorvaKernel.h"
#include "browserproxy/core/NorvaConnector.h"
#include "platform/com/ComPtr.h"

class KernelSession;

// The kernel connector's smart-folder service over the kernel's smart
// folders object, made on first use.
class CKernelSmartFolderService final : public INorvaSmartFolderService {
 public:
  explicit CKernelSmartFolderService(KernelSession& session) : session_(session) {}
  CKernelSmartFolderService(const CKernelSmartFolderService&) = delete;
  CKernelSmartFolderService& operator=(const CKernelSmartFolderService&) = delete;

  bool IsAvailable() override;
  long GetFolderInfo(const std::wstring& path, long& value, std::wstring& text) override;
  void RefreshFolders() override;

 private:
  platform::ComPtr<INrvaSmartFolders>& SmartFolders();

  KernelSession& session_;
  platform::ComPtr<INrvaSmartFolders> smartFolders_;
};
