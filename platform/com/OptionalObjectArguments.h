#pragma once
#include <windows.h>
#include <oaidl.h>

#include <vector>

namespace platform {

// The type library's ITypeInfo::Invoke hands a left-out optional argument
// declared as an interface pointer ([in, optional] IUnknown*, IDispatch*,
// IFoo*) to the method as the raw code DISP_E_PARAMNOTFOUND in the pointer's
// place (Wine does), and a method that AddRefs it crashes its client. These
// helpers give such an argument a null pointer before Invoke sees it.

// What a member's parameters are, as far as completing its arguments goes.
struct ObjectParameterShape {
  // Parameters a caller passes (the return value excluded).
  UINT inputs = 0;
  // Per input: declared optional.
  std::vector<bool> optional;
  // Per input: VT_UNKNOWN or VT_DISPATCH for an optional interface pointer,
  // VT_EMPTY for any other parameter.
  std::vector<VARTYPE> objectType;

  bool HasOptionalObjects() const;
};

// The shape of the member id that a call with these DISPATCH_* flags reaches
// in info (the vtable side of a dual interface) or the interfaces it derives
// from. No optional objects for a member not found, a property put, or one
// that takes a locale.
ObjectParameterShape FindObjectParameters(ITypeInfo* info, DISPID id, WORD flags);

// The arguments of one call, with every left-out optional interface pointer
// (not passed, or passed as the missing value) given as a null pointer of its
// type. Named arguments then travel by position. The caller's VARIANTs are
// shared, never copied or cleared: keep them alive while Params() is used.
class CompletedArguments {
 public:
  CompletedArguments(const ObjectParameterShape& shape, DISPPARAMS& given);
  CompletedArguments(const CompletedArguments&) = delete;
  CompletedArguments& operator=(const CompletedArguments&) = delete;

  // The caller's own arguments when nothing needed completing.
  DISPPARAMS* Params() { return completed_ ? &own_ : given_; }
  // The caller's index of the argument Invoke named by its index in Params()
  // (for the argument-error out-parameter).
  UINT CallersIndex(UINT index) const;

 private:
  DISPPARAMS* given_;
  bool completed_ = false;
  std::vector<VARIANTARG> args_;
  // Per entry of args_: the caller's index, or -1 for a value given here.
  std::vector<int> callersIndex_;
  DISPPARAMS own_{};
};

}  // namespace platform
