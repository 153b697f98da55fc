#pragma once
// Calls a method of the browser object by name on a worker thread of its
// own, while the calling (browser's) thread waits and keeps dispatching its
// window messages. The object crosses to the worker marshalled once for it.
#include <windows.h>
#include <oaidl.h>

// A WM_QUIT that arrives during the wait is kept and posted again after the
// call, so the browser's own loop still ends. A thread that cannot be
// started fails the call with E_FAIL. args are in IDispatch order (last
// parameter first). result is filled only when the answer is S_OK.
HRESULT CallProxyMethod(IDispatch* proxy, const wchar_t* name, VARIANT* args, UINT count, VARIANT* result);

// Starts the worker; replaceable so that a failing CreateThread can be tested.
using ProxyThreadStarter = HANDLE (*)(LPTHREAD_START_ROUTINE procedure, void* context);
void SetProxyThreadStarter(ProxyThreadStarter starter);
