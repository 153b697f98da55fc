#pragma once
// The scalar types, result codes and identifiers of the XPCOM binary
// interface. On Windows an XPCOM interface is laid out like a COM one (a
// vtable pointer first, methods __stdcall), and an nsID is a GUID, so both
// sides share the Windows definitions. The frozen functions (the table of
// NS_GetFrozenFunctions and the exports of the XPCOM library) are __cdecl,
// which differs from __stdcall on 32-bit Windows only.
#include <windows.h>

#include <cstdint>

using nsresult = uint32_t;
using nsrefcnt = uint32_t;
using PRBool = int32_t;
using PRInt16 = int16_t;
using PRUint16 = uint16_t;
using PRInt32 = int32_t;
using PRUint32 = uint32_t;
using PRUnichar = wchar_t;
using nsID = GUID;
using nsIID = GUID;
using nsCID = GUID;

constexpr PRBool PR_TRUE = 1;
constexpr PRBool PR_FALSE = 0;

constexpr nsresult NS_OK = 0;
constexpr nsresult NS_ERROR_NOT_IMPLEMENTED = 0x80004001;
constexpr nsresult NS_NOINTERFACE = 0x80004002;
constexpr nsresult NS_ERROR_NO_INTERFACE = NS_NOINTERFACE;
constexpr nsresult NS_ERROR_NULL_POINTER = 0x80004003;
constexpr nsresult NS_ERROR_FAILURE = 0x80004005;
constexpr nsresult NS_ERROR_OUT_OF_MEMORY = 0x8007000E;
constexpr nsresult NS_ERROR_INVALID_ARG = 0x80070057;
constexpr nsresult NS_ERROR_NO_AGGREGATION = 0x80040110;
constexpr nsresult NS_ERROR_FACTORY_NOT_REGISTERED = 0x80040154;
constexpr nsresult NS_ERROR_NOT_AVAILABLE = 0x80040111;

inline bool NS_FAILED(nsresult r) { return (r & 0x80000000u) != 0; }
inline bool NS_SUCCEEDED(nsresult r) { return !NS_FAILED(r); }

#define NS_IMETHOD virtual nsresult __stdcall
#define NS_IMETHODIMP nsresult __stdcall
#define NS_FROZENCALL __cdecl
