#include "DialogTextFit.h"

#include <commctrl.h>

#include <algorithm>
#include <sstream>

#include "platform/base/DeviceContext.h"
#include "platform/base/SelectedObject.h"
#include "platform/win/WindowImage.h"

namespace testsupport {
namespace {

std::wstring ClassOf(HWND window) {
  wchar_t name[64] = {};
  GetClassNameW(window, name, 64);
  return name;
}

std::wstring TextOf(HWND window) {
  const int length = GetWindowTextLengthW(window);
  std::wstring text(length + 1, L'\0');
  text.resize(GetWindowTextW(window, text.data(), length + 1));
  return text;
}

HFONT FontOf(HWND control) {
  if (HFONT font = reinterpret_cast<HFONT>(SendMessageW(control, WM_GETFONT, 0, 0))) return font;
  return static_cast<HFONT>(GetStockObject(DEFAULT_GUI_FONT));
}

SIZE ClientSize(HWND window) {
  RECT client{};
  GetClientRect(window, &client);
  return {client.right - client.left, client.bottom - client.top};
}

// Measures texts with one font on a screen device context.
class TextMeasure {
 public:
  explicit TextMeasure(HFONT font) : screen_(nullptr), font_(screen_.Get(), font) {}

  // One line: the text as drawn, with "&x" showing x underlined and "&&" one "&".
  SIZE Line(const std::wstring& text, bool prefixes) const {
    std::wstring shown;
    for (size_t i = 0; i < text.size(); ++i) {
      if (prefixes && text[i] == L'&' && i + 1 < text.size()) ++i;
      shown += text[i];
    }
    SIZE size{};
    GetTextExtentPoint32W(screen_.Get(), shown.c_str(), static_cast<int>(shown.size()), &size);
    return size;
  }

  // The columns that drawing the text on one line inks, from its start: its
  // width as the eye sees it, which may pass the advance width when a glyph
  // hangs over.
  int InkWidth(const std::wstring& text) const {
    const SIZE size = Line(text, false);
    const int width = size.cx + 32, height = size.cy + 8;
    platform::MemoryDC memory(screen_.Get());
    platform::UniqueBitmap canvas(CreateCompatibleBitmap(screen_.Get(), width, height));
    platform::SelectedObject selected(memory.Get(), canvas.Get());
    platform::SelectedObject font(memory.Get(), GetCurrentObject(screen_.Get(), OBJ_FONT));
    RECT all{0, 0, width, height};
    FillRect(memory.Get(), &all, static_cast<HBRUSH>(GetStockObject(WHITE_BRUSH)));
    SetTextColor(memory.Get(), RGB(0, 0, 0));
    SetBkMode(memory.Get(), TRANSPARENT);
    TextOutW(memory.Get(), 16, 4, text.c_str(), static_cast<int>(text.size()));
    int left = width, right = 0;
    for (int x = 0; x < width; ++x)
      for (int y = 0; y < height; ++y)
        if (GetRValue(GetPixel(memory.Get(), x, y)) < 0x80) {
          left = std::min(left, x);
          right = x + 1;
        }
    return std::max(0, right - left);
  }

  // Broken into lines at word ends within width: the widest line (wider than
  // width when one word alone is) and the height of all lines.
  SIZE Wrapped(const std::wstring& text, int width, bool prefixes) const {
    RECT box{0, 0, width, 0};
    std::wstring copy = text;
    DrawTextW(screen_.Get(), copy.data(), static_cast<int>(copy.size()), &box,
              DT_CALCRECT | DT_WORDBREAK | DT_EXPANDTABS | (prefixes ? 0 : DT_NOPREFIX));
    return {box.right - box.left, box.bottom - box.top};
  }

