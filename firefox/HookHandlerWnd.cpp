#include "firefox/HookHandlerWnd.h"

#include <oleacc.h>
#include <servprov.h>

#include "AccessibleText.h"
#include "platform/com/Bstr.h"
#include "platform/com/ComError.h"
#include "platform/com/SafeArray.h"

using platform::Bstr;
using platform::ComPtr;
using platform::Message;
using platform::Variant;

namespace {

constexpr int kWordKind = 1;       // EPTDT_TOOLTIP_WORD
constexpr int kSelectionKind = 2;  // EPTDT_TOOLTIP_SELECTION

class Guard {
 public:
  explicit Guard(CRITICAL_SECTION& section) : section_(section) { EnterCriticalSection(&section_); }
  ~Guard() { LeaveCriticalSection(&section_); }
  Guard(const Guard&) = delete;
  Guard& operator=(const Guard&) = delete;

 private:
  CRITICAL_SECTION& section_;
};

POINT PointOf(LPARAM lParam) { return POINT{static_cast<short>(LOWORD(lParam)), static_cast<short>(HIWORD(lParam))}; }

Variant IntKind(int kind) {
  Variant value;
  value.Ptr()->vt = VT_INT;
  value.Ptr()->intVal = kind;
  return value;
}

Variant WindowValue(HWND window) { return Variant::FromUInt(static_cast<UINT>(reinterpret_cast<UINT_PTR>(window))); }

}  // namespace

const HookMessages& TheHookMessages() {
  static const HookMessages messages = {
      RegisterWindowMessageW(L"WM_BROWSERHOOK_MOUSE_MOVE"),
      RegisterWindowMessageW(L"WM_BROWSERHOOK_LBUTTON_DOWN_AND_MOVE"),
      RegisterWindowMessageW(L"WM_BROWSERHOOK_LBUTTON_UP"),
      RegisterWindowMessageW(L"WM_HIDE_ALL"),
      RegisterWindowMessageW(L"WM_CONTEXT_MENU"),
      RegisterWindowMessageW(L"WM_BROWSERHOOK_HOTKEY"),
  };
  return messages;
}

CHookHandlerWnd::CHookHandlerWnd() {
  InitializeCriticalSection(&lock_);
  const HookMessages& ids = TheHookMessages();
  // Every handler answers 0 and keeps its COM failures to itself.
  auto route = [this](LRESULT (CHookHandlerWnd::*handler)(const Message&)) {
    return [this, handler](Message& message) -> LRESULT {
      try {
        (this->*handler)(message);
      } catch (...) {
      }
      return 0;
    };
  };
  Messages()
      .On(ids.mouseMove, route(&CHookHandlerWnd::OnMouseMove))
      .On(ids.lButtonDownAndMove, route(&CHookHandlerWnd::OnLButtonDownAndMove))
      .On(ids.lButtonUp, route(&CHookHandlerWnd::OnLButtonUp))
      .On(ids.hideAll, route(&CHookHandlerWnd::OnHideAll))
      .On(ids.contextMenu, route(&CHookHandlerWnd::OnContextMenu))
      .On(ids.hotKey, route(&CHookHandlerWnd::OnHotKey));
}

CHookHandlerWnd::~CHookHandlerWnd() {
  if (IsWindow()) Destroy();
  DeleteCriticalSection(&lock_);
}

platform::Window::ClassInfo CHookHandlerWnd::WindowClass() const {
  ClassInfo info;
  info.name = L"NorvaFervixHookHandlerWnd";
  info.cursor = nullptr;
  return info;
}

HWND CHookHandlerWnd::Create() {
  return platform::Window::Create(nullptr, nullptr, L"NorvaHookHandlerWnd", WS_POPUP, 0);
}

void CHookHandlerWnd::SetProxy(INorvaBrowserClass* proxy) {
  if (proxy && !proxy_) proxy_ = ComPtr<INorvaBrowserClass>::Share(proxy);
}

const VARIANT& CHookHandlerWnd::Missing() {
  static const Variant missing = Variant::Missing();
  return missing.Get();
}

