#pragma once
// The hidden window the browser hook library posts its messages to. It
// turns them into popup requests (TranslateTextDlg) on the browser object:
// the word under the pointer through the browser's accessible text, the
// selection through the extension script, or hiding the popups.
#include <windows.h>

#include <string>
#include <vector>

#include "TessivaLib.h"
#include "firefox/SelectionGetter.h"
#include "firefox/WordBoxes.h"
#include "platform/com/ComPtr.h"
#include "platform/com/Variant.h"
#include "platform/win/Window.h"

// The registered hook messages, registered when the library loads.
struct HookMessages {
  UINT mouseMove;
  UINT lButtonDownAndMove;
  UINT lButtonUp;
  UINT hideAll;
  UINT contextMenu;
  UINT hotKey;
};
const HookMessages& TheHookMessages();

class CHookHandlerWnd : public platform::Window {
 public:
  CHookHandlerWnd();
  ~CHookHandlerWnd() override;

  // Creates the hidden window; null on failure.
  HWND Create();
  // Keeps the first proxy it gets (with a reference); null is ignored.
  void SetProxy(INorvaBrowserClass* proxy);
  void SetSelectionGetter(ISelectionGetter* getter) { selection_ = getter; }

 protected:
  ClassInfo WindowClass() const override;

 private:
  LRESULT OnMouseMove(const platform::Message& message);
  LRESULT OnLButtonDownAndMove(const platform::Message& message);
  LRESULT OnLButtonUp(const platform::Message& message);
  LRESULT OnHideAll(const platform::Message& message);
  LRESULT OnContextMenu(const platform::Message& message);
  LRESULT OnHotKey(const platform::Message& message);

  // One TranslateTextDlg request; its HRESULT (COM failures are answered, not raised).
  HRESULT Request(const std::wstring& text, LONG point, const VARIANT& rect, int kind, HWND parent);
  HRESULT HidePopup(int kind) { return Request(L"", 0, Missing(), kind, nullptr); }
  static const VARIANT& Missing();
  platform::Variant Setting(const wchar_t* name);
  static bool IsBrowserWindow(HWND window);
  static bool InClientArea(HWND window, POINT point);
  bool SamePointAsLast(POINT point);
  bool WordUnder(POINT point, std::wstring& word, const WordBox*& box);

  LONG lastX_ = LONG_MIN;
  LONG lastY_ = LONG_MIN;
  std::wstring lastWord_;
  CRITICAL_SECTION lock_;
  std::wstring nodeText_;
  std::vector<WordBox> words_;
  platform::ComPtr<INorvaBrowserClass> proxy_;
  ISelectionGetter* selection_ = nullptr;
  bool selecting_ = false;
  std::wstring lastSelection_;
  platform::Variant wordRect_;
};
