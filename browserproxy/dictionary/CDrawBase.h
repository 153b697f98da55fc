#pragma once
#include <windows.h>

// A line of the light entry view that draws itself. Every measuring and
// drawing call gets two fonts owned by the view: a font selector of 2 picks
// the first, any other the second.
class CDrawBase {
 public:
  virtual ~CDrawBase() = default;
  // Draws into the area and answers the rectangle used.
  virtual RECT Draw(HDC dc, HFONT firstFont, HFONT secondFont, const RECT& area) = 0;
  virtual SIZE Measure(HDC dc, HFONT firstFont, HFONT secondFont, int maxWidth) {
    return SIZE{0, 0};
  }
  virtual int GetKind() const { return 0; }
  virtual int HitTest(int x, int y) const { return -1; }
  // With a point: the part under it; without: every part.
  virtual void SetActive(const POINT* point, int flag) {}
  virtual void SetHot(const POINT* point, int flag) {}

 protected:
  CDrawBase() = default;
  CDrawBase(const CDrawBase&) = default;
  CDrawBase& operator=(const CDrawBase&) = default;

  static HFONT PickFont(int selector, HFONT firstFont, HFONT secondFont) {
    return selector == 2 ? firstFont : secondFont;
  }
};