HRESULT CHookHandlerWnd::Request(const std::wstring& text, LONG point, const VARIANT& rect, int kind, HWND parent) {
  if (!proxy_) return E_POINTER;
  // The proxy may pump messages and come back here: keep it for the call.
  ComPtr<INorvaBrowserClass> proxy = proxy_.Copy();
  Bstr word(text);
  Variant kindValue = IntKind(kind);
  Variant parentValue = parent ? WindowValue(parent) : Variant::Missing();
  return proxy->TranslateTextDlg(word.Get(), point, rect, kindValue.Get(), parentValue.Get());
}

Variant CHookHandlerWnd::Setting(const wchar_t* name) {
  Variant value;
  if (!proxy_) return value;
  ComPtr<INorvaBrowserClass> proxy = proxy_.Copy();
  platform::ThrowIfFailed(proxy->GetSetting(Bstr(name).Get(), Missing(), value.Receive()), name);
  return value;
}

bool CHookHandlerWnd::IsBrowserWindow(HWND window) {
  wchar_t name[261] = {};
  GetClassNameW(window, name, 261);
  return _wcsicmp(name, L"MozillaUIWindowClass") == 0 || _wcsicmp(name, L"MozillaWindowClass") == 0;
}

bool CHookHandlerWnd::InClientArea(HWND window, POINT point) {
  RECT client = {};
  if (!GetClientRect(window, &client)) return false;
  MapWindowPoints(window, nullptr, reinterpret_cast<POINT*>(&client), 2);
  return point.x >= client.left && point.x <= client.right && point.y >= client.top && point.y <= client.bottom;
}

bool CHookHandlerWnd::SamePointAsLast(POINT point) {
  if (point.x == lastX_ && point.y == lastY_) return true;
  lastX_ = point.x;
  lastY_ = point.y;
  return false;
}

// The trimmed text of the word box under the point; false when the browser's
// accessible text cannot be had (no request then).
bool CHookHandlerWnd::WordUnder(POINT point, std::wstring& word, const WordBox*& box) {
  ComPtr<IAccessible> accessible;
  VARIANT child;
  VariantInit(&child);
  if (FAILED(AccessibleObjectFromPoint(point, accessible.Receive(), &child)) || !accessible) return false;
  VariantClear(&child);
  ComPtr<IServiceProvider> services = accessible.As<IServiceProvider>(IID_IServiceProvider);
  if (!services) return false;
  ComPtr<ISimpleDOMNode> node;
  if (FAILED(services->QueryService(__uuidof(ISimpleDOMNode), __uuidof(ISimpleDOMNode), node.ReceiveVoid())) ||
      !node)
    return false;
  ComPtr<ISimpleDOMText> text = node.As<ISimpleDOMText>();
  if (!text) return false;
  Bstr domText;
  if (FAILED(text->get_domText(domText.Receive()))) return false;
  if (domText.View() != nodeText_) {
    words_ = BuildWordList(domText.View(), [&](long start, long end, WordBox& found) {
      int x = 0, y = 0, width = 0, height = 0;
      if (FAILED(text->get_unclippedSubstringBounds(start, end, &x, &y, &width, &height))) return false;
      found.x = x;
      found.y = y;
      found.width = width;
      found.height = height;
      return true;
    });
    nodeText_ = domText.Str();
  }
  box = HitWordBox(words_, point.x, point.y);
  if (box) word = TrimWord(nodeText_.substr(box->start, box->end - box->start));
  return true;
}

LRESULT CHookHandlerWnd::OnMouseMove(const Message& message) {
  Guard guard(lock_);
  HWND window = reinterpret_cast<HWND>(message.wParam);
  POINT point = PointOf(message.lParam);
  if (window && !IsBrowserWindow(window)) return 0;
  if (SamePointAsLast(point)) return 0;
  if (!window || !InClientArea(window, point)) return 0;
  std::wstring word;
  const WordBox* box = nullptr;
  if (!WordUnder(point, word, box)) return 0;
  if (!box) {
    HidePopup(kWordKind);
    return 0;
  }
  if (word.empty() || word == lastWord_) return 0;
  const int32_t corners[4] = {box->x, box->y, box->x + box->width, box->y + box->height};
  wordRect_ = platform::SafeArray::FromInt32s(corners).ToVariant();
  Variant mode = Setting(L"TranslateWordPopupMode");
  if (mode.ToInt32().value_or(0) != 0)
    HidePopup(kWordKind);
  else
    Request(word, static_cast<LONG>(message.lParam), wordRect_.Get(), kWordKind, window);
  lastWord_ = word;
  return 0;
}

