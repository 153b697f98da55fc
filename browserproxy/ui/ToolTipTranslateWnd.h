#pragma once
#include <windows.h>

#include <string>

#include "browserproxy/ui/PopupLook.h"
#include "browserproxy/ui/VQDMainList.h"
#include "platform/base/Handles.h"
#include "platform/win/Window.h"

// The selection popup: shows the translation of a selection beside it, with
// a close button, a "Copy" menu and the copy keys. In list mode it shows the
// translation server's dictionary answer through CVQDMainList, after a delay
// and with auto-hide; the browser object uses the plain mode. Apartment
// thread only.
class CToolTipTranslateWnd : public platform::Window {
 public:
  static constexpr UINT_PTR kShowTimer = 55225;
  static constexpr UINT_PTR kHideTimer = 55226;
  static constexpr UINT_PTR kForegroundTimer = 55227;
  static constexpr UINT kCopyCommand = 0x8002;
  static constexpr UINT kMenuResource = 232;

  explicit CToolTipTranslateWnd(bool listMode = false);
  ~CToolTipTranslateWnd() override;

  // Creates the window, its menu, fonts and list; null (nothing left) on failure.
  HWND Create(HWND parent, const RECT* rect, const wchar_t* title, DWORD style, DWORD exStyle = 0,
              UINT_PTR menuOrId = 0);
  void ShowTranslation(const std::wstring& text, LONG point, const VARIANT& rect, UINT delay, HWND owner,
                       int listData);
  // Puts the text on the clipboard as CF_UNICODETEXT; false when it could not.
  bool CopyText();
  void Destroy();

  const std::wstring& Text() const { return text_; }
  int CloseState() const { return closeState_; }
  RECT CloseBox() const;
  CVQDMainList& List() { return list_; }
  HMENU ContextMenu() const { return contextMenu_; }

 protected:
  ClassInfo WindowClass() const override;

 private:
  void LayOutText();
  int MeasureText(int right) const;
  void HideAndCloseMenu();
  void RedrawCloseBox();
  bool InCloseBox(POINT client) const;
  LRESULT OnPaint(platform::Message& message);
  LRESULT OnTimer(platform::Message& message);
  LRESULT OnKeyDown(platform::Message& message);
  LRESULT OnRButtonDown(platform::Message& message);
  LRESULT OnLButtonDown(platform::Message& message);
  LRESULT OnLButtonUp(platform::Message& message);
  LRESULT OnMouseMove(platform::Message& message);

  std::wstring text_;
  POINT placement_{};
  RECT wordRect_{};
  int width_ = 300;
  int height_ = 0;
  int textHeight_ = 0;
  HMENU contextMenu_ = nullptr;
  platform::UniqueMenu menu_;
  platform::UniqueFont textFont_;
  platform::UniqueFont captionFont_;
  bool listMode_ = false;
  HWND owner_ = nullptr;
  PopupLook look_;
  platform::UniqueBitmap closeImages_[3];
  platform::UniqueBitmap footerImage_;
  bool pressed_ = false;
  int minimumListWidth_ = 50;
  int closeState_ = 0;
  CVQDMainList list_;
};
