#include "browserproxy/ui/ToolTipTranslateWnd.h"

#include <algorithm>
#include <cstring>

#include "browserproxy/ui/WordRect.h"
#include "platform/base/DeviceContext.h"
#include "platform/base/SelectedObject.h"
#include "platform/win/ResourceInstance.h"

namespace {

constexpr UINT kMeasureWrapped = DT_CALCRECT | DT_WORDBREAK | DT_INTERNAL | DT_NOPREFIX;
constexpr UINT kDrawWrapped = DT_WORDBREAK | DT_INTERNAL | DT_NOPREFIX;
constexpr UINT kDrawOneLine = DT_CENTER | DT_VCENTER | DT_SINGLELINE | DT_INTERNAL | DT_END_ELLIPSIS | DT_NOPREFIX;
constexpr UINT kPlacement = SWP_NOZORDER | SWP_NOACTIVATE | SWP_NOOWNERZORDER;
constexpr int kCloseSize = 10;

platform::UniqueFont TextFont() {
  LOGFONTW description{};
  description.lfHeight = -12;
  description.lfWeight = FW_NORMAL;
  description.lfCharSet = DEFAULT_CHARSET;
  wcscpy_s(description.lfFaceName, L"MS Shell Dlg");
  return platform::UniqueFont(CreateFontIndirectW(&description));
}

}  // namespace

CToolTipTranslateWnd::CToolTipTranslateWnd(bool listMode)
    : listMode_(listMode),
      closeImages_{LoadPopupBitmap(popupbitmaps::kCloseNormal), LoadPopupBitmap(popupbitmaps::kCloseHot),
                   LoadPopupBitmap(popupbitmaps::kClosePressed)},
      footerImage_(LoadPopupBitmap(popupbitmaps::kFooter)) {
  Messages()
      .On(WM_KEYDOWN, [this](platform::Message& m) { return OnKeyDown(m); })
      .On(WM_PAINT, [this](platform::Message& m) { return OnPaint(m); })
      .On(WM_TIMER, [this](platform::Message& m) { return OnTimer(m); })
      .On(WM_RBUTTONDOWN, [this](platform::Message& m) { return OnRButtonDown(m); })
      .On(WM_LBUTTONDOWN, [this](platform::Message& m) { return OnLButtonDown(m); })
      .On(WM_LBUTTONUP, [this](platform::Message& m) { return OnLButtonUp(m); })
      .On(WM_MOUSEMOVE, [this](platform::Message& m) { return OnMouseMove(m); })
      .On(WM_CTLCOLORLISTBOX, [](platform::Message&) { return reinterpret_cast<LRESULT>(GetStockObject(NULL_BRUSH)); })
      .OnCommand(kCopyCommand, [this](platform::Message&) -> LRESULT {
        CopyText();
        return 0;
      })
      .Chain([this](platform::Message& m, LRESULT& result) { return list_.HandleOwnerDraw(m, result); });
}

CToolTipTranslateWnd::~CToolTipTranslateWnd() { Destroy(); }

platform::Window::ClassInfo CToolTipTranslateWnd::WindowClass() const {
  ClassInfo info;
  info.name = L"NorvaToolTipTranslateWnd";
  info.style = CS_DROPSHADOW;
  info.background = nullptr;
  return info;
}

void CToolTipTranslateWnd::Destroy() {
  if (!Hwnd()) return;
  KillTimer(Hwnd(), kShowTimer);
  KillTimer(Hwnd(), kHideTimer);
  KillTimer(Hwnd(), kForegroundTimer);
  contextMenu_ = nullptr;
  menu_.Reset();
  list_.Destroy();
  platform::Window::Destroy();
}