LRESULT CHookHandlerWnd::OnLButtonDownAndMove(const Message&) {
  if (!proxy_) return 0;
  HidePopup(kSelectionKind);
  selecting_ = true;
  return 0;
}

LRESULT CHookHandlerWnd::OnLButtonUp(const Message& message) {
  if (!proxy_) return 0;
  Guard guard(lock_);
  Variant translateCtrl = Setting(L"TranslateCtrl");
  if (!selecting_ || translateCtrl.ToInt32().value_or(0) != 0) {
    HidePopup(kSelectionKind);
    selecting_ = false;
    return 0;
  }
  HWND window = reinterpret_cast<HWND>(message.wParam);
  POINT point = PointOf(message.lParam);
  if (window && !IsBrowserWindow(window)) return 0;
  if (SamePointAsLast(point)) return 0;
  selecting_ = false;
  if (!window || !InClientArea(window, point) || !selection_) return 0;
  std::wstring text;
  Variant rect;
  if (FAILED(selection_->GetSelection(text, rect.Ptr()))) return 0;
  if (text != lastSelection_) {
    Request(text, static_cast<LONG>(message.lParam), rect.Get(), kSelectionKind, window);
    lastSelection_ = text;
  }
  return 0;
}

LRESULT CHookHandlerWnd::OnHideAll(const Message& message) {
  if (!proxy_) return 0;
  OnLButtonDownAndMove(message);
  HidePopup(kWordKind);
  return 0;
}

LRESULT CHookHandlerWnd::OnContextMenu(const Message& message) {
  if (!proxy_) return 0;
  Request(L"", static_cast<LONG>(message.lParam), Missing(), kSelectionKind, nullptr);
  Request(L"", static_cast<LONG>(message.lParam), Missing(), kWordKind, nullptr);
  return 0;
}

LRESULT CHookHandlerWnd::OnHotKey(const Message& message) {
  if (!proxy_) return 0;
  HWND window = reinterpret_cast<HWND>(message.wParam);
  Variant mode = Setting(L"TranslateWordPopupMode");
  Variant translateCtrl = Setting(L"TranslateCtrl");
  std::wstring selection;
  bool wordCase = false;
  if (mode.ToInt32().value_or(0) == 1) {
    if (selection_) selection_->GetSelection(selection, nullptr);
    wordCase = selection.empty();
  }
  // The Ctrl case needs the selection in every mode.
  if (mode.ToInt32().value_or(0) != 1 && selection_) selection_->GetSelection(selection, nullptr);
  if (wordCase) {
    int key = Setting(L"TranslateWordPopupKey").ToInt32().value_or(0);
    bool shift = (GetAsyncKeyState(VK_SHIFT) & 1) != 0;
    bool ctrl = (GetAsyncKeyState(VK_CONTROL) & 1) != 0;
    if ((shift && key == 1) || (ctrl && key == 0))
      Request(lastWord_, static_cast<LONG>(message.lParam), wordRect_.Get(), kWordKind, window);
    return 0;
  }
  if (!translateCtrl.IsMissing() && translateCtrl.ToInt32().value_or(0) == 1 &&
      (GetAsyncKeyState(VK_CONTROL) & 1) != 0 && !selection.empty() && selection_) {
    std::wstring text;
    Variant rect;
    if (FAILED(selection_->GetSelection(text, rect.Ptr()))) return 0;
    if (text != lastSelection_) {
      lastSelection_ = text;
      Request(text, static_cast<LONG>(message.lParam), rect.Get(), kSelectionKind, window);
    }
  }
  return 0;
}
