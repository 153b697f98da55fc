#include "browserproxy/dictionary/CStorage.h"

#include <shlobj.h>

#include <vector>

#include "platform/base/Handles.h"
#include "shared/ProductFolders.h"
#include "shared/ProductRegistry.h"
#include "shared/RegistryKey.h"

namespace {

constexpr DWORD kCopyBlock = 4096;
const wchar_t kProductSubFolder[] = L"NORVA\\9.0\\";

std::wstring SystemTempPath() {
  wchar_t buffer[MAX_PATH + 1] = {};
  DWORD length = GetTempPathW(MAX_PATH + 1, buffer);
  return length > 0 && length <= MAX_PATH ? std::wstring(buffer, length) : std::wstring();
}

std::wstring ReadHklmValue(const wchar_t* key, const wchar_t* name) {
  CRegistryKey registry;
  if (!registry.Open(HKEY_LOCAL_MACHINE, key, KEY_READ)) return std::wstring();
  return registry.ReadStringValue(name);
}

// Releases a statistics name that Stat filled.
struct StatName {
  STATSTG stat{};
  ~StatName() {
    if (stat.pwcsName) CoTaskMemFree(stat.pwcsName);
  }
};

}  // namespace

int CStorage::Open(int mode) {
  try {
    storage_.Reset();
    HRESULT test = StgIsStorageFile(path_.c_str());
    if (test == STG_E_FILENOTFOUND) return STORAGE_FILE_MISSING;
    if (test != S_OK) return STORAGE_NOT_COMPOUND;
    DWORD access = mode == 1 ? STGM_READ | STGM_SHARE_DENY_WRITE
                             : STGM_READWRITE | STGM_SHARE_EXCLUSIVE;
    HRESULT hr = StgOpenStorage(path_.c_str(), nullptr, access, nullptr, 0, storage_.Receive());
    return hr == S_OK ? STORAGE_OK : STORAGE_FAILED;
  } catch (...) {
    return STORAGE_FAILED;
  }
}

bool CStorage::HasStream(const std::wstring& name) {
  if (!storage_) return false;
  platform::ComPtr<IEnumSTATSTG> elements;
  if (FAILED(storage_->EnumElements(0, nullptr, 0, elements.Receive())) || !elements) return false;
  for (;;) {
    StatName element;
    ULONG fetched = 0;
    if (elements->Next(1, &element.stat, &fetched) != S_OK || fetched != 1) return false;
    if (element.stat.pwcsName &&
        CompareStringOrdinal(element.stat.pwcsName, -1, name.c_str(), static_cast<int>(name.size()),
                             TRUE) == CSTR_EQUAL)
      return true;
  }
}

int CStorage::StreamToFile(const std::wstring& stream, const std::wstring& target, bool overwrite) {
  try {
    if (!IsValidStreamName(stream)) return STORAGE_INVALID_NAME;
    if (!FileExists(path_)) return STORAGE_FILE_MISSING;
    if (!HasStream(stream)) return STORAGE_STREAM_MISSING;
    int success = STORAGE_OK;
    if (FileExists(target)) {
      if (!overwrite) return STORAGE_TARGET_EXISTS;
      success = STORAGE_TARGET_EXISTS;
    }
    platform::ComPtr<IStream> source;
    if (FAILED(storage_->OpenStream(stream.c_str(), nullptr, STGM_READ | STGM_SHARE_EXCLUSIVE, 0,
                                    source.Receive())))
      return STORAGE_FAILED;
    return CopyStream(source.Get(), target, success);
  } catch (...) {
    return STORAGE_FAILED;
  }
}

int CStorage::CopyStream(IStream* stream, const std::wstring& target, int success) {
  STATSTG stat{};
  if (FAILED(stream->Stat(&stat, STATFLAG_NONAME))) return STORAGE_FAILED;
  const ULONG expected = stat.cbSize.LowPart;

  platform::UniqueFileHandle file(CreateFileW(target.c_str(), GENERIC_WRITE, FILE_SHARE_WRITE, nullptr,
                                              CREATE_ALWAYS, FILE_ATTRIBUTE_NORMAL, nullptr));
  if (!file) return STORAGE_TARGET_UNWRITABLE;
  std::vector<BYTE> buffer(kCopyBlock);
  ULONG total = 0;
  bool written = true;
  for (;;) {
    ULONG read = 0;
    if (FAILED(stream->Read(buffer.data(), kCopyBlock, &read)) || read == 0) break;
    total += read;
    DWORD put = 0;
    if (!WriteFile(file.Get(), buffer.data(), read, &put, nullptr) || put != read) {
      written = false;
      break;
    }
  }
  // Closing can fail too (data not flushed): that is a failed write.
  if (!CloseHandle(file.Detach())) written = false;
  if (!written) return STORAGE_TARGET_UNWRITABLE;
  return total == expected ? success : STORAGE_FAILED;
}

int CStorage::ExtractStream(const std::wstring& stream, const std::wstring& target, int mode) {
  int result = StreamToFile(stream, target, false);
  if (result == STORAGE_TARGET_EXISTS && mode == 1) {
    DeleteFileW(target.c_str());
    result = StreamToFile(stream, target, false);
  }
  return result;
}

bool CStorage::IsValidStreamName(const std::wstring& name) {
  return !name.empty() && name.find_first_of(L"\\|/:?\"<>*") == std::wstring::npos;
}

bool CStorage::FileExists(const std::wstring& path) {
  return GetFileAttributesW(path.c_str()) != INVALID_FILE_ATTRIBUTES;
}

std::wstring CStorage::FindProductFolder(int kind, const wchar_t* name, HMODULE module) {
  std::wstring tail = name ? name : L"";
  switch (kind) {
    case 0:
      return GetModulePath(module);
    case 1:
      return SystemTempPath() + kProductSubFolder + tail;
    case 2:
      return ReadHklmValue(kProductAppsKey, tail.c_str());
    case 3:
      return ReadHklmValue(kProductFoldersKey, name ? name : L"Root");
    case 4:
      return LoadSHGetFolderPath(CSIDL_PERSONAL);
    case 5:
    case 6: {
      std::wstring folder = LoadSHGetFolderPath(kind == 5 ? CSIDL_APPDATA : CSIDL_COMMON_APPDATA);
      return folder.empty() ? folder : folder + L"\\" + kProductSubFolder + tail;
    }
    default:
      return std::wstring();
  }
}

std::wstring LoadSHGetFolderPath(int csidl) {
  using GetFolderPath = HRESULT(WINAPI*)(HWND, int, HANDLE, DWORD, LPWSTR);
  platform::UniqueLibrary library(LoadLibraryW(L"shfolder.dll"));
  if (!library) return std::wstring();
  std::wstring result;
  auto entry = reinterpret_cast<GetFolderPath>(GetProcAddress(library.Get(), "SHGetFolderPathW"));
  wchar_t buffer[MAX_PATH + 1] = {};
  if (entry && SUCCEEDED(entry(nullptr, csidl, nullptr, 0, buffer))) result = buffer;
  return result;
}
