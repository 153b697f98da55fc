#include "browserproxy/dictionary/CMdsTable.h"

#include "browserproxy/dictionary/CXStorage.h"
#include "platform/com/Bstr.h"
#include "platform/com/ComError.h"
#include "shared/PathParts.h"

namespace {

constexpr DWORD kReaderContext = CLSCTX_INPROC_SERVER | CLSCTX_INPROC_HANDLER |
                                 CLSCTX_LOCAL_SERVER | CLSCTX_REMOTE_SERVER;

}  // namespace

CMdsTable::~CMdsTable() {
  for (auto& [name, table] : loaded_) {
    if (table) table->Close();
  }
}

IMdsReader* CMdsTable::GetMdsFile(const std::wstring& name) {
  if (auto found = loaded_.find(name); found != loaded_.end()) return found->second.Get();
  if (absent_.count(name)) return nullptr;

  size_t slash = name.rfind(L'\\');
  std::wstring folder = slash == std::wstring::npos ? std::wstring() : name.substr(0, slash + 1);
  std::wstring storagePath = folder + L"mds.stg";
  CPathParts stream(slash == std::wstring::npos ? name : name.substr(slash + 1));
  stream.SetName(stream.Name() + L"_u");

  try {
    auto table = platform::ComPtr<IMdsReader>::Create(CLSID_MdsReader, kReaderContext);
    if (auto named = table.As<IMdsReader2>())
      platform::ThrowIfFailed(named->SetName(platform::Bstr(L"mds.stg").Get()), L"SetName");
    platform::ThrowIfFailed(table->Load(platform::Bstr(storagePath).Get(), 1), L"Load");

    CXStorage extraction;
    switch (extraction.ExtractToTempFile(storagePath, stream.FileName(), table.Get(), 1)) {
      case ExtractResult::Loaded:
        return loaded_.emplace(name, std::move(table)).first->second.Get();
      case ExtractResult::Absent:
        absent_.insert(name);
        table->Close();
        return nullptr;
      case ExtractResult::Transient:
        table->Close();
        return nullptr;
    }
  } catch (...) {
    // A failure of the reader is not remembered: a later call tries again.
  }
  return nullptr;
}

std::wstring CMdsTable::FindTableName(IMdsReader* table) const {
  if (!table) return std::wstring();
  // Any interface pointer of a cached object finds it (COM identity).
  auto wanted = platform::ComPtr<IMdsReader>::Share(table).As<IUnknown>();
  for (const auto& [name, held] : loaded_) {
    if (held.Get() == table || held.As<IUnknown>().Get() == wanted.Get()) return name;
  }
  return std::wstring();
}
