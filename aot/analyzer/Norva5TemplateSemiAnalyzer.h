#pragma once
#include <windows.h>

#include <span>
#include <string>
#include <vector>

#include "OMBREL.h"
#include "analyzer/TemplateFileAnalyzer.h"
#include "platform/com/ComObject.h"
#include "platform/com/Dispatch.h"
#include "platform/com/TypeLibrary.h"

namespace ombrel {

// OMBRELLib, embedded in the module as TYPELIB 1.
extern platform::TypeLibrary kOmbrelLib;

// The COM class Norva5TemplateSemiAnalyzer: the template analyzer with its
// ranked list (names, keyword reports and weights, best first), reached
// through INorva5TemplateAnalyzer (dual) and its three extensions.
class CNorva5TemplateSemiAnalyzer
    : public CTemplateFileAnalyzer,
      public platform::Dispatch<INorva10TemplateAnalyzer, kOmbrelLib, INorva5TemplateAnalyzer> {
 public:
  static std::span<const platform::InterfaceEntry> Interfaces();

  HRESULT AnalyzeText(BSTR text) override;
  HRESULT LoadKeywords() override;
  unsigned RecommendedTextLength() const override { return 1024; }
  const std::vector<RankedTemplate>& Ranked() const { return ranked_; }

  // INorva5TemplateAnalyzer
  HRESULT STDMETHODCALLTYPE get_DirID(LONG* pVal) override;
  HRESULT STDMETHODCALLTYPE put_DirID(LONG newVal) override;
  HRESULT STDMETHODCALLTYPE get_Template(BSTR* pVal) override;
  HRESULT STDMETHODCALLTYPE get_RecommendedTextLength(UINT* pVal) override;
  HRESULT STDMETHODCALLTYPE Initialize(BSTR Client, VARIANT varDir) override;
  HRESULT STDMETHODCALLTYPE Analyze(BSTR Source, IUnknown* pDoc) override;
  HRESULT STDMETHODCALLTYPE AnalyzeFile(BSTR Source, IUnknown* pDoc) override;
  HRESULT STDMETHODCALLTYPE DlgSetup() override;
  HRESULT STDMETHODCALLTYPE AdjustDocument(BSTR Source, IUnknown* pDoc) override;
  HRESULT STDMETHODCALLTYPE get_DefaultTemplate(BSTR* pVal) override;
  HRESULT STDMETHODCALLTYPE put_DefaultTemplate(BSTR newVal) override;
  HRESULT STDMETHODCALLTYPE get_NextTemplate(BSTR CurrVal, BSTR* pVal) override;
  HRESULT STDMETHODCALLTYPE get_BestAdvice(LONG* p_bDict, BSTR* pVal) override;
  HRESULT STDMETHODCALLTYPE get_NextAdvice(LONG bCurrDict, BSTR CurrVal, LONG* p_bDict, BSTR* pVal) override;
  HRESULT STDMETHODCALLTYPE Initialize2(BSTR Client, IUnknown* pLogon, VARIANT varDir) override;
  HRESULT STDMETHODCALLTYPE DlgSetup2(LONG lWnd) override;
  HRESULT STDMETHODCALLTYPE AutoSetup(BSTR Words) override;
  // INorva8TemplateAnalyzer
  HRESULT STDMETHODCALLTYPE GetTemplateKeywords(BSTR name, BSTR* report) override;
  // INorva9TemplateAnalyzer
  HRESULT STDMETHODCALLTYPE GetTemplateWeight(BSTR name, USHORT* weight) override;
  // INorva10TemplateAnalyzer
  HRESULT STDMETHODCALLTYPE DlgSelectTemplate(BSTR Source, HRESULT* phr, BSTR* pTemplate) override;

 private:
  const RankedTemplate* Find(std::wstring_view name) const;
  HRESULT RunSetup(HWND parent);

  std::vector<RankedTemplate> ranked_;
};

platform::ComPtr<IUnknown> NewTemplateSemiAnalyzer();

}  // namespace ombrel
