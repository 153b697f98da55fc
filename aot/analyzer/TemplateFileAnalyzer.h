#pragma once
#include <windows.h>
#include <oaidl.h>

#include <string>
#include <string_view>
#include <vector>

#include "analyzer/KernelObjects.h"
#include "platform/com/ComPtr.h"

namespace ombrel {

// What every method answers while a kernel object is missing.
inline constexpr HRESULT kNotReady = static_cast<HRESULT>(0x800F0000L);

// One template of a ranking.
struct RankedTemplate {
  std::wstring name;
  std::wstring report;  // the keyword analyser's report
  unsigned short weight = 0;
};

// The template analyzer's state and work behind its COM interface: the
// kernel's template manager, document and keyword analyser, the client and
// direction it was prepared for, the best and the default template, and the
// keyword lists handed to the analyser once per direction. Methods raise
// ComError; the COM class catches at its boundary.
class CTemplateFileAnalyzer {
 public:
  CTemplateFileAnalyzer() = default;
  virtual ~CTemplateFileAnalyzer() = default;
  CTemplateFileAnalyzer(const CTemplateFileAnalyzer&) = delete;
  CTemplateFileAnalyzer& operator=(const CTemplateFileAnalyzer&) = delete;

  // 0 (S_OK) when a ranking was made; S_FALSE when no template matched.
  // The text is handed to the kernel as it stands (null is the empty text).
  virtual HRESULT AnalyzeText(BSTR text) = 0;
  void ResetKeywords();
  virtual HRESULT LoadKeywords() { return S_OK; }
  HRESULT Initialize(std::wstring_view client, const VARIANT& varDir);
  HRESULT Initialize2(std::wstring_view client, IUnknown* logon, const VARIANT& varDir);
  HRESULT Analyze(BSTR source, IUnknown* document);
  HRESULT AnalyzeFile(const std::wstring& path, IUnknown* document);
  long DirID() const { return dirId_; }
  void SetDirID(long dirId);
  const std::wstring& Template() const { return template_; }
  virtual unsigned RecommendedTextLength() const { return 0; }
  const std::wstring& DefaultTemplate() const { return defaultTemplate_; }
  void SetDefaultTemplate(std::wstring_view name);

  HRESULT EnsureKeywords();
  void InvalidateKeywords();

 protected:
  // The document of Initialize, else the logon's, else none.
  platform::ComPtr<KernelDocument> SetupDocument() const;
  void SetTemplate(std::wstring name) { template_ = std::move(name); }

  platform::ComPtr<KernelTemplateManager> templateManager_;
  platform::ComPtr<KernelDocument> document_;
  platform::ComPtr<KernelKeywordAnalyzer> keywordAnalyzer_;
  bool keywordsStale_ = true;
  std::wstring client_;
  long dirId_ = 0;
  std::wstring template_;
  std::wstring defaultTemplate_;
  platform::ComPtr<KernelLogon> logon_;

 private:
  HRESULT CreateMissingObjects(bool createManager);
};

}  // namespace ombrel
