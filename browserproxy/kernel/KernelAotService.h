#pragma once
#include <windows.h>

#include <string>
#include <vector>

#include "NorvaKernel.h"
#include "OMBREL.h"
#include "browserproxy/core/NorvaConnector.h"
#include "platform/com/ComPtr.h"

class KernelSession;

// The kernel connector's AOT service: the template analyzer that the
// kernel's analyzer source hands out ranks the templates of the active
// direction for a text, and lets the user choose among them. A kernel
// failure is reported through the session and answered as its HRESULT.
class CKernelAotService final : public INorvaAotService {
 public:
  explicit CKernelAotService(KernelSession& session) : session_(session) {}
  CKernelAotService(const CKernelAotService&) = delete;
  CKernelAotService& operator=(const CKernelAotService&) = delete;

  bool IsSecondKindAvailable() override;
  bool IsAvailable() override;
  HRESULT DetectTemplate(const std::wstring& text, std::wstring& templateId) override;
  HRESULT RankTemplates(const std::wstring& text, std::vector<RankedTemplate>& ranked, bool bestOnly) override;
  bool ListAdvice(const std::wstring& text, std::vector<std::wstring>& advice) override;
  HRESULT ChooseTemplate(const std::wstring& text, std::wstring& templateId) override;

 private:
  bool IsKindAvailable(long kind);
  // The template analyzer prepared for the direction, or empty (reported).
  platform::ComPtr<INorva5TemplateAnalyzer> GetAnalyzer(long directionId);
  HRESULT RankWith(INorva5TemplateAnalyzer* analyzer, const std::wstring& text, std::vector<RankedTemplate>& ranked,
                   bool bestOnly);
  // The templates of a direction (by id) or of the analyzer's direction, and
  // their number: the most entries a walk through the analyzer's ranked list
  // or advice may take.
  platform::ComPtr<INrvaTemplateList> TemplatesOfDirection(long directionId);
  platform::ComPtr<INrvaTemplateList> TemplatesOf(INorva5TemplateAnalyzer* analyzer);
  static size_t CountOf(INrvaTemplateList* templates);

  KernelSession& session_;
  platform::ComPtr<INrvaAnalyzerSource> analyzerSource_;
};
