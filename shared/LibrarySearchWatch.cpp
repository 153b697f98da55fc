#include "shared/LibrarySearchWatch.h"

namespace {

bool Signalled(HANDLE handle) { return WaitForSingleObject(handle, 0) != WAIT_TIMEOUT; }

}  // namespace

void LibrarySearchWatch::WatchKey(HKEY root, const std::wstring& subKey) {
  Forget();
  keyChanged_.Reset(CreateEventW(nullptr, TRUE, FALSE, nullptr));
  if (!keyChanged_) return;
  std::wstring path = subKey;
  for (;;) {
    const size_t separator = path.find_last_of(L'\\');
    if (separator == std::wstring::npos) return;
    path.resize(separator);
    if (RegOpenKeyExW(root, path.c_str(), 0, KEY_NOTIFY, key_.Receive()) == ERROR_SUCCESS) break;
  }
  if (RegNotifyChangeKeyValue(key_.Get(), TRUE, REG_NOTIFY_CHANGE_NAME | REG_NOTIFY_CHANGE_LAST_SET,
                              keyChanged_.Get(), TRUE) != ERROR_SUCCESS)
    key_.Reset();
}

void LibrarySearchWatch::WatchFolder(const std::wstring& folder) {
  folderChanged_.Reset();
  if (folder.empty()) return;
  folderChanged_.Reset(FindFirstChangeNotificationW(folder.c_str(), FALSE, FILE_NOTIFY_CHANGE_FILE_NAME));
}

void LibrarySearchWatch::Forget() {
  missed_ = false;
  folderChanged_.Reset();
  key_.Reset();
  keyChanged_.Reset();
}

bool LibrarySearchWatch::SearchAgain() const {
  // Without a working key watch nothing would tell of a change: search every time.
  if (!missed_ || !key_ || Signalled(keyChanged_.Get())) return true;
  return folderChanged_ && Signalled(folderChanged_.Get());
}
