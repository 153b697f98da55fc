#include "tools/mdsstg/MdsStorageWriter.h"

#include <objbase.h>

#include "shared/PathParts.h"

namespace {

// Releases an interface pointer of this file's short-lived objects.
template <class T>
struct Released {
  T* p = nullptr;
  ~Released() {
    if (p) p->Release();
  }
};

}  // namespace

std::wstring MdsStreamNameOf(const std::wstring& tableName) {
  CPathParts stream(tableName);
  return stream.SetName(stream.Name() + L"_u"), stream.FileName();
}

bool MdsSourceToTableBytes(const std::string& source, std::string* table) {
  table->assign("\xFF\xFE", 2);
  if (source.size() >= 2 && static_cast<unsigned char>(source[0]) == 0xFF &&
      static_cast<unsigned char>(source[1]) == 0xFE) {
    table->append(source, 2);
    return true;
  }
  size_t offset = source.compare(0, 3, "\xEF\xBB\xBF") == 0 ? 3 : 0;
  if (offset == source.size()) return true;
  int length = MultiByteToWideChar(CP_UTF8, MB_ERR_INVALID_CHARS, source.data() + offset,
                                   static_cast<int>(source.size() - offset), nullptr, 0);
  if (length <= 0) return false;
  std::wstring wide(static_cast<size_t>(length), L'\0');
  MultiByteToWideChar(CP_UTF8, MB_ERR_INVALID_CHARS, source.data() + offset,
                      static_cast<int>(source.size() - offset), wide.data(), length);
  for (wchar_t c : wide) {
    table->push_back(static_cast<char>(c & 0xFF));
    table->push_back(static_cast<char>((c >> 8) & 0xFF));
  }
  return true;
}

HRESULT WriteMdsStorage(const std::wstring& path, const std::vector<MdsStreamData>& streams,
                        std::wstring* failedStream) {
  if (failedStream) failedStream->clear();
  Released<IStorage> storage;
  HRESULT hr = StgCreateDocfile(path.c_str(), STGM_CREATE | STGM_READWRITE | STGM_SHARE_EXCLUSIVE,
                                0, &storage.p);
  if (FAILED(hr)) return hr;
  for (const auto& data : streams) {
    Released<IStream> stream;
    hr = storage.p->CreateStream(data.streamName.c_str(),
                                 STGM_CREATE | STGM_WRITE | STGM_SHARE_EXCLUSIVE, 0, 0, &stream.p);
    ULONG written = 0;
    if (SUCCEEDED(hr) && !data.bytes.empty())
      hr = stream.p->Write(data.bytes.data(), static_cast<ULONG>(data.bytes.size()), &written);
    if (SUCCEEDED(hr) && written != data.bytes.size()) hr = STG_E_WRITEFAULT;
    if (FAILED(hr)) {
      if (failedStream) *failedStream = data.streamName;
      return hr;
    }
  }
  return storage.p->Commit(STGC_DEFAULT);
}
