#include "platform/win/Controls.h"

namespace platform {

namespace {

// The text of a list or combo item: one message gives its length, the other copies it.
std::wstring ReadItemText(const WindowRef& control, UINT lengthMessage, UINT textMessage, int index) {
  LRESULT length = control.Send(lengthMessage, static_cast<WPARAM>(index));
  if (length <= 0) return {};  // also LB_ERR / CB_ERR
  std::wstring text(static_cast<size_t>(length) + 1, L'\0');
  LRESULT copied = control.Send(textMessage, static_cast<WPARAM>(index), reinterpret_cast<LPARAM>(text.data()));
  text.resize(copied > 0 ? static_cast<size_t>(copied) : 0);
  return text;
}

}  // namespace

std::wstring ListBox::ItemText(int index) const { return ReadItemText(*this, LB_GETTEXTLEN, LB_GETTEXT, index); }

std::wstring ComboBox::ItemText(int index) const { return ReadItemText(*this, CB_GETLBTEXTLEN, CB_GETLBTEXT, index); }

}  // namespace platform
