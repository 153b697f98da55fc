// The library's entry points: the module table the browser reads through
// NSGetModule, and the start-up of the application object.
#include <windows.h>

#include "firefox/FervixApp.h"
#include "firefox/FervixComponent.h"
#include "firefox/HookHandlerWnd.h"
#include "platform/xpcom/GenericModule.h"

namespace {

const ModuleClass kClasses[] = {
    {&kFervixComponentCid, false, nullptr, CFervixComponent::CreateInstance},
    {nullptr, false, nullptr, nullptr},
};
const ModuleContract kContracts[] = {
    {kFervixContractId, &kFervixComponentCid},
    {nullptr, nullptr},
};
const ModuleCategory kCategories[] = {
    {kFervixCategory, kFervixCategoryEntry, kFervixContractId},
    {nullptr, nullptr, nullptr},
};

}  // namespace

extern "C" {

__declspec(dllexport) extern const ModuleTable NSModule;
const ModuleTable NSModule = {9, kClasses, kContracts, kCategories, nullptr, nullptr, nullptr};

__declspec(dllexport) nsresult NSGetModule(nsIComponentManager*, nsIFile*, nsIModule** result) {
  return NewGenericModule(NSModule, result);
}

BOOL WINAPI DllMain(HINSTANCE instance, DWORD reason, LPVOID) {
  if (reason == DLL_PROCESS_ATTACH) {
    DisableThreadLibraryCalls(instance);
    TheHookMessages();
    return TheApp().InitInstance(instance) ? TRUE : FALSE;
  }
  return TRUE;
}

}  // extern "C"
