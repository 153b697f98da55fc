#pragma once
#include <windows.h>

#include <utility>

namespace platform {

// The owners of Win32 handles, below both the COM and the windowing layer.

// Owner of one Win32 resource, closed by Traits::Close. Move-only; the raw
// value is reached explicitly (Get), and handing the slot to an API that
// fills it is explicit too (Receive).
template <class Traits>
class UniqueHandle {
 public:
  using Handle = typename Traits::Handle;

  UniqueHandle() noexcept = default;
  explicit UniqueHandle(Handle handle) noexcept : handle_(handle) {}
  ~UniqueHandle() { Reset(); }

  UniqueHandle(UniqueHandle&& other) noexcept : handle_(other.Detach()) {}
  UniqueHandle& operator=(UniqueHandle&& other) noexcept {
    if (this != &other) Reset(other.Detach());
    return *this;
  }
  UniqueHandle(const UniqueHandle&) = delete;
  UniqueHandle& operator=(const UniqueHandle&) = delete;

  Handle Get() const noexcept { return handle_; }
  bool Valid() const noexcept { return handle_ != Traits::Invalid(); }
  explicit operator bool() const noexcept { return Valid(); }

  // Closes what is held and takes over handle.
  void Reset(Handle handle = Traits::Invalid()) noexcept {
    Handle old = std::exchange(handle_, handle);
    if (old != Traits::Invalid()) Traits::Close(old);
  }
  // Gives the handle up without closing it.
  Handle Detach() noexcept { return std::exchange(handle_, Traits::Invalid()); }
  // Closes what is held and returns the slot for a call that fills it.
  Handle* Receive() noexcept {
    Reset();
    return &handle_;
  }

 private:
  Handle handle_ = Traits::Invalid();
};

namespace handle_traits {

// A handle whose failure value is null, closed by CloseFn.
template <class H, auto CloseFn>
struct NullInvalid {
  using Handle = H;
  static Handle Invalid() noexcept { return nullptr; }
  static void Close(Handle h) noexcept { CloseFn(h); }
};

// A kernel handle whose failure value is INVALID_HANDLE_VALUE, closed by CloseFn.
template <auto CloseFn>
struct InvalidHandleValue {
  using Handle = HANDLE;
  static Handle Invalid() noexcept { return INVALID_HANDLE_VALUE; }
  static void Close(Handle h) noexcept { CloseFn(h); }
};

}  // namespace handle_traits

// A window this code created and destroys (DestroyWindow; on its own thread).
using UniqueWindow = UniqueHandle<handle_traits::NullInvalid<HWND, DestroyWindow>>;
using UniqueIcon = UniqueHandle<handle_traits::NullInvalid<HICON, DestroyIcon>>;
using UniqueMenu = UniqueHandle<handle_traits::NullInvalid<HMENU, DestroyMenu>>;
// Kernel objects whose failure value is null: events, threads, processes, mutexes.
using UniqueKernelHandle = UniqueHandle<handle_traits::NullInvalid<HANDLE, CloseHandle>>;
// Kernel handles whose failure value is INVALID_HANDLE_VALUE: CreateFile and friends.
using UniqueFileHandle = UniqueHandle<handle_traits::InvalidHandleValue<CloseHandle>>;
// A file search (FindFirstFileW).
using UniqueFindHandle = UniqueHandle<handle_traits::InvalidHandleValue<FindClose>>;
// A folder watch (FindFirstChangeNotificationW).
using UniqueChangeNotification = UniqueHandle<handle_traits::InvalidHandleValue<FindCloseChangeNotification>>;
using UniqueLibrary = UniqueHandle<handle_traits::NullInvalid<HMODULE, FreeLibrary>>;
using UniqueRegistryKey = UniqueHandle<handle_traits::NullInvalid<HKEY, RegCloseKey>>;
// Memory the system allocated for the caller (FormatMessage, security descriptors).
using UniqueLocalMemory = UniqueHandle<handle_traits::NullInvalid<HLOCAL, LocalFree>>;
// A SID made by AllocateAndInitializeSid.
using UniqueSid = UniqueHandle<handle_traits::NullInvalid<PSID, FreeSid>>;

template <class H>
using UniqueGdiObject = UniqueHandle<handle_traits::NullInvalid<H, DeleteObject>>;
using UniqueFont = UniqueGdiObject<HFONT>;
using UniqueBitmap = UniqueGdiObject<HBITMAP>;
using UniqueBrush = UniqueGdiObject<HBRUSH>;
using UniquePen = UniqueGdiObject<HPEN>;
using UniqueRegion = UniqueGdiObject<HRGN>;

}  // namespace platform
