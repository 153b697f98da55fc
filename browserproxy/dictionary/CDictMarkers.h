#pragma once
#include <windows.h>

#include <string>
#include <vector>

#include "browserproxy/dictionary/CDrawBase.h"
#include "browserproxy/dictionary/DictionaryRun.h"

// One clickable dictionary marker: its text, the keys it answers to, and
// where it was last drawn (empty until then).
class CDictMarker {
 public:
  CDictMarker(std::wstring text, std::wstring firstKey, std::wstring secondKey)
      : text(std::move(text)), firstKey(std::move(firstKey)), secondKey(std::move(secondKey)) {}
  virtual ~CDictMarker() = default;
  CDictMarker(const CDictMarker&) = default;
  CDictMarker& operator=(const CDictMarker&) = default;

  std::wstring text;
  std::wstring firstKey;
  std::wstring secondKey;  // the dictionary key
  RECT rect{};
  int active = 0;
  int hot = 0;
  COLORREF colour = RGB(0, 128, 0);
  COLORREF hotColour = RGB(0, 128, 0);
};

// A row of dictionary markers, flowing left to right and wrapping. Active
// markers are bold, the others underlined; hot markers take the hot colour.
class CDictMarkers : public CDrawBase {
 public:
  static constexpr int kKind = 4;
  static constexpr int kIndent = 5;
  static constexpr int kGap = 4;

  // One marker per source in order: text and first key from its name,
  // second key from its key.
  CDictMarkers(unsigned short fontSelector, const std::vector<DictionaryRun>& sources);
  ~CDictMarkers() override = default;
  CDictMarkers(const CDictMarkers&) = delete;
  CDictMarkers& operator=(const CDictMarkers&) = delete;

  RECT Draw(HDC dc, HFONT firstFont, HFONT secondFont, const RECT& area) override;
  SIZE Measure(HDC dc, HFONT firstFont, HFONT secondFont, int maxWidth) override;
  int GetKind() const override { return kKind; }
  void SetActive(const POINT* point, int flag) override;
  void SetHot(const POINT* point, int flag) override;
  // The first marker whose last drawn rectangle holds the point, or -1.
  virtual int MarkerFromPoint(int x, int y) const;

  // The first marker whose key equals `key` takes the active flag.
  void SetMarkerState(const std::wstring& key, int flag);

  size_t MarkerCount() const { return markers_.size(); }
  // Null when the index is out of range.
  const CDictMarker* Marker(size_t index) const {
    return index < markers_.size() ? &markers_[index] : nullptr;
  }

 private:
  template <class Step>
  auto WithMarkerFont(HDC dc, HFONT firstFont, HFONT secondFont, const CDictMarker& marker,
                      Step step) const;
  SIZE MarkerSize(HDC dc, const CDictMarker& marker) const;
  // The marker under the point, or every marker without a point.
  void SetFlag(const POINT* point, int CDictMarker::*field, int flag);

  unsigned short fontSelector_;
  int indent_ = kIndent;
  std::vector<CDictMarker> markers_;
};
