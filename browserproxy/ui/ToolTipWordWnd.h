#pragma once
#include <windows.h>

#include <string>
#include <vector>

#include "browserproxy/dictionary/EntryDsc.h"
#include "browserproxy/ui/MainList.h"
#include "browserproxy/ui/PopupLook.h"
#include "browserproxy/ui/Translations.h"
#include "platform/base/Handles.h"
#include "platform/com/ComPtr.h"
#include "platform/win/Window.h"

// The word popup: a topmost tool window that shows the dictionary entry of
// the word under the pointer beside the word, after a delay. It hides on a
// click, an empty word, its auto-hide timer and a change of the foreground
// window. Apartment thread only.
class CToolTipWordWnd : public platform::Window {
 public:
  static constexpr UINT_PTR kShowTimer = 55225;
  static constexpr UINT_PTR kHideTimer = 55226;
  static constexpr UINT_PTR kForegroundTimer = 55227;
  static constexpr UINT kHideAfterMs = 10000;
  static constexpr UINT kForegroundPollMs = 1000;
  // A show without delay comes from the queue, not from a timer: the
  // system makes a timer wait at least 10 ms. wParam: the show's number.
  static constexpr UINT kShowNowMessage = WM_APP + 0x225;
  // Entry-list options of the popup: label lines, word list, 0x200.
  static constexpr int kListOptions = 0x20A;

  CToolTipWordWnd();
  ~CToolTipWordWnd() override;

  // Creates the hidden window and keeps the directions object; null on failure.
  HWND Create(IUnknown* directions, const RECT& rect);
  // Starts the popup for the word (an empty word hides it); see the class comment.
  void ShowWord(const std::wstring& word, LONG point, const VARIANT& rect, long direction, UINT delay, HWND owner);
  // Kills the show and auto-hide timers.
  void CancelPending();
  // Lets the directions object go, kills the timers, destroys the window.
  void ReleaseWordSource();
  // As ReleaseWordSource.
  void Destroy() { ReleaseWordSource(); }
  IUnknown* Directions() const { return directions_.Get(); }

  CMainList& List() { return list_; }
  const RECT& WordRect() const { return wordRect_; }
  const std::wstring& LastWord() const { return lastWord_; }
  bool IsReady() const { return ready_ != 0; }
  HWND OwnerWindow() const { return owner_; }

 protected:
  ClassInfo WindowClass() const override;

 private:
  bool InitOnFirstUse();
  bool EnsureList();
  void FillList();
  void OnShowTimer();
  // Moves, sizes and shows the popup in one step.
  void ShowAt(const RECT& place);
  // Shows after `delay` ms (from the queue when 0); CancelShow forgets it.
  void ScheduleShow(UINT delay);
  void CancelShow();
  void HideAndForget();
  void Hide();
  LRESULT OnPaint(platform::Message& message);
  LRESULT OnTimer(platform::Message& message);
  LRESULT OnShowNow(platform::Message& message);
  LRESULT OnButtonDown(platform::Message& message);

  POINT request_{};
  WPARAM pendingShow_ = 0;  // the number of the queued show, 0 for none
  WPARAM lastShow_ = 0;
  RECT wordRect_{};
  SIZE shownSize_{};  // the size the popup, its list and its region last had
  platform::ComPtr<IUnknown> directions_;
  platform::ComPtr<IUnknown> wordObject_;
  std::wstring lastWord_;
  CTranslations translations_;
  CMainList list_;
  std::vector<CEntryDsc> entries_;
  std::vector<CEntryDsc> filtered_;
  int captionFlag_ = 1;
  std::wstring filter_;
  HWND owner_ = nullptr;
  BOOL ready_ = FALSE;
  PopupLook look_;
  platform::UniqueFont captionFont_;
  platform::UniqueBitmap footerImage_;
};
