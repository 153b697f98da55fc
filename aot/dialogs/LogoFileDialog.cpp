#include "dialogs/LogoFileDialog.h"

#include <commdlg.h>

#include <vector>

#include "module/OmbrelApp.h"
#include "platform/base/Handles.h"
#include "platform/com/Bstr.h"
#include "platform/com/Variant.h"

namespace ombrel {

CLogoFileDialog::CLogoFileDialog(bool open, const wchar_t* defaultExtension, std::wstring filter,
                                 std::wstring initialFolder, HWND parent)
    : open_(open),
      defaultExtension_(defaultExtension),
      filter_(std::move(filter)),
      initialFolder_(std::move(initialFolder)),
      parent_(parent) {
  // The resource filter separates with "|": the common dialog wants zeros.
  for (wchar_t& c : filter_)
    if (c == L'|') c = L'\0';
}

std::wstring CLogoFileDialog::Run() {
  std::vector<wchar_t> file(32000, L'\0');
  OPENFILENAMEW ofn{};
  ofn.lStructSize = sizeof(ofn);
  ofn.hwndOwner = parent_;
  ofn.lpstrFilter = filter_.c_str();
  ofn.lpstrFile = file.data();
  ofn.nMaxFile = static_cast<DWORD>(file.size());
  ofn.lpstrInitialDir = initialFolder_.empty() ? nullptr : initialFolder_.c_str();
  ofn.lpstrDefExt = defaultExtension_.c_str();
  ofn.Flags = OFN_EXPLORER | OFN_ENABLEHOOK | OFN_HIDEREADONLY | OFN_ENABLESIZING | OFN_NOCHANGEDIR |
              (open_ ? 0 : OFN_OVERWRITEPROMPT);
  ofn.lpfnHook = &CLogoFileDialog::Hook;
  ofn.lCustData = reinterpret_cast<LPARAM>(this);
  BOOL ok = open_ ? GetOpenFileNameW(&ofn) : GetSaveFileNameW(&ofn);
  return ok ? std::wstring(file.data()) : std::wstring();
}

UINT_PTR CALLBACK CLogoFileDialog::Hook(HWND child, UINT message, WPARAM, LPARAM lParam) {
  try {
    if (message == WM_INITDIALOG) {
      SetWindowLongPtrW(child, GWLP_USERDATA, reinterpret_cast<const OPENFILENAMEW*>(lParam)->lCustData);
      return 0;
    }
    if (message == WM_NOTIFY) {
      auto* notify = reinterpret_cast<OFNOTIFYW*>(lParam);
      if (notify->hdr.code != CDN_FILEOK) return 0;
      auto* self = reinterpret_cast<CLogoFileDialog*>(GetWindowLongPtrW(child, GWLP_USERDATA));
      if (self && !self->Accept(GetParent(child), notify->lpOFN->lpstrFile)) {
        SetWindowLongPtrW(child, DWLP_MSGRESULT, 1);
        return 1;
      }
    }
  } catch (...) {
    // The dialog goes on.
  }
  return 0;
}

HRESULT CLogoFileDialog::CheckName(const std::wstring& path, bool forWriting) {
  if (path.size() >= 259) return kNameTooLong;
  auto failure = [&](DWORD error) {
    if (error == ERROR_PATH_NOT_FOUND || error == ERROR_FILE_NOT_FOUND || error == ERROR_INVALID_NAME ||
        error == ERROR_BAD_PATHNAME || error == ERROR_DIRECTORY)
      return kNamePathNotFound;
    return forWriting ? kNameCannotBeCreated : kNameCannotBeOpened;
  };
  const DWORD access = forWriting ? GENERIC_WRITE : GENERIC_READ;
  const bool exists = GetFileAttributesW(path.c_str()) != INVALID_FILE_ATTRIBUTES;
  platform::UniqueFileHandle file;
  if (exists) {
    file.Reset(
        CreateFileW(path.c_str(), access, FILE_SHARE_READ | FILE_SHARE_WRITE, nullptr, OPEN_EXISTING, 0, nullptr));
  } else if (!forWriting) {
    // Nothing to open: only the folder must be there.
    size_t slash = path.find_last_of(L"\\/");
    if (slash == std::wstring::npos) return S_OK;
    DWORD attributes = GetFileAttributesW(path.substr(0, slash + 1).c_str());
    return attributes != INVALID_FILE_ATTRIBUTES && (attributes & FILE_ATTRIBUTE_DIRECTORY) ? S_OK
                                                                                             : kNamePathNotFound;
  } else {
    // A new file that the system deletes as soon as its handle closes.
    file.Reset(CreateFileW(path.c_str(), GENERIC_WRITE | DELETE, FILE_SHARE_READ, nullptr, CREATE_NEW,
                           FILE_FLAG_DELETE_ON_CLOSE, nullptr));
  }
  if (!file) return failure(GetLastError());
  return S_OK;
}

bool CLogoFileDialog::Accept(HWND dialog, const std::wstring& path) {
  const DWORD now = GetTickCount();
  if (lastRejected_ && now - lastRejected_ < 500) return false;
  HRESULT code = CheckName(path, !open_);
  if (SUCCEEDED(code)) return true;
  Report(code, path);
  lastRejected_ = GetTickCount();
  if (!lastRejected_) lastRejected_ = 1;
  (void)dialog;
  return false;
}

void CLogoFileDialog::Report(HRESULT code, const std::wstring& path) {
  if (!messages_) {
    platform::ComPtr<IUnknown> object;
    if (FAILED(CoCreateInstance(kMessageServiceClass, nullptr, CLSCTX_ALL, IID_IUnknown, object.ReceiveVoid())) ||
        FAILED(OleRun(object.Get())))
      return;
    messages_ = object.As<KernelMessageService>();
    if (!messages_) return;
  }
  platform::Variant detail = platform::Variant::FromString(path);
  messages_->ReportError(code, platform::Bstr(COmbrelApp::Name()).Get(), detail.Get());
}

}  // namespace ombrel
