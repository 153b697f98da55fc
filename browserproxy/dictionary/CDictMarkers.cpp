#include "browserproxy/dictionary/CDictMarkers.h"

#include <algorithm>

#include "browserproxy/dictionary/CAutoSaveDC.h"
#include "platform/base/Handles.h"

CDictMarkers::CDictMarkers(unsigned short fontSelector, const std::vector<DictionaryRun>& sources)
    : fontSelector_(fontSelector) {
  markers_.reserve(sources.size());
  for (const auto& source : sources) markers_.emplace_back(source.name, source.name, source.key);
}

// Runs `step` with the marker's font (the row's base font, bold when active,
// underlined when not) and colour selected; the font goes after the
// context's state is restored.
template <class Step>
auto CDictMarkers::WithMarkerFont(HDC dc, HFONT firstFont, HFONT secondFont,
                                  const CDictMarker& marker, Step step) const {
  LOGFONTW description{};
  GetObjectW(PickFont(fontSelector_, firstFont, secondFont), sizeof description, &description);
  description.lfWeight = marker.active ? FW_BOLD : FW_NORMAL;
  description.lfUnderline = marker.active ? FALSE : TRUE;
  platform::UniqueFont font(CreateFontIndirectW(&description));
  CAutoSaveDC guard(dc);
  if (font) SelectObject(dc, font.Get());
  SetTextColor(dc, marker.hot ? marker.hotColour : marker.colour);
  return step();
}

SIZE CDictMarkers::MarkerSize(HDC dc, const CDictMarker& marker) const {
  SIZE size{0, 0};
  GetTextExtentPoint32W(dc, marker.text.c_str(), static_cast<int>(marker.text.size()), &size);
  return size;
}

SIZE CDictMarkers::Measure(HDC dc, HFONT firstFont, HFONT secondFont, int maxWidth) {
  int x = indent_;
  int width = 0;
  int height = 0;
  int lastHeight = 0;
  for (const auto& marker : markers_) {
    SIZE size = WithMarkerFont(dc, firstFont, secondFont, marker,
                               [&] { return MarkerSize(dc, marker); });
    if (height == 0) height = size.cy;
    if (maxWidth > 0 && x + size.cx < maxWidth) {
      x += size.cx + kGap;
    } else {
      width = std::max(width, x);
      height += size.cy;
      x = 0;
    }
    lastHeight = size.cy;
  }
  return SIZE{width, height + lastHeight};
}

RECT CDictMarkers::Draw(HDC dc, HFONT firstFont, HFONT secondFont, const RECT& area) {
  int x = area.left + indent_;
  int y = area.top;
  int total = indent_;
  for (auto& marker : markers_) {
    WithMarkerFont(dc, firstFont, secondFont, marker, [&] {
      SIZE size = MarkerSize(dc, marker);
      if (x + size.cx > area.right) {
        x = indent_;
        y += size.cy;
      }
      RECT box{x, y, area.right, area.bottom};
      DrawTextExW(dc, const_cast<wchar_t*>(marker.text.c_str()), static_cast<int>(marker.text.size()),
                  &box, DT_SINGLELINE | DT_END_ELLIPSIS, nullptr);
      marker.rect = RECT{x, y, x + size.cx, y + size.cy};
      x += size.cx + kGap;
      total += size.cx;
    });
  }
  return RECT{area.left, area.top, area.left + total, area.bottom};
}

int CDictMarkers::MarkerFromPoint(int x, int y) const {
  POINT point{x, y};
  for (size_t i = 0; i < markers_.size(); ++i) {
    if (PtInRect(&markers_[i].rect, point)) return static_cast<int>(i);
  }
  return -1;
}

void CDictMarkers::SetFlag(const POINT* point, int CDictMarker::*field, int flag) {
  if (!point) {
    for (auto& marker : markers_) marker.*field = flag;
    return;
  }
  int index = MarkerFromPoint(point->x, point->y);
  if (index >= 0) markers_[static_cast<size_t>(index)].*field = flag;
}

void CDictMarkers::SetActive(const POINT* point, int flag) { SetFlag(point, &CDictMarker::active, flag); }

void CDictMarkers::SetHot(const POINT* point, int flag) { SetFlag(point, &CDictMarker::hot, flag); }

void CDictMarkers::SetMarkerState(const std::wstring& key, int flag) {
  for (auto& marker : markers_) {
    if (marker.secondKey == key) {
      marker.active = flag;
      return;
    }
  }
}
