#pragma once
#include <windows.h>

#include <map>
#include <string>
#include <vector>

#include "analyzer/KernelObjects.h"
#include "platform/com/ComPtr.h"

namespace ombrel {

// The inflected forms of keywords, found through the kernel's morphology and
// grouped by part of speech, with the user's choice of the forms that count.
class CAotForms {
 public:
  // Part of speech that asks for every part the kernel knows.
  static constexpr int kAllPartsOfSpeech = 0x7FFF;
  using Groups = std::map<int, std::vector<std::wstring>>;  // code -> forms
  using Table = std::map<std::wstring, Groups>;             // keyword -> groups

  CAotForms() = default;
  virtual ~CAotForms() = default;
  CAotForms(const CAotForms&) = delete;
  CAotForms& operator=(const CAotForms&) = delete;

  HRESULT Init(IUnknown* templateManager);
  HRESULT SetSource(IUnknown* source);
  bool IsReady() const { return language_ != 0 && templateManager_ && morphology_; }
  void Release();
  long Language() const { return language_; }

  // 1 when forms were found (and all kept when selectAll), else 0.
  int FindForms(const std::wstring& word, int partOfSpeech, bool selectAll);
  void Clear();

  int GetAllForms();
  std::wstring GetFlatForm(int i) const;
  int GetKeywordCount() const { return static_cast<int>(found_.size()); }
  std::wstring GetKeyword(int i) const;
  int GetGroupCount(const std::wstring& keyword) const;
  int GetGroupCode(const std::wstring& keyword, int i) const;
  std::wstring GetGroupCaption(const std::wstring& keyword, int i) const;
  int GetFormCount(const std::wstring& keyword, int code) const;
  std::wstring GetForm(const std::wstring& keyword, int code, int i) const;
  bool IsFormKept(const std::wstring& keyword, int code, const std::wstring& form) const;
  bool IsFormFound(const std::wstring& keyword, int code, const std::wstring& form) const;
  void KeepForm(const std::wstring& form);
  void DropForm(const std::wstring& form);
  void SelectAllForms() { kept_ = found_; }

  static std::wstring CaptionOf(int code);

 private:
  platform::ComPtr<KernelTemplateManager> templateManager_;
  platform::ComPtr<KernelMorphology> morphology_;
  long language_ = 0;
  std::vector<std::wstring> flat_;
  Table found_;
  Table kept_;
};

}  // namespace ombrel
