#pragma once
// The glue through which a component library (or the browser itself) uses
// the browser's XPCOM library without linking to it: start-up loads
// "xpcom.dll" and the libraries "dependentlibs.list" beside it names, then
// takes the table of frozen functions from its export
// "NS_GetFrozenFunctions". Every function below goes through that table.
#include "platform/xpcom/XpcomString.h"
#include "platform/xpcom/XpcomTypes.h"

struct nsIServiceManager;

// The frozen function table. The XPCOM library fills the fields it knows
// and refuses a table smaller than its own.
struct XPCOMFunctions {
  uint32_t version;
  uint32_t size;
  nsresult(__stdcall* getServiceManager)(nsIServiceManager** result);
  nsresult(__stdcall* stringContainerInit)(nsStringContainer& container);
  void(__stdcall* stringContainerFinish)(nsStringContainer& container);
  uint32_t(__stdcall* stringGetData)(const nsAString& text, const PRUnichar** data, PRBool* terminated);
  nsresult(__stdcall* stringSetData)(nsAString& text, const PRUnichar* data, uint32_t length);
};
inline constexpr uint32_t kXpcomFunctionsVersion = 1;

// The signature of the export "NS_GetFrozenFunctions".
using GetFrozenFunctionsProc = nsresult(__stdcall*)(XPCOMFunctions* functions, const char* libraryPath);

// Starts the glue. xpcomFile: the XPCOM library's path; null or empty:
// "xpcom.dll" in the current directory. NS_ERROR_FAILURE when the library,
// a library of its list or its export cannot be loaded, or its table is
// refused. A second start-up while started answers NS_OK.
nsresult XPCOMGlueStartup(const char* xpcomFile);
// Forgets the table and frees the libraries start-up loaded.
void XPCOMGlueShutdown();
bool XpcomGlueStarted();

nsresult NS_GetServiceManager(nsIServiceManager** result);
nsresult NS_StringContainerInit(nsStringContainer& container);
void NS_StringContainerFinish(nsStringContainer& container);
uint32_t NS_StringGetData(const nsAString& text, const PRUnichar** data, PRBool* terminated = nullptr);
nsresult NS_StringSetData(nsAString& text, const PRUnichar* data, uint32_t length);
