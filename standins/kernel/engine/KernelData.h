#pragma once
#include <map>
#include <memory>
#include <string>
#include <unordered_map>
#include <unordered_set>
#include <vector>

namespace kernelstandin {

// Language flags of the product: one bit per language.
enum LanguageFlag : long { kEnglish = 1, kRussian = 2, kGerman = 4 };

// Lower-case source word -> target word (empty: the word is dropped).
using WordList = std::unordered_map<std::wstring, std::wstring>;

struct TemplateInfo {
  std::wstring id;
  std::wstring name;
  WordList words;  // the template's own words first, then the general list
  // The template's own words in the direction's source language, lower
  // case, in list order without repeats: its keywords for the analyzer.
  std::vector<std::wstring> keywords;
};

struct DirectionInfo {
  long id = 0;  // (target flag << 16) | source flag
  std::wstring name;
  std::vector<TemplateInfo> templates;

  long Source() const { return id & 0xFFFF; }
  long Target() const { return (id >> 16) & 0xFFFF; }
};

// Everything the stand-in kernel knows, read from the text files of its
// data folder ("kernel-data" beside the stand-in's binaries).
class KernelData {
 public:
  // Reads the folder; throws std::runtime_error when a file is missing or bad.
  static std::shared_ptr<const KernelData> Load(const std::wstring& folder);
  // The data of the folder beside the module that holds this code, read once.
  static std::shared_ptr<const KernelData> Installed();
  // The folder "kernel-data" beside the module that holds this code.
  static std::wstring InstalledFolder();

  const std::vector<DirectionInfo>& Directions() const { return directions_; }
  const DirectionInfo* FindDirection(long id) const;
  const TemplateInfo* FindTemplate(long dirId, const std::wstring& templateId) const;
  // Words of a language column ("en", "ru", "de" by flag), for language detection.
  const std::unordered_set<std::wstring>& WordsOf(long language) const;
  // A value of services.txt, empty when absent.
  std::wstring Service(const std::wstring& name) const;

 private:
  std::vector<DirectionInfo> directions_;
  std::map<long, std::unordered_set<std::wstring>> languageWords_;
  std::map<std::wstring, std::wstring> services_;
};

}  // namespace kernelstandin
