#include "browserproxy/dictionary/CXStorage.h"

#include <objbase.h>

#include "browserproxy/dictionary/CStorage.h"
#include "platform/com/Bstr.h"
#include "platform/com/ComError.h"
#include "platform/com/ComPtr.h"
#include "shared/TempFiles.h"

namespace {

std::wstring NewGuidText() {
  GUID guid{};
  if (FAILED(CoCreateGuid(&guid))) return std::wstring();
  wchar_t text[64] = {};
  return StringFromGUID2(guid, text, 64) > 0 ? std::wstring(text) : std::wstring();
}

}  // namespace

std::wstring CXStorage::ExtractionFolder() {
  return CStorage::FindProductFolder(1) + L"NRVAED\\";
}

ExtractResult CXStorage::ExtractToTempFile(const std::wstring& storagePath,
                                           const std::wstring& streamName, IMdsReader* table,
                                           int mode) {
  if (!table) return ExtractResult::Absent;
  CStorage storage(storagePath);
  if (storage.Open(1) != STORAGE_OK) return ExtractResult::Absent;

  std::wstring guid = NewGuidText();
  if (guid.empty()) return ExtractResult::Transient;
  std::wstring folder = ExtractionFolder();
  CreateDirectoryPath(folder);
  std::wstring target = folder + guid;

  // A table that could not be written out is not known to be absent.
  if (storage.ExtractStream(streamName, target, mode) == STORAGE_TARGET_UNWRITABLE) {
    DeleteFileW(target.c_str());
    return ExtractResult::Transient;
  }

  HRESULT loaded = E_FAIL;
  try {
    platform::ComPtr<IMdsReader2> named;
    if (SUCCEEDED(table->QueryInterface(IID_IMdsReader2, named.ReceiveVoid())) && named)
      platform::ThrowIfFailed(named->SetName(platform::Bstr(guid).Get()), L"SetName");
    loaded = platform::ThrowIfFailed(table->Load(platform::Bstr(folder).Get(), 0), L"Load");
  } catch (...) {
    DeleteFileW(target.c_str());
    throw;
  }
  DeleteFileW(target.c_str());
  return loaded == S_OK ? ExtractResult::Loaded : ExtractResult::Absent;
}
