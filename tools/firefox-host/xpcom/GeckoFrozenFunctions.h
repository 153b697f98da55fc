#pragma once
// The frozen function table of the browser's XPCOM library as Firefox 3
// (Gecko 1.9) lays it out, and the exports it fills it from. A glue asks
// with its version (1) and the size it has room for; the library fills no
// more than that. Every function here is __cdecl.
#include "GeckoXpcom.h"

namespace gecko {

using AnyFunction = void(GECKO_CALL*)();
using GetServiceManagerFunction = nsresult(GECKO_CALL*)(nsIServiceManager** result);
using GetComponentManagerFunction = nsresult(GECKO_CALL*)(nsIComponentManager** result);
using GetComponentRegistrarFunction = nsresult(GECKO_CALL*)(nsIComponentRegistrar** result);
using StringContainerInitFunction = nsresult(GECKO_CALL*)(nsStringContainer& container);
using StringContainerFinishFunction = void(GECKO_CALL*)(nsStringContainer& container);
using StringGetDataFunction = uint32_t(GECKO_CALL*)(const nsAString& text, const PRUnichar** data,
                                                    PRBool* terminated);
using StringSetDataFunction = nsresult(GECKO_CALL*)(nsAString& text, const PRUnichar* data, uint32_t length);
using AllocFunction = void*(GECKO_CALL*)(size_t size);
using ReallocFunction = void*(GECKO_CALL*)(void* block, size_t size);
using FreeFunction = void(GECKO_CALL*)(void* block);

struct FrozenFunctions {
  uint32_t version;
  uint32_t size;
  // Mozilla 1.0 to 1.4
  AnyFunction init;
  AnyFunction shutdown;
  GetServiceManagerFunction getServiceManager;
  GetComponentManagerFunction getComponentManager;
  GetComponentRegistrarFunction getComponentRegistrar;
  AnyFunction getMemoryManager;
  AnyFunction newLocalFile;
  AnyFunction newNativeLocalFile;
  AnyFunction registerExitRoutine;
  AnyFunction unregisterExitRoutine;
  // Mozilla 1.5
  AnyFunction getDebug;
  AnyFunction getTraceRefcnt;
  // Mozilla 1.7
  StringContainerInitFunction stringContainerInit;
  StringContainerFinishFunction stringContainerFinish;
  StringGetDataFunction stringGetData;
  StringSetDataFunction stringSetData;
  AnyFunction stringSetDataRange;
  AnyFunction stringCopy;
  AnyFunction cstringContainerInit;
  AnyFunction cstringContainerFinish;
  AnyFunction cstringGetData;
  AnyFunction cstringSetData;
  AnyFunction cstringSetDataRange;
  AnyFunction cstringCopy;
  AnyFunction cstringToUTF16;
  AnyFunction utf16ToCString;
  AnyFunction stringCloneData;
  AnyFunction cstringCloneData;
  // Mozilla 1.8
  AllocFunction allocFunc;
  ReallocFunction reallocFunc;
  FreeFunction freeFunc;
  AnyFunction stringContainerInit2;
  AnyFunction cstringContainerInit2;
  AnyFunction stringGetMutableData;
  AnyFunction cstringGetMutableData;
  AnyFunction init3;
  // Mozilla 1.9
  AnyFunction debugBreakFunc;
  AnyFunction logInitFunc;
  AnyFunction logTermFunc;
  AnyFunction logAddRefFunc;
  AnyFunction logReleaseFunc;
  AnyFunction logCtorFunc;
  AnyFunction logDtorFunc;
  AnyFunction logCOMPtrAddRefFunc;
  AnyFunction logCOMPtrReleaseFunc;
  AnyFunction getXPTCallStubFunc;
  AnyFunction destroyXPTCallStubFunc;
  AnyFunction invokeByIndexFunc;
  AnyFunction cycleSuspectFunc;
  AnyFunction cycleForgetFunc;
  AnyFunction stringSetIsVoid;
  AnyFunction stringGetIsVoid;
  AnyFunction cstringSetIsVoid;
  AnyFunction cstringGetIsVoid;
};

inline constexpr uint32_t kFrozenFunctionsVersion = 1;

// The export "NS_GetFrozenFunctions".
using GetFrozenFunctionsFunction = nsresult(GECKO_CALL*)(FrozenFunctions* functions, const char* libraryPath);

}  // namespace gecko
