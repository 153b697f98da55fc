// Smart folders: a folder object for any path, kind 1 for an existing folder.
#include <span>

#include "CallGuard.h"
#include "KernelObjects.h"
#include "KernelStubs.h"
#include "platform/com/ComObject.h"

namespace kernelstandin {
namespace {

using platform::ComError;
using platform::InterfaceOf;

class SmartFolder : public Stubs<INrvaSmartFolder> {
 public:
  explicit SmartFolder(std::wstring path) : path_(std::move(path)) {}
  static std::span<const platform::InterfaceEntry> Interfaces() {
    static const platform::InterfaceEntry table[] = {
        InterfaceOf<SmartFolder, INrvaSmartFolder>(),
        InterfaceOf<SmartFolder, IDispatch, INrvaSmartFolder>(),
    };
    return table;
  }
  HRESULT STDMETHODCALLTYPE GetKind(LONG* kind) override {
    return KernelCall(L"INrvaSmartFolder.GetKind", [&] {
      RequireOut(kind);
      DWORD attributes = GetFileAttributesW(path_.c_str());
      *kind = attributes != INVALID_FILE_ATTRIBUTES && (attributes & FILE_ATTRIBUTE_DIRECTORY) ? 1 : 0;
    });
  }
  HRESULT STDMETHODCALLTYPE GetText(BSTR* text) override {
    return KernelCall(L"INrvaSmartFolder.GetText", [&] { PutText(text, path_); });
  }

 private:
  std::wstring path_;
};

class SmartFolders : public Stubs<INrvaSmartFolders> {
 public:
  static std::span<const platform::InterfaceEntry> Interfaces() {
    static const platform::InterfaceEntry table[] = {
        InterfaceOf<SmartFolders, INrvaSmartFolders>(),
        InterfaceOf<SmartFolders, IDispatch, INrvaSmartFolders>(),
    };
    return table;
  }
  HRESULT STDMETHODCALLTYPE GetFolder(BSTR path, IDispatch** folder) override {
    return KernelCall(L"INrvaSmartFolders.GetFolder", [&] {
      RequireOut(folder);
      if (platform::BstrView(path).empty()) throw ComError(E_INVALIDARG);
      PutObject(folder, platform::MakeComObject<SmartFolder>(std::wstring(platform::BstrView(path))));
    });
  }
  HRESULT STDMETHODCALLTYPE Refresh() override { return KernelCall(L"INrvaSmartFolders.Refresh", [] {}); }
  HRESULT STDMETHODCALLTYPE RefreshWith(IUnknown*) override {
    return KernelCall(L"INrvaSmartFolders.RefreshWith", [] {});
  }
};

}  // namespace

ComPtr<IUnknown> NewSmartFolders() { return platform::MakeComObject<SmartFolders>().As<IUnknown>(); }

}  // namespace kernelstandin
