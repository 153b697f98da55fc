#include "platform/win/Window.h"

#include <commctrl.h>

#include <map>
#include <mutex>

#include "platform/win/ResourceInstance.h"

namespace platform {

namespace {

const wchar_t kOwnerProperty[] = L"platform.Window";
// The id of our link in a subclassed window's chain.
constexpr UINT_PTR kSubclassId = 0x706C6174;  // "plat"

// The object whose window is being created on this thread: messages that
// arrive before CreateWindowEx returns are routed to it.
thread_local Window* t_creating = nullptr;

// The procedure of each superclassed system class, by our class name.
std::mutex g_classMutex;
std::map<std::wstring, WNDPROC> g_registered;

// Registers the class once per module; gives the procedure that handles
// what the map leaves (null: DefWindowProc).
bool EnsureClass(const Window::ClassInfo& info, WNDPROC ourProc, WNDPROC& baseProc) {
  std::lock_guard<std::mutex> lock(g_classMutex);
  auto found = g_registered.find(info.name);
  if (found != g_registered.end()) {
    baseProc = found->second;
    return true;
  }
  WNDCLASSEXW wc{sizeof(wc)};
  baseProc = nullptr;
  if (!info.superclassOf.empty()) {
    if (!GetClassInfoExW(nullptr, info.superclassOf.c_str(), &wc) &&
        !GetClassInfoExW(ModuleInstance(), info.superclassOf.c_str(), &wc))
      return false;
    baseProc = wc.lpfnWndProc;
    wc.cbSize = sizeof(wc);
  } else {
    wc.style = info.style;
    wc.hCursor = info.cursor ? LoadCursorW(nullptr, info.cursor) : nullptr;
    wc.hbrBackground = info.background;
  }
  wc.lpfnWndProc = ourProc;
  wc.hInstance = ModuleInstance();
  wc.lpszClassName = info.name.c_str();
  if (!RegisterClassExW(&wc)) {
    if (GetLastError() != ERROR_CLASS_ALREADY_EXISTS) return false;
    // Left behind by an earlier load of this DLL, whose procedure is gone
    // (classes of a DLL outlive its unloading): register it anew.
    WNDCLASSEXW existing{sizeof(existing)};
    if (GetClassInfoExW(wc.hInstance, wc.lpszClassName, &existing) && existing.lpfnWndProc != ourProc) {
      if (!UnregisterClassW(wc.lpszClassName, wc.hInstance) || !RegisterClassExW(&wc)) return false;
    }
  }
  g_registered[info.name] = baseProc;
  return true;
}

}  // namespace

Window::Window() = default;

Window::~Window() {
  if (!hwnd_) return;
  HWND window = hwnd_;
  bool destroy = !subclassed_;
  // The derived parts are gone: the window's last messages take the default road.
  Detach();
  if (destroy) DestroyWindow(window);
}

Window::ClassInfo Window::WindowClass() const {
  ClassInfo info;
  info.name = L"platform.Window";
  return info;
}

HWND Window::Create(HWND parent, const RECT* rect, const wchar_t* title, DWORD style, DWORD exStyle,
                    UINT_PTR menuOrId) {
  if (hwnd_) {
    SetLastError(ERROR_ALREADY_INITIALIZED);
    return nullptr;
  }
  ClassInfo info = WindowClass();
  WNDPROC baseProc = nullptr;
  if (!EnsureClass(info, &Window::WindowProc, baseProc)) return nullptr;
  baseProc_ = baseProc;
  subclassed_ = false;
  RECT r = rect ? *rect : RECT{CW_USEDEFAULT, CW_USEDEFAULT, 0, 0};
  int width = rect ? r.right - r.left : CW_USEDEFAULT;
  int height = rect ? r.bottom - r.top : CW_USEDEFAULT;
  Window* outer = t_creating;
  t_creating = this;
  HWND window = CreateWindowExW(exStyle, info.name.c_str(), title, style, r.left, r.top, width, height, parent,
                                reinterpret_cast<HMENU>(menuOrId), ModuleInstance(), nullptr);
  t_creating = outer;
  return window;
}

bool Window::Subclass(HWND window) {
  if (hwnd_ || !window || FromHandle(window)) return false;
  DWORD process = 0;
  if (GetWindowThreadProcessId(window, &process) != GetCurrentThreadId()) return false;
  if (!SetWindowSubclass(window, &Window::SubclassProc, kSubclassId, reinterpret_cast<DWORD_PTR>(this)))
    return false;
  subclassed_ = true;
  baseProc_ = nullptr;
  Attach(window, nullptr);
  return true;
}

HWND Window::Unsubclass() {
  if (!hwnd_ || !subclassed_) return nullptr;
  HWND window = hwnd_;
  Detach();
  return window;
}

bool Window::Destroy() {
  if (!hwnd_) return false;
  if (subclassed_) return Unsubclass() != nullptr;
  return DestroyWindow(hwnd_) != FALSE;
}

Window* Window::FromHandle(HWND window) {
  return window ? static_cast<Window*>(GetPropW(window, kOwnerProperty)) : nullptr;
}

void Window::Attach(HWND window, WNDPROC baseProc) {
  hwnd_ = window;
  if (baseProc) baseProc_ = baseProc;
  SetPropW(window, kOwnerProperty, this);
}

void Window::Detach() {
  if (!hwnd_) return;
  RemovePropW(hwnd_, kOwnerProperty);
  if (subclassed_) RemoveWindowSubclass(hwnd_, &Window::SubclassProc, kSubclassId);
  hwnd_ = nullptr;
}

LRESULT Window::DefaultProc(const Message& message) {
  if (subclassed_) return DefSubclassProc(message.hwnd, message.id, message.wParam, message.lParam);
  if (baseProc_) return CallWindowProcW(baseProc_, message.hwnd, message.id, message.wParam, message.lParam);
  return DefWindowProcW(message.hwnd, message.id, message.wParam, message.lParam);
}

LRESULT Window::OnHandlerException(const Message& message) {
  if (message.id == WM_CREATE) return -1;
  if (message.id == WM_NCCREATE) return FALSE;
  return 0;
}

LRESULT CALLBACK Window::WindowProc(HWND window, UINT id, WPARAM wParam, LPARAM lParam) {
  Window* self = FromHandle(window);
  if (!self && t_creating && !t_creating->hwnd_) {
    self = t_creating;
    t_creating = nullptr;
    self->Attach(window, nullptr);
  }
  if (!self) {
    // A window of one of our classes whose object is gone: default handling.
    WNDPROC base = nullptr;
    wchar_t name[256];
    if (GetClassNameW(window, name, 256)) {
      std::lock_guard<std::mutex> lock(g_classMutex);
      auto found = g_registered.find(name);
      if (found != g_registered.end()) base = found->second;
    }
    return base ? CallWindowProcW(base, window, id, wParam, lParam) : DefWindowProcW(window, id, wParam, lParam);
  }
  return self->Route(window, id, wParam, lParam);
}

LRESULT CALLBACK Window::SubclassProc(HWND window, UINT id, WPARAM wParam, LPARAM lParam, UINT_PTR subclassId,
                                      DWORD_PTR self) {
  return reinterpret_cast<Window*>(self)->Route(window, id, wParam, lParam);
}

LRESULT Window::Route(HWND window, UINT id, WPARAM wParam, LPARAM lParam) {
  Message message{window, id, wParam, lParam};
  LRESULT result = 0;
  try {
    if (!messages_.Dispatch(message, result) || id == WM_NCDESTROY) {
      LRESULT base = DefaultProc(message);
      if (!message.handled) result = base;
    }
  } catch (...) {
    result = OnHandlerException(message);
  }
  if (id == WM_NCDESTROY) {
    RemovePropW(window, kOwnerProperty);
    hwnd_ = nullptr;
    try {
      OnFinalMessage(window);  // may delete this
    } catch (...) {
    }
  }
  return result;
}

}  // namespace platform
