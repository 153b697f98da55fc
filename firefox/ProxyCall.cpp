#include "firefox/ProxyCall.h"

#include <string>

#include "platform/base/Handles.h"
#include "platform/com/ComPtr.h"
#include "platform/com/Variant.h"
#include "platform/win/MessagePump.h"

namespace {

using platform::ComPtr;

struct ProxyCallContext {
  std::wstring method;
  VARIANT* args = nullptr;
  UINT count = 0;
  // The proxy marshalled for the worker, which takes (and releases) it.
  IStream* marshalled = nullptr;
  platform::Variant result;
  HRESULT code = E_FAIL;
};

HANDLE StartWithCreateThread(LPTHREAD_START_ROUTINE procedure, void* context) {
  return CreateThread(nullptr, 0, procedure, context, 0, nullptr);
}

ProxyThreadStarter g_starter = StartWithCreateThread;

HRESULT InvokeByName(IDispatch* object, const std::wstring& name, VARIANT* args, UINT count, VARIANT* result) {
  DISPID id = DISPID_UNKNOWN;
  LPOLESTR names[] = {const_cast<LPOLESTR>(name.c_str())};
  HRESULT hr = object->GetIDsOfNames(IID_NULL, names, 1, LOCALE_USER_DEFAULT, &id);
  if (FAILED(hr)) return hr;
  DISPPARAMS params = {args, nullptr, count, 0};
  return object->Invoke(id, IID_NULL, LOCALE_USER_DEFAULT, DISPATCH_METHOD, &params, result, nullptr, nullptr);
}

DWORD WINAPI CallProxyWorker(void* parameter) {
  auto* context = static_cast<ProxyCallContext*>(parameter);
  HRESULT init = CoInitializeEx(nullptr, COINIT_APARTMENTTHREADED);
  try {
    ComPtr<IDispatch> object;
    HRESULT hr = CoGetInterfaceAndReleaseStream(context->marshalled, IID_IDispatch, object.ReceiveVoid());
    context->marshalled = nullptr;
    if (SUCCEEDED(hr) && object) {
      context->result.Reset();
      hr = InvokeByName(object.Get(), context->method, context->args, context->count, context->result.Ptr());
    }
    context->code = hr;
  } catch (...) {
    context->code = E_UNEXPECTED;
  }
  if (SUCCEEDED(init)) CoUninitialize();
  return 0;
}

}  // namespace

void SetProxyThreadStarter(ProxyThreadStarter starter) {
  g_starter = starter ? starter : StartWithCreateThread;
}

HRESULT CallProxyMethod(IDispatch* proxy, const wchar_t* name, VARIANT* args, UINT count, VARIANT* result) {
  if (!proxy || !name) return E_FAIL;
  ProxyCallContext context;
  context.method = name;
  context.args = args;
  context.count = count;
  HRESULT code = E_FAIL;
  try {
    // Marshalled once for the one worker, not placed in the Global Interface
    // Table: Wine's table takes a reference on the browser object in
    // Tessiva for every proxy it holds and never gives it back, which kept
    // Tessiva running for good after the browser had gone.
    if (FAILED(CoMarshalInterThreadInterfaceInStream(IID_IDispatch, proxy, &context.marshalled))) return E_FAIL;
    platform::UniqueKernelHandle thread(g_starter(CallProxyWorker, &context));
    if (thread) {
      // The browser's loop must still see a quit it asks for meanwhile.
      platform::PumpMessagesUntilPastQuit(thread.Get(), INFINITE);
      WaitForSingleObject(thread.Get(), INFINITE);
      thread.Reset();
      code = context.code;
      if (code == S_OK && result) {
        VariantClear(result);
        code = context.result.CopyTo(result);
      }
    }
  } catch (...) {
  }
  if (context.marshalled) {
    // The worker never took it.
    CoReleaseMarshalData(context.marshalled);
    context.marshalled->Release();
  }
  return code;
}
