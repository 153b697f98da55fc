#include "browserproxy/dictionary/CMdsTable.h"

#include "browserproxy/dictionary/CStorage.h"
#include "browserproxy/dictionary/CXStorage.h"
#include "platform/com/Bstr.h"
#include "platform/com/ComError.h"
#include "shared/PathParts.h"

CMdsTable::~CMdsTable() {
  for (auto& [name, table] : loaded_) table->Reader()->Close();
}

IMdsReader* CMdsTable::GetMdsFile(const std::wstring& name) {
  MdsReaderTable* table = Table(name);
  return table ? table->Reader() : nullptr;
}

LayoutTable* CMdsTable::GetTable(const std::wstring& fullPath) { return Table(fullPath); }

MdsReaderTable* CMdsTable::Table(const std::wstring& name) {
  if (auto found = loaded_.find(name); found != loaded_.end()) return found->second.get();
  if (absent_.count(name)) return nullptr;

  size_t slash = name.rfind(L'\\');
  std::wstring folder = slash == std::wstring::npos ? std::wstring() : name.substr(0, slash + 1);
  std::wstring storagePath = folder + L"mds.stg";
  CPathParts stream(slash == std::wstring::npos ? name : name.substr(slash + 1));
  stream.SetName(stream.Name() + L"_u");
  // A store that is not there (or no compound file) is a miss whatever the
  // reader does: known before a reader is made, so that a machine without
  // the store or without a registered reader pays for the name only once.
  if (CStorage(storagePath).Open(1) != STORAGE_OK) {
    absent_.insert(name);
    return nullptr;
  }

  try {
    auto table = CreateMdsReader();
    if (auto named = table.As<IMdsReader2>())
      platform::ThrowIfFailed(named->SetName(platform::Bstr(L"mds.stg").Get()), L"SetName");
    platform::ThrowIfFailed(table->Load(platform::Bstr(storagePath).Get(), 1), L"Load");

    CXStorage extraction;
    switch (extraction.ExtractToTempFile(storagePath, stream.FileName(), table.Get(), 1)) {
      case ExtractResult::Loaded: {
        auto held = std::make_unique<MdsReaderTable>(std::move(table), MdsReaderTable::Closing::ByOwner);
        return loaded_.emplace(name, std::move(held)).first->second.get();
      }
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
    if (held->Reader() == table ||
        platform::ComPtr<IMdsReader>::Share(held->Reader()).As<IUnknown>().Get() == wanted.Get())
      return name;
  }
  return std::wstring();
}

std::wstring CMdsTable::FindTableName(const LayoutTable* table) const {
  for (const auto& [name, held] : loaded_) {
    if (held.get() == table) return name;
  }
  return std::wstring();
}
