#pragma once
#include <windows.h>

#include <string>

#include "TessivaLib.h"
#include "platform/com/ComError.h"
#include "platform/win/Dialog.h"
#include "platform/win/ResourceInstance.h"

// The message a page sends its frame when its state of change moves: wParam
// non-zero when the page has something to apply.
inline constexpr UINT WM_PAGE_MODIFIED = 0x1400;

// What the settings frame knows of an option page.
struct IContainerPage {
  virtual ~IContainerPage() = default;
  // Creates the page window as a child of parent; true when a window was made.
  virtual bool Create(HWND parent) = 0;
  // Drops what the page holds of the settings interface and destroys the window.
  virtual BOOL Destroy() = 0;
  virtual BOOL Show(int command) = 0;
  // Writes the page's values through the settings interface; raises ComError.
  virtual bool Apply() = 0;
  virtual std::wstring GetTitle() = 0;
  // Tells the frame that the page has (or no longer has) changes.
  virtual bool SetModified(bool flag) = 0;
};

// The common half of every option page: a modeless child dialog over the
// page's template (Page::IDD) titled by string TitleId. Errors that a
// handler raises never cross the dialog procedure: they are reported to the
// user over the frame; an error raised while the page fills itself is kept
// and raised again by Create, so that the frame leaves the page out.
template <class Page, UINT TitleId>
class CContainerPageBaseImpl : public IContainerPage, public platform::Dialog {
 public:
  CContainerPageBaseImpl() : Dialog(Page::IDD) {}

  bool Create(HWND parent) override {
    initError_ = S_OK;
    HWND window = Dialog::Create(parent, 0);
    if (FAILED(initError_)) {
      HRESULT hr = initError_;
      if (window) Dialog::Destroy();
      throw platform::ComError(hr, L"Filling an option page");
    }
    return window != nullptr;
  }
  BOOL Show(int command) override { return hwnd_ ? ShowWindow(hwnd_, command) : FALSE; }
  std::wstring GetTitle() override { return platform::LoadResourceString(TitleId); }
  bool SetModified(bool flag) override {
    // The frame is the page's top-level ancestor, never some other program's window.
    HWND frame = hwnd_ ? GetAncestor(hwnd_, GA_ROOT) : nullptr;
    if (frame && frame != hwnd_) SendMessageW(frame, WM_PAGE_MODIFIED, flag ? 1 : 0, 0);
    return true;
  }

 protected:
  LRESULT OnHandlerException(const platform::Message& message) override {
    HRESULT hr = CurrentError();
    if (message.id == WM_INITDIALOG) {
      initError_ = hr;
      return TRUE;
    }
    ReportPageError(hr);
    return 0;
  }
  // Shows the failure of a command of this page over the frame.
  void ReportPageError(HRESULT hr);

 private:
  // The HRESULT of the exception being handled.
  static HRESULT CurrentError() {
    try {
      throw;
    } catch (const platform::ComError& e) {
      return e.Result();
    } catch (const std::bad_alloc&) {
      return E_OUTOFMEMORY;
    } catch (...) {
      return E_UNEXPECTED;
    }
  }

  HRESULT initError_ = S_OK;
};

// Message box over the frame that names the page and the failure.
void ReportSettingsPageError(HWND page, const std::wstring& title, HRESULT hr, UINT formatId);

template <class Page, UINT TitleId>
void CContainerPageBaseImpl<Page, TitleId>::ReportPageError(HRESULT hr) {
  ReportSettingsPageError(hwnd_, GetTitle(), hr, 0);
}
