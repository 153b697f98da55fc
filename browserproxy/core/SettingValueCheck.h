#pragma once
#include <windows.h>
#include <oaidl.h>

// Which values a client may store as a setting. Settings hold values, not
// objects: a stored object would be kept alive by the browser object (a
// client that stores the browser object itself keeps the server running for
// ever), and the registry keeps strings only up to their first NUL.
namespace settingvalue {

// S_OK, or E_INVALIDARG for an object (VT_DISPATCH, VT_UNKNOWN, VT_RECORD,
// null ones too), an array that holds one, a reference, or a string with an
// embedded NUL. The value is the one to store: a reference the caller passed
// is first resolved to the value it points at.
HRESULT Check(const VARIANT& value);

}  // namespace settingvalue
