#include "browserproxy/ui/VQDMainList.h"

#include <algorithm>

#include "browserproxy/ui/PopupStrings.h"
#include "platform/base/DcStateGuard.h"
#include "platform/base/DeviceContext.h"
#include "platform/base/SelectedObject.h"

namespace {

constexpr UINT kMeasure = 0x8C24;  // DT_CALCRECT | DT_SINGLELINE | DT_VCENTER | DT_NOPREFIX | DT_END_ELLIPSIS
constexpr UINT kDraw = 0x8824;

platform::UniqueFont ListFont(LONG weight, bool italic) {
  LOGFONTW description{};
  description.lfHeight = -12;
  description.lfWeight = weight;
  description.lfItalic = italic ? TRUE : FALSE;
  description.lfCharSet = DEFAULT_CHARSET;
  wcscpy_s(description.lfFaceName, L"MS Shell Dlg");
  return platform::UniqueFont(CreateFontIndirectW(&description));
}

bool EqualNoCase(const std::wstring& a, const std::wstring& b) {
  return CompareStringW(LOCALE_USER_DEFAULT, NORM_IGNORECASE, a.c_str(), static_cast<int>(a.size()), b.c_str(),
                        static_cast<int>(b.size())) == CSTR_EQUAL;
}

// Measures a piece, draws it and moves the pen to its right edge.
void Piece(HDC dc, RECT& pen, HFONT font, COLORREF colour, const std::wstring& text, RECT* drawn = nullptr) {
  if (text.empty()) return;
  platform::SelectedObject selected(dc, font);
  SetTextColor(dc, colour);
  std::wstring copy = text;
  RECT measured = pen;
  DrawTextExW(dc, copy.data(), static_cast<int>(copy.size()), &measured, kMeasure, nullptr);
  measured.top = pen.top;
  measured.bottom = pen.bottom;
  copy = text;
  DrawTextExW(dc, copy.data(), static_cast<int>(copy.size()), &measured, kDraw, nullptr);
  if (drawn) *drawn = measured;
  pen.left = measured.right;
}

}  // namespace

CVQDMainList::CVQDMainList() {
  auto forwardClick = [](platform::Message& m) -> LRESULT {
    SendMessageW(GetParent(m.hwnd), m.id, m.wParam, m.lParam);
    SendMessageW(m.hwnd, WM_KILLFOCUS, m.wParam, m.lParam);
    return 0;
  };
  Messages()
      .On(WM_LBUTTONDOWN, forwardClick)
      .On(WM_RBUTTONDOWN, forwardClick)
      .On(WM_ERASEBKGND, [](platform::Message&) -> LRESULT { return 0; });
}

CVQDMainList::~CVQDMainList() { Destroy(); }

platform::Window::ClassInfo CVQDMainList::WindowClass() const {
  ClassInfo info;
  info.name = L"NorvaServerEntryList";
  info.superclassOf = L"LISTBOX";
  return info;
}

bool CVQDMainList::Initialize() {
  regular_ = ListFont(FW_NORMAL, false);
  bold_ = ListFont(FW_BOLD, false);
  italic_ = ListFont(FW_NORMAL, true);
  secondPart_ = 0x008000;
  text_ = 0x000000;
  number_ = 0x995B2B;
  TakeBaseItemHeight();
  return true;
}

int CVQDMainList::Width(HDC dc, HFONT font, const std::wstring& text) const {
  if (text.empty()) return 0;
  platform::SelectedObject selected(dc, font);
  SIZE size{};
  GetTextExtentPoint32W(dc, text.c_str(), static_cast<int>(text.size()), &size);
  return size.cx;
}

void CVQDMainList::MeasureLine(const Line& line, Measure measure) {
  platform::WindowDC dc(Hwnd());
  int width = 0;
  switch (measure) {
    case Measure::Heading: {
      size_t comma = line.text.find(L',');
      width = Width(dc.Get(), bold_.Get(), line.text.substr(0, comma));
      if (comma != std::wstring::npos) width += Width(dc.Get(), italic_.Get(), line.text.substr(comma));
      break;
    }
    case Measure::Numbered: {
      size_t dot = line.text.find(L'.');
      if (dot == std::wstring::npos) {
        width = Width(dc.Get(), regular_.Get(), line.text) + 10 + 5;
      } else {
        width = Width(dc.Get(), regular_.Get(), line.text.substr(0, dot + 1)) + 10 +
                Width(dc.Get(), bold_.Get(), line.text.substr(dot + 1)) + 5;
      }
      break;
    }
    case Measure::Message:
      if (!EqualNoCase(line.text, line.record)) {
        std::wstring without = line.text;
        size_t at = without.find(line.record);
        if (at != std::wstring::npos) without.erase(at, line.record.size());
        width = Width(dc.Get(), regular_.Get(), without) +
                static_cast<int>(1.1 * Width(dc.Get(), bold_.Get(), line.record));
      } else {
        width = Width(dc.Get(), regular_.Get(), line.text);
      }
      break;
  }
  if (width > widest_) {
    widest_ = width;
    SendMessageW(Hwnd(), LB_SETCOLUMNWIDTH, static_cast<WPARAM>(width), 0);
  }
}

