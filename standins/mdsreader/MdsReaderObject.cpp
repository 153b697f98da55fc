#include "MdsReaderObject.h"

#include <atomic>
#include <cerrno>
#include <cwchar>

#include "MdsReaderFaults.h"
#include "platform/base/Handles.h"
#include "platform/com/Bstr.h"
#include "platform/com/ComError.h"

platform::TypeLibrary g_mdsReaderLibrary(LIBID_MdsReaderLib, 1, 0);

namespace {

std::atomic<long> g_loadCount{0};

std::wstring_view View(BSTR s) { return {s ? s : L"", s ? SysStringLen(s) : 0u}; }

HRESULT Answer(std::wstring_view text, BSTR* out) {
  if (!out) return E_POINTER;
  *out = nullptr;
  return platform::Bstr(text).CopyTo(out);
}

// The whole text as a decimal integer with an optional "-".
bool ParseInt(const std::wstring& text, long* value) {
  if (text.empty() || !(text[0] == L'-' || (text[0] >= L'0' && text[0] <= L'9'))) return false;
  wchar_t* end = nullptr;
  errno = 0;
  long parsed = std::wcstol(text.c_str(), &end, 10);
  if (errno != 0 || end != text.c_str() + text.size()) return false;
  *value = parsed;
  return true;
}

bool ReadFileBytes(const std::wstring& path, std::string* bytes, DWORD* error) {
  platform::UniqueFileHandle file(CreateFileW(path.c_str(), GENERIC_READ, FILE_SHARE_READ | FILE_SHARE_DELETE,
                                              nullptr, OPEN_EXISTING, FILE_ATTRIBUTE_NORMAL, nullptr));
  if (!file) {
    *error = GetLastError();
    return false;
  }
  bytes->clear();
  char buffer[4096];
  DWORD read = 0;
  BOOL ok;
  while ((ok = ReadFile(file.Get(), buffer, sizeof buffer, &read, nullptr)) && read > 0) bytes->append(buffer, read);
  *error = ok ? ERROR_SUCCESS : GetLastError();
  return ok;
}

}  // namespace

std::span<const platform::InterfaceEntry> MdsReaderObject::Interfaces() {
  using platform::InterfaceOf;
  static const platform::InterfaceEntry table[] = {
      InterfaceOf<MdsReaderObject, IMdsReader>(),
      InterfaceOf<MdsReaderObject, IMdsReader2>(),
      InterfaceOf<MdsReaderObject, IDispatch>(),
  };
  return table;
}

std::span<const platform::InterfaceEntry> MdsReaderWithoutListing::Interfaces() {
  using platform::InterfaceOf;
  static const platform::InterfaceEntry table[] = {
      InterfaceOf<MdsReaderWithoutListing, IMdsReader>(),
      InterfaceOf<MdsReaderWithoutListing, IDispatch>(),
  };
  return table;
}

platform::ComPtr<IUnknown> CreateMdsReader() {
  if (MdsReaderFault(L"create")) throw platform::ComError(E_OUTOFMEMORY, L"fault switch: create");
  if (MdsReaderFault(L"nolisting"))
    return platform::MakeComObject<MdsReaderWithoutListing>().As<IUnknown>();
  return platform::MakeComObject<MdsReaderObject>().As<IUnknown>();
}

HRESULT MdsReaderObject::Load(BSTR path, long flag) {
  return platform::ComBoundary([&]() -> HRESULT {
    if (MdsReaderFault(L"load")) return E_FAIL;
    std::wstring where(View(path));
    if (where.empty()) return E_INVALIDARG;
    if (flag == 1) {
      storePath_ = where;
      return S_OK;
    }
    DWORD attributes = GetFileAttributesW(where.c_str());
    if (attributes != INVALID_FILE_ATTRIBUTES && (attributes & FILE_ATTRIBUTE_DIRECTORY)) {
      if (name_.empty()) return S_FALSE;
      if (where.back() != L'\\' && where.back() != L'/') where += L'\\';
      where += name_;
    }
    return ReadTable(where);
  });
}

HRESULT MdsReaderObject::ReadTable(const std::wstring& file) {
  std::string bytes;
  DWORD error = ERROR_SUCCESS;
  if (!ReadFileBytes(file, &bytes, &error)) {
    if (error == ERROR_FILE_NOT_FOUND || error == ERROR_PATH_NOT_FOUND) return S_FALSE;
    return HRESULT_FROM_WIN32(error);
  }
  table_ = MdsTableText::ParseBytes(bytes);
  ++g_loadCount;
  return S_OK;
}

HRESULT MdsReaderObject::Close() { return MdsReaderFault(L"close") ? E_FAIL : S_OK; }

HRESULT MdsReaderObject::GetString(BSTR section, BSTR key, BSTR* value) {
  return platform::ComBoundary([&] {
    const std::wstring* found = table_.Value(View(section), View(key));
    return Answer(found ? std::wstring_view(*found) : std::wstring_view(), value);
  });
}

HRESULT MdsReaderObject::GetSectionCount(long* count) {
  if (!count) return E_POINTER;
  if (MdsReaderFault(L"sectioncount")) return E_FAIL;
  *count = static_cast<long>(table_.SectionCount());
  return S_OK;
}

HRESULT MdsReaderObject::GetSectionName(long index, BSTR* name) {
  return platform::ComBoundary([&] {
    const MdsTableText::Section* section = table_.SectionAt(index);
    HRESULT hr = Answer(section ? std::wstring_view(section->name) : std::wstring_view(), name);
    return FAILED(hr) || section ? hr : E_INVALIDARG;
  });
}

HRESULT MdsReaderObject::GetKeyCount(BSTR section, long* count) {
  if (!count) return E_POINTER;
  const MdsTableText::Section* found = table_.Find(View(section));
  *count = found ? static_cast<long>(found->keys.size()) : 0;
  return S_OK;
}

HRESULT MdsReaderObject::GetKeyName(BSTR section, long index, BSTR* key) {
  return platform::ComBoundary([&] {
    const MdsTableText::Section* found = table_.Find(View(section));
    bool valid = found && index >= 0 && static_cast<size_t>(index) < found->keys.size();
    HRESULT hr = Answer(valid ? std::wstring_view(found->keys[static_cast<size_t>(index)].first)
                              : std::wstring_view(),
                        key);
    return FAILED(hr) || valid ? hr : E_INVALIDARG;
  });
}

HRESULT MdsReaderObject::GetName(BSTR* name) {
  return platform::ComBoundary([&] { return Answer(name_, name); });
}

HRESULT MdsReaderObject::SetName(BSTR name) {
  return platform::ComBoundary([&]() -> HRESULT {
    if (MdsReaderFault(L"setname")) return E_FAIL;
    name_.assign(View(name));
    return S_OK;
  });
}

HRESULT MdsReaderObject::GetInt(BSTR section, BSTR key, long defaultValue, long* value) {
  if (!value) return E_POINTER;
  *value = defaultValue;
  const std::wstring* found = table_.Value(View(section), View(key));
  if (found) ParseInt(*found, value);
  return S_OK;
}

HRESULT MdsReaderObject::GetLoadCount(long* count) {
  if (!count) return E_POINTER;
  *count = g_loadCount.load();
  return S_OK;
}
