#include "TemplateStore.h"

#include <cstdio>
#include <mutex>

#include "KernelData.h"
#include "Switches.h"
#include "platform/base/Handles.h"
#include "platform/com/ComError.h"

namespace kernelstandin {
namespace {

constexpr wchar_t kStoreKey[] = L"Software\\NorvaStandIns\\Kernel\\Dictionaries";

std::mutex& Lock() {
  static std::mutex mutex;
  return mutex;
}

std::wstring TemplateKey(long dirId, const std::wstring& templateId) {
  wchar_t direction[16];
  swprintf(direction, 16, L"%08lX", static_cast<unsigned long>(dirId));
  return std::wstring(kStoreKey) + L"\\" + direction + L"\\" + templateId;
}

// The keyword list a template starts with: its own words, CR LF between.
std::vector<BYTE> DefaultKeywords(long dirId, const std::wstring& templateId) {
  const TemplateInfo* info = KernelData::Installed()->FindTemplate(dirId, templateId);
  std::wstring text;
  if (info)
    for (const std::wstring& word : info->keywords) text += (text.empty() ? L"" : L"\r\n") + word;
  const BYTE* begin = reinterpret_cast<const BYTE*>(text.data());
  return std::vector<BYTE>(begin, begin + text.size() * sizeof(wchar_t));
}

}  // namespace

std::optional<std::vector<BYTE>> TemplateStore::Get(long dirId, const std::wstring& templateId,
                                                    const std::wstring& name) {
  std::lock_guard<std::mutex> guard(Lock());
  platform::UniqueRegistryKey key;
  if (RegOpenKeyExW(HKEY_CURRENT_USER, TemplateKey(dirId, templateId).c_str(), 0, KEY_READ, key.Receive()) !=
      ERROR_SUCCESS) {
    if (name == L"SDBWORDS2" && Switches::Number(L"SeedKeywordLists")) return DefaultKeywords(dirId, templateId);
    return std::nullopt;
  }
  DWORD size = 0, type = 0;
  std::optional<std::vector<BYTE>> bytes;
  if (RegQueryValueExW(key.Get(), name.c_str(), nullptr, &type, nullptr, &size) == ERROR_SUCCESS &&
      type == REG_BINARY) {
    std::vector<BYTE> data(size);
    if (RegQueryValueExW(key.Get(), name.c_str(), nullptr, nullptr, data.data(), &size) == ERROR_SUCCESS) {
      data.resize(size);
      bytes = std::move(data);
    }
  }
  return bytes;
}

void TemplateStore::Put(long dirId, const std::wstring& templateId, const std::wstring& name,
                        std::optional<std::vector<BYTE>> bytes) {
  std::lock_guard<std::mutex> guard(Lock());
  const std::wstring path = TemplateKey(dirId, templateId);
  platform::UniqueRegistryKey key;
  bool existed = RegOpenKeyExW(HKEY_CURRENT_USER, path.c_str(), 0, KEY_READ, key.Receive()) == ERROR_SUCCESS;
  LSTATUS status = RegCreateKeyExW(HKEY_CURRENT_USER, path.c_str(), 0, nullptr, 0, KEY_READ | KEY_WRITE, nullptr,
                                   key.Receive(), nullptr);
  if (status != ERROR_SUCCESS) throw platform::ComError(HRESULT_FROM_WIN32(status), L"storing a dictionary");
  if (!existed && name != L"SDBWORDS2" && Switches::Number(L"SeedKeywordLists")) {
    // The first write of another dictionary keeps the list the template started with.
    std::vector<BYTE> start = DefaultKeywords(dirId, templateId);
    RegSetValueExW(key.Get(), L"SDBWORDS2", 0, REG_BINARY, start.data(), static_cast<DWORD>(start.size()));
  }
  if (bytes)
    status = RegSetValueExW(key.Get(), name.c_str(), 0, REG_BINARY, bytes->data(),
                            static_cast<DWORD>(bytes->size()));
  else
    status = RegDeleteValueW(key.Get(), name.c_str());
  key.Reset();
  if (status != ERROR_SUCCESS && status != ERROR_FILE_NOT_FOUND)
    throw platform::ComError(HRESULT_FROM_WIN32(status), L"storing a dictionary");
}

}  // namespace kernelstandin
