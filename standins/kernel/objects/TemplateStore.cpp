#include "TemplateStore.h"

#include <map>
#include <mutex>
#include <tuple>

namespace kernelstandin {
namespace {

using Key = std::tuple<long, std::wstring, std::wstring>;

std::mutex& Lock() {
  static std::mutex mutex;
  return mutex;
}

std::map<Key, std::vector<BYTE>>& Store() {
  static std::map<Key, std::vector<BYTE>> store;
  return store;
}

}  // namespace

std::optional<std::vector<BYTE>> TemplateStore::Get(long dirId, const std::wstring& templateId,
                                                    const std::wstring& name) {
  std::lock_guard<std::mutex> guard(Lock());
  auto found = Store().find(Key(dirId, templateId, name));
  if (found == Store().end()) return std::nullopt;
  return found->second;
}

void TemplateStore::Put(long dirId, const std::wstring& templateId, const std::wstring& name,
                        std::optional<std::vector<BYTE>> bytes) {
  std::lock_guard<std::mutex> guard(Lock());
  if (bytes)
    Store()[Key(dirId, templateId, name)] = std::move(*bytes);
  else
    Store().erase(Key(dirId, templateId, name));
}

}  // namespace kernelstandin
