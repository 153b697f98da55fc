#pragma once
#include <string>

#include "browserproxy/ui/DialogsResources.h"
#include "browserproxy/ui/settings/ContainerPage.h"

// The page on which the user picks the active direction and its template;
// it sets them through the browser object's accessors, not as settings.
class CTranslateDirectionPage : public CContainerPageBaseImpl<CTranslateDirectionPage, IDS_PAGE_TITLE_DIRECTION> {
 public:
  static constexpr UINT IDD = IDD_PAGE_DIRECTION;

  explicit CTranslateDirectionPage(INorvaBrowserClass* settings);

  bool Apply() override;
  BOOL Destroy() override;

 private:
  void Fill();
  void FillTemplates(unsigned long direction, const std::wstring& wanted);
  void OnDirectionChanged();

  INorvaBrowserClass* settings_;  // borrowed from the frame
  int shownDirection_ = 0;
  std::wstring activeTemplate_;
};
