#pragma once
// The library's application object: start-up before Firefox creates the
// component (current directory, XPCOM glue, interface-language resources,
// application name) and the hand-off record read at start-up.
#include <windows.h>

#include <string>

#include "firefox/RunningHandOff.h"

class CfervixApp {
 public:
  // False makes the library fail to load.
  bool InitInstance(HMODULE module);
  // Reads the hand-off value again (deleting it) and keeps what it held;
  // true when it held text.
  bool ReadRunningHandOff();

  long D() const { return handOff_.d; }
  const std::wstring& T() const { return handOff_.t; }
  const std::wstring& U() const { return handOff_.u; }
  void ClearD() { handOff_.d = 0; }
  const std::wstring& Name() const { return name_; }
  HMODULE Module() const { return module_; }

 private:
  RunningHandOff handOff_;
  std::wstring name_;
  HMODULE module_ = nullptr;
};

CfervixApp& TheApp();
