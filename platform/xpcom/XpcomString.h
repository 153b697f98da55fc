#pragma once
// The browser's wide strings as a component library sees them: an opaque
// object whose storage belongs to the XPCOM library, reached only through
// the functions of the glue. A container is a string object with its own
// storage; XpString owns one. Its size is fixed by the XPCOM library: a
// pointer and two 32-bit words.
#include <string>
#include <string_view>

#include "platform/xpcom/XpcomTypes.h"

class nsAString {
 public:
  nsAString(const nsAString&) = delete;
  nsAString& operator=(const nsAString&) = delete;

 protected:
  nsAString() = default;
  ~nsAString() = default;

 private:
  // The XPCOM library's representation; never read here.
  void* data_ = nullptr;
  uint32_t length_ = 0;
  uint32_t flags_ = 0;
};

class nsStringContainer : public nsAString {};
static_assert(sizeof(nsStringContainer) == sizeof(void*) + 2 * sizeof(uint32_t),
              "the size the XPCOM library gives its string containers");

// The characters of a string (empty when the glue is not started).
std::wstring ReadXpString(const nsAString& text);
// Replaces a string's characters; NS_ERROR_NOT_AVAILABLE without the glue.
nsresult WriteXpString(nsAString& text, std::wstring_view value);

// Owner of one string container: initialised by the XPCOM library when
// made, finished when it goes. Neither moves nor copies.
class XpString {
 public:
  XpString();
  explicit XpString(std::wstring_view value);
  ~XpString();
  XpString(const XpString&) = delete;
  XpString& operator=(const XpString&) = delete;
  nsAString& Get() { return container_; }
  const nsAString& Get() const { return container_; }
  operator nsAString&() { return container_; }
  operator const nsAString&() const { return container_; }
  std::wstring Str() const { return ReadXpString(container_); }
  bool Ok() const { return ok_; }

 private:
  nsStringContainer container_;
  bool ok_ = false;
};