HWND CToolTipTranslateWnd::Create(HWND parent, const RECT* rect, const wchar_t* title, DWORD style, DWORD exStyle,
                                  UINT_PTR menuOrId) {
  if (Hwnd()) return Hwnd();
  HWND window = platform::Window::Create(parent, rect, title, style, exStyle, menuOrId);
  if (!window) return nullptr;
  HRGN region = CreateRoundRectRgn(0, 0, 300, 200, 6, 6);
  if (region && !SetWindowRgn(window, region, TRUE)) DeleteObject(region);
  width_ = 300;
  look_.borderWidth = 1;
  EnableWindow(window, TRUE);
  menu_.Reset(LoadMenuW(platform::ResourceInstance(), MAKEINTRESOURCEW(kMenuResource)));
  if (!menu_ && platform::ResourceInstance() != platform::ModuleInstance())
    menu_.Reset(LoadMenuW(platform::ModuleInstance(), MAKEINTRESOURCEW(kMenuResource)));
  contextMenu_ = menu_ ? GetSubMenu(menu_.Get(), 0) : nullptr;
  textFont_ = TextFont();
  captionFont_ = CreateCaptionFont();
  RECT client{};
  GetClientRect(window, &client);
  if (!contextMenu_ || !textFont_ || !captionFont_ ||
      !list_.Create(window, &client, L"", 0x56000020 | CVQDMainList::kOwnStyle, WS_EX_NOACTIVATE) ||
      !list_.Initialize()) {
    Destroy();
    return nullptr;
  }
  return window;
}

RECT CToolTipTranslateWnd::CloseBox() const {
  RECT client{};
  if (Hwnd()) GetClientRect(Hwnd(), &client);
  return RECT{client.right - 16, client.top + 3, client.right - 16 + kCloseSize, client.top + 3 + kCloseSize};
}

bool CToolTipTranslateWnd::InCloseBox(POINT client) const {
  RECT box = CloseBox();
  return PtInRect(&box, client) != FALSE;
}

void CToolTipTranslateWnd::RedrawCloseBox() {
  RECT box = CloseBox();
  InvalidateRect(Hwnd(), &box, FALSE);
}

void CToolTipTranslateWnd::HideAndCloseMenu() {
  if (Hwnd() && IsWindowVisible(Hwnd())) {
    ShowWindow(Hwnd(), SW_HIDE);
    EndMenu();
  }
}

void CToolTipTranslateWnd::ShowTranslation(const std::wstring& text, LONG point, const VARIANT& rect, UINT delay,
                                           HWND owner, int listData) {
  if (!Hwnd()) return;
  owner_ = owner;
  const POINT request = UnpackPoint(point);
  if (text.empty()) {
    RECT window{};
    GetWindowRect(Hwnd(), &window);
    if (PtInRect(&window, request)) return;
    POINT cursor{};
    GetCursorPos(&cursor);
    if (IsWindowVisible(Hwnd()) && PtInRect(&window, cursor)) return;
    text_.clear();
    HideAndCloseMenu();
    KillTimer(Hwnd(), kShowTimer);
    KillTimer(Hwnd(), kForegroundTimer);
    owner_ = nullptr;
    return;
  }
  ShowWindow(Hwnd(), SW_HIDE);
  if (listMode_) {
    KillTimer(Hwnd(), kHideTimer);
    KillTimer(Hwnd(), kShowTimer);
    SetTimer(Hwnd(), kShowTimer, delay, nullptr);
  }
  KillTimer(Hwnd(), kForegroundTimer);
  placement_ = request;
  ReadWordRect(rect, &wordRect_);
  if (listMode_) {
    try {
      if (!list_.FillFromResult(text, listData)) return;
    } catch (...) {
      return;
    }
    text_ = text;
  } else {
    ShowWindow(list_.Hwnd(), SW_HIDE);
    text_ = text;
    LayOutText();
  }
  SetTimer(Hwnd(), kForegroundTimer, 1000, nullptr);
}

int CToolTipTranslateWnd::MeasureText(int right) const {
  platform::WindowDC dc(Hwnd());
  platform::SelectedObject selected(dc.Get(), textFont_.Get());
  RECT box{10, 20, right, 190};
  std::wstring copy = text_;
  DrawTextW(dc.Get(), copy.data(), static_cast<int>(copy.size()), &box, kMeasureWrapped);
  return box.bottom - box.top;
}

