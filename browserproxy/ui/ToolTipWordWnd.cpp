#include "browserproxy/ui/ToolTipWordWnd.h"

#include <algorithm>

#include "NorvaKernel.h"
#include "browserproxy/ui/PopupPlacement.h"
#include "browserproxy/ui/WordRect.h"
#include "platform/base/DeviceContext.h"
#include "platform/com/ComError.h"

namespace {

// The kernel service the word dictionary object takes,
// {E0CF67D1-6730-4E92-BB9D-8B46D72AA711}.
const GUID kKernelService = {0xE0CF67D1, 0x6730, 0x4E92, {0xBB, 0x9D, 0x8B, 0x46, 0xD7, 0x2A, 0xA7, 0x11}};
constexpr DWORD kWordObjectContext = 0x17;
constexpr UINT kPlacement = SWP_NOZORDER | SWP_NOACTIVATE | SWP_NOOWNERZORDER;

// One request at a time across every word popup of the process: a request
// that arrives while another is handled (messages pumped during a kernel
// call) is dropped. Cleared on every way out.
bool g_busy = false;

class BusyScope {
 public:
  BusyScope() : entered_(!g_busy) {
    if (entered_) g_busy = true;
  }
  ~BusyScope() {
    if (entered_) g_busy = false;
  }
  bool Entered() const { return entered_; }

 private:
  bool entered_;
};

}  // namespace

CToolTipWordWnd::CToolTipWordWnd() : footerImage_(LoadPopupBitmap(popupbitmaps::kFooter)) {
  Messages()
      .On(WM_PAINT, [this](platform::Message& m) { return OnPaint(m); })
      .On(WM_TIMER, [this](platform::Message& m) { return OnTimer(m); })
      .On(kShowNowMessage, [this](platform::Message& m) { return OnShowNow(m); })
      .On(WM_LBUTTONDOWN, [this](platform::Message& m) { return OnButtonDown(m); })
      .On(WM_RBUTTONDOWN, [this](platform::Message& m) { return OnButtonDown(m); })
      // The list paints nothing behind its lines: the popup's gradient shows.
      .On(WM_CTLCOLORLISTBOX, [](platform::Message&) { return reinterpret_cast<LRESULT>(GetStockObject(NULL_BRUSH)); })
      .Chain([this](platform::Message& m, LRESULT& result) { return list_.HandleOwnerDraw(m, result); });
}

CToolTipWordWnd::~CToolTipWordWnd() { ReleaseWordSource(); }

platform::Window::ClassInfo CToolTipWordWnd::WindowClass() const {
  ClassInfo info;
  info.name = L"NorvaToolTipWordWnd";
  info.style = CS_DROPSHADOW;
  info.background = nullptr;
  return info;
}

HWND CToolTipWordWnd::Create(IUnknown* directions, const RECT& rect) {
  if (Hwnd()) return Hwnd();
  directions_ = platform::ComPtr<IUnknown>::Share(directions);
  HWND window = platform::Window::Create(nullptr, &rect, L"", WS_POPUP | WS_CLIPSIBLINGS, WS_EX_TOPMOST | WS_EX_TOOLWINDOW);
  if (!window) return nullptr;
  SetRoundRegion(window, 6);
  // WS_POPUP | WS_CLIPSIBLINGS; a parentless popup never takes WS_CHILD.
  SetWindowLongW(window, GWL_STYLE, GetWindowLongW(window, GWL_STYLE) | 0x84000000);
  SetWindowLongW(window, GWL_EXSTYLE, GetWindowLongW(window, GWL_EXSTYLE) | 0x08000088);
  captionFont_ = CreateCaptionFont();
  return window;
}

void CToolTipWordWnd::ReleaseWordSource() {
  try {
    directions_.Reset();
  } catch (...) {
  }
  if (Hwnd()) {
    CancelShow();
    KillTimer(Hwnd(), kHideTimer);
    KillTimer(Hwnd(), kForegroundTimer);
    list_.Destroy();
    platform::Window::Destroy();
  }
}

void CToolTipWordWnd::CancelPending() {
  if (!Hwnd()) return;
  CancelShow();
  KillTimer(Hwnd(), kHideTimer);
}

bool CToolTipWordWnd::EnsureList() {
  if (list_.Hwnd()) return true;
  RECT client{};
  GetClientRect(Hwnd(), &client);
  return list_.Create(Hwnd(), &client, L"", 0x56000020 | CMainList::kOwnStyle, WS_EX_NOACTIVATE) != nullptr;
}

