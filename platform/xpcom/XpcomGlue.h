#pragma once
// The glue through which a component library (or the browser itself) uses
// the browser's XPCOM library without linking to it: start-up loads
// "xpcom.dll" and the libraries "dependentlibs.list" beside it names, then
// takes the table of frozen functions from its export
// "NS_GetFrozenFunctions". Every function below goes through that table.
#include "platform/xpcom/XpcomString.h"
#include "platform/xpcom/XpcomTypes.h"

struct nsIComponentManager;
struct nsIComponentRegistrar;
struct nsIServiceManager;

// The table of frozen functions that the XPCOM library fills for its
// glue, laid out as Gecko 1.9 has it: version and size, then the functions
// in their fixed order (Mozilla 1.7, 1.8 and 1.9 each appended a group).
// Later versions append more; the size field tells the library how much of
// its table the caller has room for. Every function is __cdecl.
using XpcomFunction = void(NS_FROZENCALL*)();
struct XPCOMFunctions {
  uint32_t version;
  uint32_t size;

  XpcomFunction init;
  XpcomFunction shutdown;
  nsresult(NS_FROZENCALL* getServiceManager)(nsIServiceManager** result);
  nsresult(NS_FROZENCALL* getComponentManager)(nsIComponentManager** result);
  nsresult(NS_FROZENCALL* getComponentRegistrar)(nsIComponentRegistrar** result);
  XpcomFunction getMemoryManager;
  XpcomFunction newLocalFile;
  XpcomFunction newNativeLocalFile;
  XpcomFunction registerExitRoutine;
  XpcomFunction unregisterExitRoutine;
  XpcomFunction getDebug;
  XpcomFunction getTraceRefcnt;

  nsresult(NS_FROZENCALL* stringContainerInit)(nsStringContainer& container);
  void(NS_FROZENCALL* stringContainerFinish)(nsStringContainer& container);
  uint32_t(NS_FROZENCALL* stringGetData)(const nsAString& text, const PRUnichar** data, PRBool* terminated);
  nsresult(NS_FROZENCALL* stringSetData)(nsAString& text, const PRUnichar* data, uint32_t length);
  XpcomFunction stringSetDataRange;
  XpcomFunction stringCopy;
  XpcomFunction cstringContainerInit;
  XpcomFunction cstringContainerFinish;
  XpcomFunction cstringGetData;
  XpcomFunction cstringSetData;
  XpcomFunction cstringSetDataRange;
  XpcomFunction cstringCopy;
  XpcomFunction cstringToUTF16;
  XpcomFunction utf16ToCString;
  XpcomFunction stringCloneData;
  XpcomFunction cstringCloneData;

  void*(NS_FROZENCALL* allocFunc)(size_t size);
  void*(NS_FROZENCALL* reallocFunc)(void* block, size_t size);
  void(NS_FROZENCALL* freeFunc)(void* block);
  XpcomFunction stringContainerInit2;
  XpcomFunction cstringContainerInit2;
  XpcomFunction stringGetMutableData;
  XpcomFunction cstringGetMutableData;
  XpcomFunction init3;

  XpcomFunction debugBreakFunc;
  XpcomFunction logInitFunc;
  XpcomFunction logTermFunc;
  XpcomFunction logAddRefFunc;
  XpcomFunction logReleaseFunc;
  XpcomFunction logCtorFunc;
  XpcomFunction logDtorFunc;
  XpcomFunction logCOMPtrAddRefFunc;
  XpcomFunction logCOMPtrReleaseFunc;
  XpcomFunction getXPTCallStubFunc;
  XpcomFunction destroyXPTCallStubFunc;
  XpcomFunction invokeByIndexFunc;
  XpcomFunction cycleSuspectFunc;
  XpcomFunction cycleForgetFunc;
  XpcomFunction stringSetIsVoid;
  XpcomFunction stringGetIsVoid;
  XpcomFunction cstringSetIsVoid;
  XpcomFunction cstringGetIsVoid;
};
// The version of the table's layout the glue asks for.
inline constexpr uint32_t kXpcomGlueVersion = 1;

// The signature of the export "NS_GetFrozenFunctions".
using GetFrozenFunctionsProc = nsresult(NS_FROZENCALL*)(XPCOMFunctions* functions, const char* libraryPath);

// Starts the glue. xpcomFile: the XPCOM library's path; null or empty:
// "xpcom.dll" in the current directory. NS_ERROR_FAILURE when the library,
// a library of its list or its export cannot be loaded, or its table is
// refused. A second start-up while started answers NS_OK.
nsresult XPCOMGlueStartup(const char* xpcomFile);
// Forgets the table and frees the libraries start-up loaded.
void XPCOMGlueShutdown();
bool XpcomGlueStarted();

nsresult NS_GetServiceManager(nsIServiceManager** result);
// Frees memory the XPCOM library allocated for the caller (strings it
// hands out); does nothing without the glue.
void NS_Free(void* block);
nsresult NS_StringContainerInit(nsStringContainer& container);
void NS_StringContainerFinish(nsStringContainer& container);
uint32_t NS_StringGetData(const nsAString& text, const PRUnichar** data, PRBool* terminated = nullptr);
nsresult NS_StringSetData(nsAString& text, const PRUnichar* data, uint32_t length);