void CToolTipTranslateWnd::LayOutText() {
  closeState_ = 0;
  pressed_ = false;
  width_ = 300;
  SIZE line{};
  {
    platform::WindowDC dc(Hwnd());
    platform::SelectedObject selected(dc.Get(), textFont_.Get());
    GetTextExtentPoint32W(dc.Get(), text_.c_str(), static_cast<int>(text_.size()), &line);
  }
  if (line.cx + 10 < 300) width_ = line.cx + 20;
  int x = wordRect_.left >= 1 ? wordRect_.left : placement_.x;
  int y = wordRect_.bottom >= 1 ? wordRect_.bottom : placement_.y;
  int h = MeasureText(width_ >= 300 ? width_ - 10 : width_);
  const RECT area = WorkAreaAt(POINT{x, y});
  if (x + width_ + 10 > area.right) x = x - 10 - width_;
  if (y + h + 30 > area.bottom) {
    if (y - 30 - h < area.top) {
      width_ = 500;
      h = MeasureText(490);
    }
    const int top = wordRect_.top >= 1 ? wordRect_.top : y;
    y = top - 50 - h;
  }
  width_ = std::max(width_, 100);
  textHeight_ = h;
  height_ = look_.footerHeight + h + 23;
  // On the work area of the selection's monitor, whatever the text.
  x = std::max<int>(area.left - 5, std::min<int>(x, area.right - width_ - 5));
  y = std::max<int>(area.top - 5, std::min<int>(y, area.bottom - height_ - 5));
  placement_ = POINT{x, y};
  SetWindowPos(Hwnd(), HWND_TOPMOST, x + 5, y + 5, width_, height_, kPlacement | SWP_SHOWWINDOW);
  SetRoundRegion(Hwnd(), 5);
  InvalidateRect(Hwnd(), nullptr, TRUE);
}

LRESULT CToolTipTranslateWnd::OnPaint(platform::Message&) {
  platform::PaintDC paint(Hwnd());
  HDC dc = paint.Get();
  RECT client{};
  GetClientRect(Hwnd(), &client);
  PaintPopupBody(dc, client, look_);
  if (!listMode_) {
    RECT box{client.left + 10, client.top + 20, client.right - 10, client.bottom - (look_.footerHeight + 3)};
    SetBkMode(dc, TRANSPARENT);
    SetTextColor(dc, 0);
    platform::SelectedObject selected(dc, textFont_.Get());
    std::wstring copy = text_;
    DrawTextW(dc, copy.data(), static_cast<int>(copy.size()), &box, textHeight_ < 17 ? kDrawOneLine : kDrawWrapped);
    DrawKeyedBitmap(dc, closeImages_[std::clamp(closeState_, 0, 2)].Get(), client.right - 16, client.top + 3,
                    look_.transparent);
  }
  PaintPopupFooter(dc, client, look_, footerImage_.Get(), captionFont_.Get());
  return 0;
}

LRESULT CToolTipTranslateWnd::OnMouseMove(platform::Message& message) {
  if (listMode_) return 0;
  const bool inside = InCloseBox(message.Point());
  if (!inside && closeState_ != 0) {
    closeState_ = 0;
    RedrawCloseBox();
  } else if (inside && closeState_ == 0) {
    closeState_ = pressed_ ? 2 : 1;
    RedrawCloseBox();
  }
  return 0;
}

LRESULT CToolTipTranslateWnd::OnLButtonDown(platform::Message& message) {
  if (listMode_) {
    KillTimer(Hwnd(), kHideTimer);
    KillTimer(Hwnd(), kForegroundTimer);
    ShowWindow(Hwnd(), SW_HIDE);
    text_.clear();
    owner_ = nullptr;
    return 0;
  }
  if (InCloseBox(message.Point()) && closeState_ == 1) {
    closeState_ = 2;
    pressed_ = true;
    RedrawCloseBox();
  }
  return 0;
}

LRESULT CToolTipTranslateWnd::OnLButtonUp(platform::Message& message) {
  if (listMode_) return 0;
  pressed_ = false;
  if (InCloseBox(message.Point()) && closeState_ == 2) {
    KillTimer(Hwnd(), kHideTimer);
    KillTimer(Hwnd(), kForegroundTimer);
    closeState_ = 0;
    RedrawCloseBox();
    HideAndCloseMenu();
    text_.clear();
    owner_ = nullptr;
  } else {
    closeState_ = 0;
  }
  return 0;
}