bool CToolTipWordWnd::InitOnFirstUse() {
  if (!Hwnd()) return false;
  // The list shows a message even when the kernel cannot be reached; the
  // set-up is tried again at the next request.
  if (!EnsureList()) return false;
  if (!directions_) return false;
  try {
    if (!wordObject_) {
      wordObject_ = platform::ComPtr<IUnknown>::Create(CLSID_NrvaWordDictionary, kWordObjectContext,
                                                       IID_INrvaWordDictionary);
    }
    auto provider = directions_.As<IServiceProvider>();
    if (!provider) return false;
    platform::ComPtr<IUnknown> service;
    platform::ThrowIfFailed(provider->QueryService(kKernelService, IID_IUnknown, service.ReceiveVoid()),
                            L"QueryService");
    platform::ThrowIfFailed(wordObject_.Query<INrvaWordDictionary>()->SetKernelService(service.Get()),
                            L"SetKernelService");
    if (FAILED(translations_.Attach(wordObject_.Get(), &entries_, true))) return false;
    list_.Initialize(wordObject_.Get(), Hwnd(), kListOptions);
    list_.SetMessageMode(L"", translations_.GetDirectionName(), 0);
    list_.SetColorScheme(0);
    return true;
  } catch (...) {
    return false;
  }
}

void CToolTipWordWnd::Hide() {
  if (Hwnd() && IsWindowVisible(Hwnd())) ShowWindow(Hwnd(), SW_HIDE);
}

void CToolTipWordWnd::HideAndForget() {
  Hide();
  lastWord_.clear();
  owner_ = nullptr;
}

void CToolTipWordWnd::ShowWord(const std::wstring& word, LONG point, const VARIANT& rect, long direction, UINT delay,
                               HWND owner) {
  BusyScope busy;
  if (!busy.Entered()) return;
  try {
    if (!Hwnd()) return;
    owner_ = owner;
    if (!ready_) ready_ = InitOnFirstUse() ? TRUE : FALSE;
    if (word.empty()) {
      Hide();
      if (list_.Hwnd()) {
        lastWord_.clear();
        list_.Reset();
      }
      CancelShow();
      KillTimer(Hwnd(), kForegroundTimer);
      return;
    }
    request_ = UnpackPoint(point);
    ReadWordRect(rect, &wordRect_);
    Hide();
    KillTimer(Hwnd(), kHideTimer);
    CancelShow();
    KillTimer(Hwnd(), kForegroundTimer);
    list_.Reset();
    translations_.SetDirection(direction);
    HRESULT found = translations_.Lookup(word);
    if (found == S_OK) {
      FillList();
    } else {
      list_.SetMessageFlag(0);
      list_.SetPlainText(0);
      list_.SetWordLanguage(translations_.GetDirection());
      list_.SetMessageMode(word, translations_.GetDirectionName(), found == CTranslations::kInaccessible ? 1 : 0);
    }
    ScheduleShow(delay);
    lastWord_ = word;
  } catch (...) {
    // A failed request ends quietly; the busy flag is cleared by its scope.
  }
}

void CToolTipWordWnd::FillList() {
  list_.SetWordLanguage(translations_.GetDirection());
  std::vector<CEntryDsc>* chosen = &entries_;
  if (!filter_.empty()) {
    filtered_.clear();
    for (const CEntryDsc& entry : entries_)
      if (entry.GetTipText().text == filter_) filtered_.push_back(entry);
    chosen = &filtered_;
  }
  std::wstring caption = (captionFlag_ & 1) ? translations_.GetDirectionName() : std::wstring(L"xxx");
  list_.Build(chosen, caption);
  list_.SetMessageFlag(0);
  list_.SetPlainText(0);
}

LRESULT CToolTipWordWnd::OnTimer(platform::Message& message) {
  switch (message.wParam) {
    case kShowTimer:
      OnShowTimer();
      break;
    case kHideTimer:
      KillTimer(Hwnd(), kHideTimer);
      KillTimer(Hwnd(), kForegroundTimer);
      HideAndForget();
      break;
    case kForegroundTimer:
      if (owner_ && GetForegroundWindow() != owner_) {
        KillTimer(Hwnd(), kHideTimer);
        KillTimer(Hwnd(), kForegroundTimer);
        CancelShow();
        if (IsWindowVisible(Hwnd())) {
          Hide();
          owner_ = nullptr;
        }
      }
      break;
    default:
      message.handled = false;
  }
  return 0;
}

