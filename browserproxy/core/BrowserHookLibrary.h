#pragma once
#include <windows.h>

#include "platform/base/Handles.h"

// The binding of the product's browser hook library "NorvaBrowserHook.dll":
// loaded by name, each export looked up at the time of its call. A missing
// library or export skips the call silently.
class CBrowserHookLibrary {
 public:
  // Loads the library and calls LoadHook.
  CBrowserHookLibrary();
  // Calls UnloadHook and frees the library.
  ~CBrowserHookLibrary();
  CBrowserHookLibrary(const CBrowserHookLibrary&) = delete;
  CBrowserHookLibrary& operator=(const CBrowserHookLibrary&) = delete;

  bool Loaded() const { return library_.Valid(); }
  void SetBrowserHook(long browserType, long handlerWindow) const;
  void UnSetBrowserHook(long browserType) const;

 private:
  FARPROC Export(const char* name) const;

  platform::UniqueLibrary library_;
};
