#pragma once
#include <windows.h>

#include <string>

#include "browserproxy/core/NorvaConnector.h"

class KernelSession;

// The kernel connector's web search: the kernel's web search object, made
// for each search through the interface of the session's mode.
class CKernelWebSearchService final : public INorvaWebSearchService {
 public:
  explicit CKernelWebSearchService(KernelSession& session) : session_(session) {}
  CKernelWebSearchService(const CKernelWebSearchService&) = delete;
  CKernelWebSearchService& operator=(const CKernelWebSearchService&) = delete;

  long Search(std::wstring& result, const std::wstring& option, const std::wstring& query) override;
  HRESULT IsReady() override;

 private:
  KernelSession& session_;
};