void CToolTipWordWnd::ScheduleShow(UINT delay) {
  CancelShow();
  if (delay > 0) {
    SetTimer(Hwnd(), kShowTimer, delay, nullptr);
    return;
  }
  // Numbered, so that a show cancelled and scheduled again meanwhile is
  // not taken for the one in the queue.
  if (++lastShow_ == 0) ++lastShow_;
  if (PostMessageW(Hwnd(), kShowNowMessage, lastShow_, 0))
    pendingShow_ = lastShow_;
  else
    SetTimer(Hwnd(), kShowTimer, 0, nullptr);
}

void CToolTipWordWnd::CancelShow() {
  pendingShow_ = 0;
  if (Hwnd()) KillTimer(Hwnd(), kShowTimer);
}

LRESULT CToolTipWordWnd::OnShowNow(platform::Message& message) {
  if (pendingShow_ != 0 && message.wParam == pendingShow_) OnShowTimer();
  return 0;
}

void CToolTipWordWnd::OnShowTimer() {
  CancelShow();
  KillTimer(Hwnd(), kForegroundTimer);
  POINT cursor{};
  GetCursorPos(&cursor);
  const bool hasRect = wordRect_.left || wordRect_.top || wordRect_.right || wordRect_.bottom;
  const bool inRect = hasRect && PtInRect(&wordRect_, cursor);
  const bool onLine = std::abs(cursor.y - request_.y) <= 3;
  const bool nearX = !hasRect && std::abs(cursor.x - request_.x) <= 10;
  if (!inRect && !onLine && !nearX) {
    Hide();
    owner_ = nullptr;
    return;
  }
  POINT anchor = inRect ? POINT{wordRect_.left, wordRect_.bottom} : cursor;
  const LRESULT count = list_.Hwnd() ? SendMessageW(list_.Hwnd(), LB_GETCOUNT, 0, 0) : 0;
  if (count < 1 || count == LB_ERR) {
    Hide();
    owner_ = nullptr;
    return;
  }
  // Every line counts with its own height: a message line is twice as high.
  int listHeight = 0;
  for (LRESULT i = 0; i < count; ++i) {
    LRESULT h = SendMessageW(list_.Hwnd(), LB_GETITEMHEIGHT, static_cast<WPARAM>(i), 0);
    if (h > 0 && h != LB_ERR) listHeight += static_cast<int>(h);
  }
  const int height = listHeight + look_.footerHeight + 3;
  const int width = list_.GetTextWidth() + 10;
  // Without a rectangle the word is taken as one line of text above the pointer.
  const LONG wordTop = hasRect ? wordRect_.top : cursor.y - list_.BaseItemHeight();
  ShowAt(PlaceWordPopup(WorkAreaAt(anchor), anchor, wordTop, SIZE{width, height}));
  SetTimer(Hwnd(), kHideTimer, kHideAfterMs, nullptr);
  SetTimer(Hwnd(), kForegroundTimer, kForegroundPollMs, nullptr);
}

void CToolTipWordWnd::ShowAt(const RECT& place) {
  const SIZE size{place.right - place.left, place.bottom - place.top};
  UINT flags = kPlacement | SWP_SHOWWINDOW;
  if (size.cx == shownSize_.cx && size.cy == shownSize_.cy) {
    flags |= SWP_NOSIZE;
  } else {
    // What follows the size is set while the popup is hidden, so that it
    // shows once, complete, and nothing is painted twice.
    SetWindowPos(list_.Hwnd(), nullptr, 5, 1, size.cx - 10, size.cy - (look_.footerHeight + 3), kPlacement);
    SetRoundRegion(Hwnd(), size, 5);
    shownSize_ = size;
  }
  SetWindowPos(Hwnd(), nullptr, place.left, place.top, size.cx, size.cy, flags);
}

LRESULT CToolTipWordWnd::OnButtonDown(platform::Message&) {
  KillTimer(Hwnd(), kHideTimer);
  KillTimer(Hwnd(), kForegroundTimer);
  HideAndForget();
  return 0;
}

LRESULT CToolTipWordWnd::OnPaint(platform::Message&) {
  {
    platform::PaintDC paint(Hwnd());
    RECT client{};
    GetClientRect(Hwnd(), &client);
    PaintPopupBody(paint.Get(), client, look_);
    PaintPopupFooter(paint.Get(), client, look_, footerImage_.Get(), captionFont_.Get());
  }
  // The body is painted under the list too (its lines have no background of
  // their own), so the lines are painted again on top of it, at once.
  if (list_.Hwnd() && IsWindowVisible(list_.Hwnd()))
    RedrawWindow(list_.Hwnd(), nullptr, nullptr, RDW_INVALIDATE | RDW_UPDATENOW);
  return 0;
}
