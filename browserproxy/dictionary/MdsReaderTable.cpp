#include "browserproxy/dictionary/MdsReaderTable.h"

#include "platform/com/Bstr.h"
#include "platform/com/ComError.h"

using platform::Bstr;

namespace {

// The context the product creates its table objects in.
constexpr DWORD kReaderContext = CLSCTX_INPROC_SERVER | CLSCTX_INPROC_HANDLER |
                                 CLSCTX_LOCAL_SERVER | CLSCTX_REMOTE_SERVER;

}  // namespace

platform::ComPtr<IMdsReader> CreateMdsReader() {
  return platform::ComPtr<IMdsReader>::Create(CLSID_MdsReader, kReaderContext);
}

MdsReaderTable::MdsReaderTable(platform::ComPtr<IMdsReader> reader, Closing closing)
    : reader_(std::move(reader)), listing_(reader_.As<IMdsReader2>()), closing_(closing) {}

MdsReaderTable::~MdsReaderTable() {
  if (closing_ == Closing::OnDestruction && reader_) reader_->Close();
}

std::wstring MdsReaderTable::GetString(const std::wstring& section, const std::wstring& key) const {
  try {
    Bstr value;
    if (FAILED(reader_->GetString(Bstr(section).Get(), Bstr(key).Get(), value.Receive()))) return {};
    return value.Str();
  } catch (...) {
    return {};
  }
}

long MdsReaderTable::GetInt(const std::wstring& section, const std::wstring& key, long defaultValue) const {
  if (!listing_) return defaultValue;
  try {
    long value = defaultValue;
    if (FAILED(listing_->GetInt(Bstr(section).Get(), Bstr(key).Get(), defaultValue, &value)))
      return defaultValue;
    return value;
  } catch (...) {
    return defaultValue;
  }
}

long MdsReaderTable::GetSectionCount() const {
  long count = 0;
  if (!listing_ || FAILED(listing_->GetSectionCount(&count)) || count < 0) return 0;
  return count;
}

std::wstring MdsReaderTable::GetSectionName(long index) const {
  if (!listing_ || index < 0) return {};
  try {
    Bstr name;
    if (FAILED(listing_->GetSectionName(index, name.Receive()))) return {};
    return name.Str();
  } catch (...) {
    return {};
  }
}

long MdsReaderTable::GetKeyCount(const std::wstring& section) const {
  if (!listing_) return 0;
  try {
    long count = 0;
    if (FAILED(listing_->GetKeyCount(Bstr(section).Get(), &count)) || count < 0) return 0;
    return count;
  } catch (...) {
    return 0;
  }
}

std::wstring MdsReaderTable::GetKeyName(const std::wstring& section, long index) const {
  if (!listing_ || index < 0) return {};
  try {
    Bstr key;
    if (FAILED(listing_->GetKeyName(Bstr(section).Get(), index, key.Receive()))) return {};
    return key.Str();
  } catch (...) {
    return {};
  }
}

std::wstring MdsReaderTable::GetName() const {
  if (!listing_) return {};
  try {
    Bstr name;
    if (FAILED(listing_->GetName(name.Receive()))) return {};
    return name.Str();
  } catch (...) {
    return {};
  }
}

std::unique_ptr<LayoutTable> OpenLayoutTableFile(const std::wstring& fullPath) {
  try {
    auto reader = CreateMdsReader();
    size_t slash = fullPath.find_last_of(L"\\/");
    if (auto listing = reader.As<IMdsReader2>()) {
      std::wstring fileName = slash == std::wstring::npos ? fullPath : fullPath.substr(slash + 1);
      platform::ThrowIfFailed(listing->SetName(Bstr(fileName).Get()), L"SetName");
    }
    if (platform::ThrowIfFailed(reader->Load(Bstr(fullPath).Get(), 0), L"Load") != S_OK) {
      reader->Close();
      return nullptr;
    }
    return std::make_unique<MdsReaderTable>(std::move(reader), MdsReaderTable::Closing::OnDestruction);
  } catch (...) {
    return nullptr;
  }
}
