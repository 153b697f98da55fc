#include "KernelData.h"

#include <windows.h>

#include <algorithm>
#include <mutex>
#include <stdexcept>

#include "TextUtil.h"
#include "platform/base/ModulePath.h"

namespace kernelstandin {
namespace {

// Column of a language in the word lists: English|Russian|German.
int ColumnOf(long language) {
  switch (language) {
    case kEnglish: return 0;
    case kRussian: return 1;
    case kGerman: return 2;
    default: throw std::runtime_error("kernel data: unknown language");
  }
}

using Rows = std::vector<std::vector<std::wstring>>;

Rows ReadWordRows(const std::wstring& path) {
  Rows rows;
  for (const std::wstring& line : ReadDataLines(path)) {
    std::vector<std::wstring> fields = SplitFields(line, L'|');
    if (fields.size() != 3) throw std::runtime_error("kernel data: bad word line");
    rows.push_back(std::move(fields));
  }
  return rows;
}

void AddWords(WordList& words, const Rows& rows, int from, int to) {
  for (const auto& row : rows) {
    if (row[from].empty()) continue;
    words.emplace(ToLower(row[from]), row[to]);  // the first line of a word wins
  }
}

void AddKeywords(std::vector<std::wstring>& keywords, const Rows& rows, int column) {
  for (const auto& row : rows) {
    if (row[column].empty()) continue;
    std::wstring word = ToLower(row[column]);
    if (std::find(keywords.begin(), keywords.end(), word) == keywords.end()) keywords.push_back(std::move(word));
  }
}


}  // namespace

std::wstring KernelData::InstalledFolder() {
  return platform::ModuleFolder(platform::CurrentModule()) + L"kernel-data\\";
}

std::shared_ptr<const KernelData> KernelData::Installed() {
  static std::once_flag once;
  static std::shared_ptr<const KernelData> data;
  static std::exception_ptr failure;
  std::call_once(once, [] {
    try {
      data = Load(InstalledFolder());
    } catch (...) {
      failure = std::current_exception();
    }
  });
  if (failure) std::rethrow_exception(failure);
  return data;
}

std::shared_ptr<const KernelData> KernelData::Load(const std::wstring& folderIn) {
  std::wstring folder = folderIn;
  if (!folder.empty() && folder.back() != L'\\' && folder.back() != L'/') folder += L'\\';
  auto data = std::make_shared<KernelData>();
  Rows general = ReadWordRows(folder + L"lexicon.txt");
  for (long language : {kEnglish, kRussian, kGerman}) {
    auto& set = data->languageWords_[language];
    for (const auto& row : general)
      if (!row[ColumnOf(language)].empty()) set.insert(ToLower(row[ColumnOf(language)]));
  }
  for (const std::wstring& line : ReadDataLines(folder + L"directions.txt")) {
    std::vector<std::wstring> fields = SplitFields(line, L'|');
    if (fields.size() != 2) throw std::runtime_error("kernel data: bad direction line");
    DirectionInfo direction;
    direction.id = static_cast<long>(std::stoul(fields[0], nullptr, 16));
    direction.name = fields[1];
    ColumnOf(direction.Source());
    ColumnOf(direction.Target());
    data->directions_.push_back(std::move(direction));
  }
  std::map<std::wstring, Rows> templateRows;
  for (const std::wstring& line : ReadDataLines(folder + L"templates.txt")) {
    std::vector<std::wstring> fields = SplitFields(line, L'|');
    if (fields.size() != 4) throw std::runtime_error("kernel data: bad template line");
    long dirId = static_cast<long>(std::stoul(fields[0], nullptr, 16));
    DirectionInfo* direction = nullptr;
    for (auto& d : data->directions_)
      if (d.id == dirId) direction = &d;
    if (!direction) throw std::runtime_error("kernel data: template of an unknown direction");
    TemplateInfo info;
    info.id = fields[1];
    info.name = fields[2];
    int from = ColumnOf(direction->Source()), to = ColumnOf(direction->Target());
    if (!fields[3].empty()) {
      auto found = templateRows.find(fields[3]);
      if (found == templateRows.end())
        found = templateRows.emplace(fields[3], ReadWordRows(folder + fields[3])).first;
      AddWords(info.words, found->second, from, to);
      AddKeywords(info.keywords, found->second, from);
    }
    AddWords(info.words, general, from, to);
    direction->templates.push_back(std::move(info));
  }
  for (const auto& d : data->directions_)
    if (d.templates.empty()) throw std::runtime_error("kernel data: a direction without templates");
  for (const std::wstring& line : ReadDataLines(folder + L"services.txt")) {
    size_t eq = line.find(L'=');
    if (eq != std::wstring::npos) data->services_[line.substr(0, eq)] = line.substr(eq + 1);
  }
  return data;
}

const DirectionInfo* KernelData::FindDirection(long id) const {
  for (const auto& d : directions_)
    if (d.id == id) return &d;
  return nullptr;
}

const TemplateInfo* KernelData::FindTemplate(long dirId, const std::wstring& templateId) const {
  const DirectionInfo* direction = FindDirection(dirId);
  if (!direction) return nullptr;
  for (const auto& t : direction->templates)
    if (t.id == templateId) return &t;
  return nullptr;
}

const std::unordered_set<std::wstring>& KernelData::WordsOf(long language) const {
  static const std::unordered_set<std::wstring> none;
  auto found = languageWords_.find(language);
  return found == languageWords_.end() ? none : found->second;
}

std::wstring KernelData::Service(const std::wstring& name) const {
  auto found = services_.find(name);
  return found == services_.end() ? std::wstring() : found->second;
}

}  // namespace kernelstandin
