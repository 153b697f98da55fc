#include "browserproxy/core/BrowserHookLibrary.h"

namespace {

using NoArguments = int(__cdecl*)();
using TypeAndWindow = int(__cdecl*)(LONG, LONG);
using TypeOnly = int(__cdecl*)(LONG);

}  // namespace

CBrowserHookLibrary::CBrowserHookLibrary() : library_(LoadLibraryW(L"NorvaBrowserHook.dll")) {
  if (auto load = reinterpret_cast<NoArguments>(Export("LoadHook"))) load();
}

CBrowserHookLibrary::~CBrowserHookLibrary() {
  if (!library_) return;
  if (auto unload = reinterpret_cast<NoArguments>(Export("UnloadHook"))) unload();
}

FARPROC CBrowserHookLibrary::Export(const char* name) const {
  return library_ ? GetProcAddress(library_.Get(), name) : nullptr;
}

void CBrowserHookLibrary::SetBrowserHook(long browserType, long handlerWindow) const {
  if (auto set = reinterpret_cast<TypeAndWindow>(Export("SetBrowserHook"))) set(browserType, handlerWindow);
}

void CBrowserHookLibrary::UnSetBrowserHook(long browserType) const {
  if (auto unset = reinterpret_cast<TypeOnly>(Export("UnSetBrowserHook"))) unset(browserType);
}
