#pragma once
#include <windows.h>
#include <oleauto.h>

#include <string>
#include <string_view>
#include <utility>

namespace platform {

// Owner of one BSTR. A null BSTR is the empty string, as COM treats it.
// Move-only; Copy makes a second string.
class Bstr {
 public:
  Bstr() noexcept = default;
  // Raises std::bad_alloc when the string cannot be allocated.
  explicit Bstr(std::wstring_view text);
  explicit Bstr(const wchar_t* text) : Bstr(std::wstring_view(text ? text : L"")) {}
  ~Bstr() { Reset(); }

  Bstr(Bstr&& other) noexcept : s_(other.Detach()) {}
  Bstr& operator=(Bstr&& other) noexcept {
    if (this != &other) Attach(other.Detach());
    return *this;
  }
  Bstr(const Bstr&) = delete;
  Bstr& operator=(const Bstr&) = delete;

  // Takes over a BSTR the caller owns.
  static Bstr Adopt(BSTR s) noexcept {
    Bstr result;
    result.s_ = s;
    return result;
  }
  Bstr Copy() const { return Bstr(View()); }

  BSTR Get() const noexcept { return s_; }
  // Frees what is held and returns the slot for a call that fills it.
  BSTR* Receive() noexcept {
    Reset();
    return &s_;
  }
  BSTR Detach() noexcept { return std::exchange(s_, nullptr); }
  void Attach(BSTR s) noexcept {
    BSTR old = std::exchange(s_, s);
    if (old) SysFreeString(old);
  }
  void Reset() noexcept { Attach(nullptr); }

  // Characters, embedded NULs included.
  UINT Length() const noexcept { return s_ ? SysStringLen(s_) : 0; }
  bool Empty() const noexcept { return Length() == 0; }
  std::wstring_view View() const noexcept { return {s_ ? s_ : L"", Length()}; }
  std::wstring Str() const { return std::wstring(View()); }
  // Never null: an empty string for a null BSTR.
  const wchar_t* CStr() const noexcept { return s_ ? s_ : L""; }

  // Fills an out-parameter with a new copy (null out: E_POINTER).
  HRESULT CopyTo(BSTR* out) const noexcept;

 private:
  BSTR s_ = nullptr;
};

// The characters of any BSTR (null is empty), without taking ownership.
inline std::wstring_view BstrView(BSTR s) noexcept { return {s ? s : L"", s ? SysStringLen(s) : 0}; }

// True when the string holds a NUL before its end: as a path, a registry name
// or a value the registry keeps, the system would cut it there.
inline bool HasEmbeddedNul(std::wstring_view text) noexcept { return text.find(L'\0') != std::wstring_view::npos; }
inline bool HasEmbeddedNul(BSTR s) noexcept { return HasEmbeddedNul(BstrView(s)); }

}  // namespace platform
