#pragma once
#include "browserproxy/ui/DialogsResources.h"
#include "browserproxy/ui/settings/ContainerPage.h"

// The page of immediate translation: whether the word popup is used, the
// key it waits for, its delay and the largest selection that is translated.
class CTranslateWordPopup : public CContainerPageBaseImpl<CTranslateWordPopup, IDS_PAGE_TITLE_WORDPOPUP> {
 public:
  static constexpr UINT IDD = IDD_PAGE_WORDPOPUP;

  explicit CTranslateWordPopup(INorvaBrowserClass* settings);

  bool Apply() override;
  BOOL Destroy() override;

 private:
  void Fill();
  void EnableControls(bool on);
  void OnUseClicked();
  void OnScroll();

  INorvaBrowserClass* settings_;  // borrowed from the frame
  int delay_ = 500;
  int textAmount_ = 0;
};
