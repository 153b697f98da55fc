#pragma once
#include <windows.h>

// Saves a device context's state when made and restores it when it goes, so
// that fonts and colours chosen while drawing one item never leak into the
// caller's context. A null context is allowed and left alone.
class CAutoSaveDC {
 public:
  explicit CAutoSaveDC(HDC dc) : dc_(dc), saved_(dc ? SaveDC(dc) : 0) {}
  virtual ~CAutoSaveDC() {
    if (dc_ && saved_ != 0) RestoreDC(dc_, saved_);
  }
  CAutoSaveDC(const CAutoSaveDC&) = delete;
  CAutoSaveDC& operator=(const CAutoSaveDC&) = delete;

 private:
  HDC dc_;
  int saved_;
};
