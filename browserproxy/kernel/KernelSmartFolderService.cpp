#include "browserproxy/kernel/KernelSmartFolderService.h"

#include "browserproxy/kernel/KernelObject.h"
#include "browserproxy/kernel/KernelSession.h"
#include "platform/com/Bstr.h"
#include "platform/com/ComError.h"

using platform::Bstr;
using platform::ComPtr;
using platform::ThrowIfFailed;

ComPtr<INrvaSmartFolders>& CKernelSmartFolderService::SmartFolders() {
  if (!smartFolders_) kernel_object::TryCreate(CLSID_NrvaSmartFolders, &smartFolders_);
  return smartFolders_;
}

bool CKernelSmartFolderService::IsAvailable() { return static_cast<bool>(SmartFolders()); }

long CKernelSmartFolderService::GetFolderInfo(const std::wstring& path, long& value, std::wstring& text) {
  try {
    if (!SmartFolders()) return 1;
    ComPtr<IDispatch> folderObject;
    ThrowIfFailed(smartFolders_->GetFolder(Bstr(path).Get(), folderObject.Receive()), L"smart folder");
    auto folder = folderObject.As<INrvaSmartFolder>();
    if (!folder) return 1;
    long kind = 0;
    Bstr folderText;
    ThrowIfFailed(folder->GetKind(&kind), L"smart folder kind");
    ThrowIfFailed(folder->GetText(folderText.Receive()), L"smart folder text");
    value = kind;
    text = folderText.Str();
    return 0;
  } catch (...) {
    session_.ReportCaught();
    return 1;
  }
}

void CKernelSmartFolderService::RefreshFolders() {
  session_.Reported([&] {
    if (!smartFolders_) return;
    if (session_.IsAttached())
      ThrowIfFailed(smartFolders_->RefreshWith(session_.Control().Get()), L"refreshing smart folders");
    else
      ThrowIfFailed(smartFolders_->Refresh(), L"refreshing smart folders");
  });
}