 private:
  platform::WindowDC screen_;
  platform::SelectedObject font_;
};

bool Fits(SIZE needed, SIZE room) { return needed.cx <= room.cx && needed.cy <= room.cy; }

// The room a button of this style leaves its text, and whether the text wraps.
bool ButtonRoom(LONG style, SIZE client, SIZE& room, std::wstring& kind) {
  // The push button's frame and focus rectangle take two edges on each side.
  const int edge = GetSystemMetrics(SM_CXEDGE);
  // A check box or radio button draws its box, then a gap, then the text.
  const int box = GetSystemMetrics(SM_CXMENUCHECK) + 2 * edge;
  switch (style & BS_TYPEMASK) {
    case BS_PUSHBUTTON:
    case BS_DEFPUSHBUTTON:
      kind = L"push button";
      room = {client.cx - 4 * edge, client.cy - 2 * edge};
      return true;
    case BS_CHECKBOX:
    case BS_AUTOCHECKBOX:
    case BS_3STATE:
    case BS_AUTO3STATE:
      kind = L"check box";
      room = {client.cx - box, client.cy};
      return true;
    case BS_RADIOBUTTON:
    case BS_AUTORADIOBUTTON:
      kind = L"radio button";
      room = {client.cx - box, client.cy};
      return true;
    case BS_GROUPBOX:
      // The caption is set in from the frame's corner at both ends.
      kind = L"group box";
      room = {client.cx - 8 * edge, client.cy};
      return true;
    default:
      return false;  // owner-drawn and user buttons draw no text of theirs
  }
}

void CheckButton(HWND control, std::vector<TextMisfit>& misfits) {
  const std::wstring text = TextOf(control);
  if (text.empty()) return;
  const LONG style = GetWindowLongW(control, GWL_STYLE);
  SIZE room{};
  std::wstring kind;
  if (!ButtonRoom(style, ClientSize(control), room, kind)) return;
  const TextMeasure measure(FontOf(control));
  SIZE needed = (style & BS_MULTILINE) ? measure.Wrapped(text, room.cx, true) : measure.Line(text, true);
  // A group box's caption sits on the frame's top line: only its width counts.
  if ((style & BS_TYPEMASK) == BS_GROUPBOX) needed.cy = 0;
  if (!Fits(needed, room)) misfits.push_back({GetDlgCtrlID(control), kind, text, needed, room});
}

void CheckStatic(HWND control, std::vector<TextMisfit>& misfits) {
  const std::wstring text = TextOf(control);
  if (text.empty()) return;
  const LONG style = GetWindowLongW(control, GWL_STYLE);
  if (style & SS_ELLIPSISMASK) return;  // shortened on purpose
  const bool prefixes = !(style & SS_NOPREFIX);
  const SIZE room = ClientSize(control);
  const TextMeasure measure(FontOf(control));
  SIZE needed{};
  switch (style & SS_TYPEMASK) {
    case SS_LEFT:
    case SS_CENTER:
    case SS_RIGHT:
      needed = measure.Wrapped(text, room.cx, prefixes);
      break;
    case SS_SIMPLE:
    case SS_LEFTNOWORDWRAP:
      needed = measure.Line(text, prefixes);
      break;
    default:
      return;  // pictures, frames and owner-drawn statics
  }
  if (!Fits(needed, room)) misfits.push_back({GetDlgCtrlID(control), L"label", text, needed, room});
}

void CheckColumnHeaders(HWND list, std::vector<TextMisfit>& misfits) {
  if (GetWindowLongW(list, GWL_STYLE) & LVS_NOCOLUMNHEADER) return;
  HWND header = reinterpret_cast<HWND>(SendMessageW(list, LVM_GETHEADER, 0, 0));
  if (!header) return;
  // The header sets each caption in by three edges on both sides.
  const int margin = 3 * GetSystemMetrics(SM_CXEDGE);
  const TextMeasure measure(FontOf(header));
  const int count = static_cast<int>(SendMessageW(header, HDM_GETITEMCOUNT, 0, 0));
  for (int i = 0; i < count; ++i) {
    wchar_t text[260] = {};
    HDITEMW item{};
    item.mask = HDI_TEXT | HDI_WIDTH;
    item.pszText = text;
    item.cchTextMax = 260;
    if (!SendMessageW(header, HDM_GETITEMW, i, reinterpret_cast<LPARAM>(&item)) || !text[0]) continue;
    RECT box{};
    SendMessageW(header, HDM_GETITEMRECT, i, reinterpret_cast<LPARAM>(&box));
    const SIZE needed = measure.Line(text, false);
    const SIZE room{item.cxy - 2 * margin, box.bottom - box.top};
    if (!Fits(needed, room))
      misfits.push_back({GetDlgCtrlID(list), L"column header " + std::to_wstring(i), text, needed, room});
  }
}

std::string Utf8(const std::wstring& text) {
  const int length = WideCharToMultiByte(CP_UTF8, 0, text.c_str(), -1, nullptr, 0, nullptr, nullptr);
  std::string out(length > 0 ? length - 1 : 0, '\0');
  WideCharToMultiByte(CP_UTF8, 0, text.c_str(), -1, out.data(), length, nullptr, nullptr);
  return out;
}

INT_PTR CALLBACK InertDialogProc(HWND, UINT message, WPARAM, LPARAM) { return message == WM_INITDIALOG; }

BOOL CALLBACK AddLanguage(HMODULE, LPCWSTR, LPCWSTR name, WORD language, LONG_PTR found) {
  reinterpret_cast<std::vector<std::pair<UINT, LANGID>>*>(found)->emplace_back(
      static_cast<UINT>(reinterpret_cast<ULONG_PTR>(name)), language);
  return TRUE;
}

BOOL CALLBACK AddName(HMODULE module, LPCWSTR type, LPWSTR name, LONG_PTR found) {
  if (IS_INTRESOURCE(name)) EnumResourceLanguagesW(module, type, name, AddLanguage, found);
  return TRUE;
}

}  // namespace

std::string Describe(const std::vector<TextMisfit>& misfits) {
  std::ostringstream out;
  for (const TextMisfit& m : misfits)
    out << Utf8(m.kind) << " " << m.controlId << " \"" << Utf8(m.text) << "\" needs " << m.needed.cx << "x"
        << m.needed.cy << " px, has " << m.room.cx << "x" << m.room.cy << "\n";
  return out.str();
}

std::vector<TextMisfit> MisfittingTexts(HWND dialog) {
  std::vector<TextMisfit> misfits;
  for (HWND control = GetWindow(dialog, GW_CHILD); control; control = GetWindow(control, GW_HWNDNEXT)) {
    const std::wstring kind = ClassOf(control);
    if (!lstrcmpiW(kind.c_str(), L"Button"))
      CheckButton(control, misfits);
    else if (!lstrcmpiW(kind.c_str(), L"Static"))
      CheckStatic(control, misfits);
    else if (!lstrcmpiW(kind.c_str(), WC_LISTVIEWW))
      CheckColumnHeaders(control, misfits);
  }
  return misfits;
}

std::vector<TextMisfit> ClippedColumnHeaders(HWND list) {
  std::vector<TextMisfit> misfits;
  HWND header = reinterpret_cast<HWND>(SendMessageW(list, LVM_GETHEADER, 0, 0));
  if (!header || !IsWindowVisible(header)) return misfits;
  RedrawWindow(header, nullptr, nullptr, RDW_INVALIDATE | RDW_UPDATENOW);
  platform::UniqueBitmap picture = platform::CaptureWindow(header).bitmap;
  DIBSECTION dib{};
  if (!picture || GetObjectW(picture.Get(), sizeof(dib), &dib) != sizeof(dib)) return misfits;
  const int width = dib.dsBm.bmWidth, height = std::abs(dib.dsBm.bmHeight);
  const auto* pixels = static_cast<const DWORD*>(dib.dsBm.bmBits);
  // Caption pixels are the dark ones (the text colour on the button face).
  auto dark = [&](int x, int y) {
    const DWORD p = pixels[y * width + x];
    return ((p >> 16) & 0xFF) < 0x80 && ((p >> 8) & 0xFF) < 0x80 && (p & 0xFF) < 0x80;
  };
  const TextMeasure measure(FontOf(header));
  const int count = static_cast<int>(SendMessageW(header, HDM_GETITEMCOUNT, 0, 0));
  for (int i = 0; i < count; ++i) {
    wchar_t text[260] = {};
    HDITEMW item{};
    item.mask = HDI_TEXT;
    item.pszText = text;
    item.cchTextMax = 260;
    if (!SendMessageW(header, HDM_GETITEMW, i, reinterpret_cast<LPARAM>(&item)) || !text[0]) continue;
    RECT box{};
    SendMessageW(header, HDM_GETITEMRECT, i, reinterpret_cast<LPARAM>(&box));
    // The dark columns inside the item, its edges (the dividers) left out.
    int drawnLeft = box.right, drawnRight = box.left;
    for (int x = box.left + 2; x < std::min<int>(box.right - 2, width); ++x)
      for (int y = 2; y < height - 2; ++y)
        if (dark(x, y)) {
          drawnLeft = std::min(drawnLeft, x);
          drawnRight = x + 1;
        }
    const SIZE needed{measure.InkWidth(text), box.bottom - box.top};
    const int drawn = std::max(0, drawnRight - drawnLeft);
    // A caption drawn in full inks as many columns as the text drawn alone.
    if (drawn != needed.cx)
      misfits.push_back({GetDlgCtrlID(list), L"drawn column header " + std::to_wstring(i), text, needed,
                         SIZE{drawn, box.bottom - box.top}});
  }
  return misfits;
}

std::vector<TextMisfit> MisfittingListRows(HWND list) {
  std::vector<TextMisfit> misfits;
  // The list sets a row's text in by two pixels on either side.
  constexpr int kPadding = 2;
  const TextMeasure measure(FontOf(list));
  const int count = static_cast<int>(SendMessageW(list, LVM_GETITEMCOUNT, 0, 0));
  for (int i = 0; i < count; ++i) {
    wchar_t text[260] = {};
    LVITEMW item{};
    item.iSubItem = 0;
    item.pszText = text;
    item.cchTextMax = 260;
    SendMessageW(list, LVM_GETITEMTEXTW, i, reinterpret_cast<LPARAM>(&item));
    RECT label{};
    label.left = LVIR_LABEL;
    SendMessageW(list, LVM_GETITEMRECT, i, reinterpret_cast<LPARAM>(&label));
    const SIZE needed = measure.Line(text, false);
    const SIZE room{label.right - label.left - 2 * kPadding, label.bottom - label.top};
    if (!Fits(needed, room)) misfits.push_back({GetDlgCtrlID(list), L"row " + std::to_wstring(i), text, needed, room});
  }
  return misfits;
}

std::vector<std::pair<UINT, LANGID>> ModuleResources(HMODULE module, LPCWSTR type) {
  std::vector<std::pair<UINT, LANGID>> found;
  EnumResourceNamesW(module, type, AddName, reinterpret_cast<LONG_PTR>(&found));
  return found;
}

TemplateDialog::TemplateDialog(HMODULE module, UINT id, LANGID language) {
  static const bool classes = [] {
    INITCOMMONCONTROLSEX init{sizeof(init), ICC_WIN95_CLASSES | ICC_TAB_CLASSES | ICC_BAR_CLASSES};
    InitCommonControlsEx(&init);
    LoadLibraryW(L"riched20.dll");  // the class RichEdit20W, for the process's lifetime
    return true;
  }();
  (void)classes;
  HRSRC found = FindResourceExW(module, RT_DIALOG, MAKEINTRESOURCEW(id), language);
  if (!found) return;
  auto dialogTemplate = static_cast<const DLGTEMPLATE*>(LockResource(LoadResource(module, found)));
  // DLGTEMPLATEEX begins with its version 1 and signature 0xFFFF; its style
  // is the fourth DWORD, where DLGTEMPLATE has it first.
  const WORD* words = reinterpret_cast<const WORD*>(dialogTemplate);
  const DWORD style = words[1] == 0xFFFF ? *reinterpret_cast<const DWORD*>(words + 6) : dialogTemplate->style;
  if (style & WS_CHILD)
    host_.Reset(CreateWindowExW(0, L"Static", L"", WS_POPUP, 0, 0, 800, 600, nullptr, nullptr,
                                GetModuleHandleW(nullptr), nullptr));
  dialog_.Reset(CreateDialogIndirectParamW(GetModuleHandleW(nullptr), dialogTemplate, host_.Get(), InertDialogProc, 0));
}

}  // namespace testsupport