void CVQDMainList::AddLine(const std::wstring& text, const std::wstring& record, int kind, Measure measure) {
  lines_.push_back({text, record, kind});
  if (Hwnd()) {
    AddListString(lines_.back().text);
    MeasureLine(lines_.back(), measure);
  }
  totalHeight_ += baseItemHeight_;
}

bool CVQDMainList::FillFromResult(const std::wstring& text, int flag) {
  if (Hwnd()) SendMessageW(Hwnd(), LB_RESETCONTENT, 0, 0);
  lines_.clear();
  totalHeight_ = 0;
  widest_ = 0;
  messageFlag_ = flag;
  if (!ReadTranslationResultXml(text, &entries_)) {
    if (flag) {
      AddLine(popupstrings::Sentence(popupstrings::Load(popupstrings::kWord), text,
                                     popupstrings::Load(popupstrings::kNotFound)),
              text, 1, Measure::Message);
      std::wstring hint = popupstrings::Load(popupstrings::kCheckLanguagePair);
      AddLine(hint, hint, 0, Measure::Message);
    } else {
      AddLine(text, text, 0, Measure::Numbered);
    }
    return true;
  }
  for (const VqdEntryRecord& entry : entries_) {
    std::wstring heading = entry.source;
    if (!entry.partOfSpeechCaption.empty()) heading += L", " + entry.partOfSpeechCaption;
    AddLine(heading, heading, 1, Measure::Heading);
    for (size_t j = 0; j < entry.translations.size(); ++j) {
      std::wstring line = std::to_wstring(j + 1) + L"." + entry.translations[j];
      AddLine(line, line, 0, Measure::Numbered);
    }
  }
  return true;
}

const std::wstring* CVQDMainList::LineText(UINT index) const {
  return index < lines_.size() ? &lines_[index].text : nullptr;
}

void CVQDMainList::DrawEntryItem(HDC dc, int index, const RECT& rect) {
  if (index < 0 || static_cast<size_t>(index) >= lines_.size()) return;
  const Line& line = lines_[static_cast<size_t>(index)];
  platform::DcStateGuard state(dc);
  SetBkMode(dc, TRANSPARENT);
  SelectObject(dc, GetStockObject(NULL_BRUSH));
  RECT pen = rect;
  if (messageFlag_) {
    if (line.kind == 1) {
      Piece(dc, pen, regular_.Get(), text_, popupstrings::Load(popupstrings::kWord));
      Piece(dc, pen, bold_.Get(), text_, L" '" + line.record + L"' ");
      Piece(dc, pen, regular_.Get(), text_, popupstrings::Load(popupstrings::kNotFound));
    } else {
      Piece(dc, pen, regular_.Get(), text_, line.text);
    }
    return;
  }
  if (line.kind == 1) {
    size_t comma = line.text.find(L',');
    RECT drawn{};
    Piece(dc, pen, bold_.Get(), text_, line.text.substr(0, comma), &drawn);
    platform::UniquePen underline(CreatePen(PS_SOLID, 1, text_));
    {
      platform::SelectedObject selected(dc, underline.Get());
      MoveToEx(dc, drawn.left, drawn.bottom - 1, nullptr);
      LineTo(dc, drawn.right, drawn.bottom - 1);
    }
    if (comma != std::wstring::npos) Piece(dc, pen, italic_.Get(), secondPart_, line.text.substr(comma));
    return;
  }
  size_t dot = line.text.find(L'.');
  if (dot == std::wstring::npos) {
    Piece(dc, pen, regular_.Get(), text_, line.text);
    return;
  }
  pen.left += 10;
  Piece(dc, pen, regular_.Get(), number_, line.text.substr(0, dot + 1));
  Piece(dc, pen, bold_.Get(), number_, line.text.substr(dot + 1));
}
