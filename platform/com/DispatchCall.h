#pragma once
#include <windows.h>
#include <oaidl.h>

#include <span>

#include "platform/com/Variant.h"

namespace platform {

// Client side of IDispatch: calls a member by DISPID or by name. The
// arguments are borrowed and given in the order of the declaration; a
// property put passes its value as the last one. The answer is the HRESULT
// of Invoke, except that DISP_E_EXCEPTION is replaced by the code the
// object reported in its EXCEPINFO.
HRESULT InvokeById(IDispatch* object, DISPID id, WORD flags, std::span<const VARIANT> args, Variant* result);

// The DISPID of a member name; raises ComError (DISP_E_UNKNOWNNAME...).
DISPID DispIdOf(IDispatch* object, const wchar_t* name);

// InvokeById for a name; raises ComError for any failure.
Variant CallByName(IDispatch* object, const wchar_t* name, std::span<const VARIANT> args = {},
                   WORD flags = DISPATCH_METHOD);

}  // namespace platform