LRESULT CToolTipTranslateWnd::OnRButtonDown(platform::Message&) {
  if (listMode_ || !contextMenu_) return 0;
  POINT cursor{};
  GetCursorPos(&cursor);
  TrackPopupMenu(contextMenu_, TPM_RIGHTBUTTON, cursor.x, cursor.y, 0, Hwnd(), nullptr);
  return 0;
}

LRESULT CToolTipTranslateWnd::OnKeyDown(platform::Message& message) {
  // The "is down" bit of Ctrl: held now, not pressed at some time before.
  const bool control = (GetAsyncKeyState(VK_CONTROL) & 0x8000) != 0;
  if (control && (message.wParam == VK_INSERT || message.wParam == 'C')) CopyText();
  return 0;
}

bool CToolTipTranslateWnd::CopyText() {
  // The data exists before the clipboard is emptied; it is freed unless the
  // clipboard took it.
  const size_t bytes = (text_.size() + 1) * sizeof(wchar_t);
  HGLOBAL memory = GlobalAlloc(GMEM_MOVEABLE, bytes);
  if (!memory) return false;
  void* data = GlobalLock(memory);
  if (!data) {
    GlobalFree(memory);
    return false;
  }
  std::memcpy(data, text_.c_str(), bytes);
  GlobalUnlock(memory);
  if (!OpenClipboard(Hwnd())) {
    GlobalFree(memory);
    return false;
  }
  EmptyClipboard();
  const bool put = SetClipboardData(CF_UNICODETEXT, memory) != nullptr;
  CloseClipboard();
  if (!put) GlobalFree(memory);
  return put;
}

LRESULT CToolTipTranslateWnd::OnTimer(platform::Message& message) {
  switch (message.wParam) {
    case kShowTimer: {
      KillTimer(Hwnd(), kShowTimer);
      if (!listMode_) {
        text_.clear();
        break;
      }
      ShowWindow(list_.Hwnd(), SW_SHOW);
      POINT cursor{};
      GetCursorPos(&cursor);
      if (std::abs(cursor.x - placement_.x) > 10 && std::abs(cursor.y - placement_.y) > 3) {
        HideAndCloseMenu();
        KillTimer(Hwnd(), kHideTimer);
        KillTimer(Hwnd(), kForegroundTimer);
        owner_ = nullptr;
        break;
      }
      const int width = std::max(minimumListWidth_, list_.WidestLine()) + 20;
      const int height = list_.TotalHeight() + look_.footerHeight + 10;
      const RECT area = WorkAreaAt(cursor);
      int x = cursor.x + 3;
      int y = cursor.y + 10;
      if (x + width + 3 > area.right) x = x - 3 - width;
      if (y + height + 10 > area.bottom) y = (wordRect_.top ? wordRect_.top : cursor.y) - 10 - height;
      x = std::max<int>(area.left, std::min<int>(x, area.right - width));
      y = std::max<int>(area.top, std::min<int>(y, area.bottom - height));
      SetWindowPos(Hwnd(), HWND_TOPMOST, x, y, width, height, kPlacement);
      SetWindowPos(list_.Hwnd(), nullptr, 10, 5, width - 20, list_.TotalHeight(), kPlacement);
      SetRoundRegion(Hwnd(), 5);
      ShowWindow(Hwnd(), SW_SHOWNOACTIVATE);
      SetTimer(Hwnd(), kHideTimer, 10000, nullptr);
      SetTimer(Hwnd(), kForegroundTimer, 1000, nullptr);
      break;
    }
    case kHideTimer:
      KillTimer(Hwnd(), kHideTimer);
      KillTimer(Hwnd(), kForegroundTimer);
      HideAndCloseMenu();
      owner_ = nullptr;
      break;
    case kForegroundTimer:
      if (owner_ && GetForegroundWindow() != owner_) {
        KillTimer(Hwnd(), kHideTimer);
        KillTimer(Hwnd(), kForegroundTimer);
        KillTimer(Hwnd(), kShowTimer);
        HideAndCloseMenu();
      }
      break;
    default:
      message.handled = false;
  }
  return 0;
}
