#include "platform/com/OptionalObjectArguments.h"

#include <algorithm>

#include "platform/com/ComPtr.h"
#include "platform/com/Variant.h"

namespace platform {

namespace {

// Bases deeper than this are not followed (a library that loops).
constexpr int kMaxBaseDepth = 16;

class TypeAttr {
 public:
  explicit TypeAttr(ITypeInfo* info) : info_(info) {
    if (FAILED(info->GetTypeAttr(&attr_))) attr_ = nullptr;
  }
  ~TypeAttr() {
    if (attr_) info_->ReleaseTypeAttr(attr_);
  }
  TypeAttr(const TypeAttr&) = delete;
  TypeAttr& operator=(const TypeAttr&) = delete;
  const TYPEATTR* operator->() const { return attr_; }
  explicit operator bool() const { return attr_ != nullptr; }

 private:
  ITypeInfo* info_;
  TYPEATTR* attr_ = nullptr;
};

class FuncDesc {
 public:
  FuncDesc(ITypeInfo* info, UINT index) : info_(info) {
    if (FAILED(info->GetFuncDesc(index, &desc_))) desc_ = nullptr;
  }
  ~FuncDesc() {
    if (desc_) info_->ReleaseFuncDesc(desc_);
  }
  FuncDesc(const FuncDesc&) = delete;
  FuncDesc& operator=(const FuncDesc&) = delete;
  const FUNCDESC* operator->() const { return desc_; }
  const FUNCDESC& operator*() const { return *desc_; }
  explicit operator bool() const { return desc_ != nullptr; }

 private:
  ITypeInfo* info_;
  FUNCDESC* desc_ = nullptr;
};

// VT_UNKNOWN or VT_DISPATCH for a parameter that is an interface pointer,
// VT_EMPTY otherwise.
VARTYPE ObjectTypeOf(ITypeInfo* info, const TYPEDESC& type) {
  if (type.vt == VT_UNKNOWN || type.vt == VT_DISPATCH) return type.vt;
  if (type.vt != VT_PTR || !type.lptdesc || type.lptdesc->vt != VT_USERDEFINED) return VT_EMPTY;
  ComPtr<ITypeInfo> referenced;
  if (FAILED(info->GetRefTypeInfo(type.lptdesc->hreftype, referenced.Receive()))) return VT_EMPTY;
  TypeAttr attr(referenced.Get());
  if (!attr) return VT_EMPTY;
  if (attr->typekind == TKIND_DISPATCH) return VT_DISPATCH;
  if (attr->typekind == TKIND_INTERFACE) return (attr->wTypeFlags & TYPEFLAG_FDUAL) ? VT_DISPATCH : VT_UNKNOWN;
  return VT_EMPTY;
}

ObjectParameterShape ShapeOf(ITypeInfo* info, const FUNCDESC& func) {
  ObjectParameterShape shape;
  if (func.invkind & (INVOKE_PROPERTYPUT | INVOKE_PROPERTYPUTREF)) return shape;
  for (SHORT i = 0; i < func.cParams; ++i) {
    const ELEMDESC& param = func.lprgelemdescParam[i];
    const USHORT flags = param.paramdesc.wParamFlags;
    if (flags & PARAMFLAG_FLCID) return {};
    if (flags & PARAMFLAG_FRETVAL) continue;
    const bool optional = (flags & PARAMFLAG_FOPT) != 0;
    const bool input = (flags & PARAMFLAG_FIN) || !(flags & PARAMFLAG_FOUT);
    shape.optional.push_back(optional);
    shape.objectType.push_back(optional && input ? ObjectTypeOf(info, param.tdesc) : VARTYPE{VT_EMPTY});
  }
  shape.inputs = static_cast<UINT>(shape.optional.size());
  return shape;
}

bool Find(ITypeInfo* info, DISPID id, WORD flags, int depth, ObjectParameterShape& shape) {
  TypeAttr attr(info);
  if (!attr) return false;
  for (UINT i = 0; i < attr->cFuncs; ++i) {
    FuncDesc func(info, i);
    if (func && func->memid == id && (func->invkind & flags)) {
      shape = ShapeOf(info, *func);
      return true;
    }
  }
  if (attr->cImplTypes == 0 || depth >= kMaxBaseDepth) return false;
  HREFTYPE base = 0;
  ComPtr<ITypeInfo> baseInfo;
  if (FAILED(info->GetRefTypeOfImplType(0, &base)) || FAILED(info->GetRefTypeInfo(base, baseInfo.Receive())))
    return false;
  return Find(baseInfo.Get(), id, flags, depth + 1, shape);
}

VARIANTARG NullObject(VARTYPE type) {
  VARIANTARG value;
  VariantInit(&value);
  value.vt = type;
  value.punkVal = nullptr;
  return value;
}

}  // namespace

bool ObjectParameterShape::HasOptionalObjects() const {
  return std::any_of(objectType.begin(), objectType.end(), [](VARTYPE t) { return t != VT_EMPTY; });
}

ObjectParameterShape FindObjectParameters(ITypeInfo* info, DISPID id, WORD flags) {
  ObjectParameterShape shape;
  if (info) Find(info, id, flags, 0, shape);
  return shape;
}

CompletedArguments::CompletedArguments(const ObjectParameterShape& shape, DISPPARAMS& given) : given_(&given) {
  if (!shape.HasOptionalObjects() || given.cArgs > shape.inputs || given.cNamedArgs > given.cArgs) return;
  if (given.cArgs && !given.rgvarg) return;
  if (given.cNamedArgs && !given.rgdispidNamedArgs) return;
  // The caller's index of each parameter's argument, -1 where none was given.
  std::vector<int> byParameter(shape.inputs, -1);
  const UINT positional = given.cArgs - given.cNamedArgs;
  for (UINT i = 0; i < positional; ++i) byParameter[i] = static_cast<int>(given.cArgs - 1 - i);
  for (UINT k = 0; k < given.cNamedArgs; ++k) {
    const DISPID parameter = given.rgdispidNamedArgs[k];
    if (parameter < 0 || static_cast<UINT>(parameter) >= shape.inputs || byParameter[parameter] >= 0) return;
    byParameter[parameter] = static_cast<int>(k);
  }
  std::vector<bool> fill(shape.inputs, false);
  UINT count = 0;
  for (UINT p = 0; p < shape.inputs; ++p) {
    const bool absent = byParameter[p] < 0 || IsMissing(given.rgvarg[byParameter[p]]);
    fill[p] = shape.objectType[p] != VT_EMPTY && absent;
    if (fill[p]) completed_ = true;
    if (fill[p] || byParameter[p] >= 0) count = p + 1;
  }
  if (!completed_) return;
  // A required parameter left without an argument stays the type library's to report.
  for (UINT p = 0; p < count; ++p) {
    if (byParameter[p] < 0 && !fill[p] && !shape.optional[p]) {
      completed_ = false;
      return;
    }
  }
  args_.resize(count);
  callersIndex_.assign(count, -1);
  for (UINT p = 0; p < count; ++p) {
    const UINT slot = count - 1 - p;  // DISPPARAMS holds its arguments last to first
    if (fill[p]) {
      args_[slot] = NullObject(shape.objectType[p]);
    } else if (byParameter[p] >= 0) {
      args_[slot] = given.rgvarg[byParameter[p]];
      callersIndex_[slot] = byParameter[p];
    } else {
      args_[slot] = Variant::Missing().Detach();
    }
  }
  own_.rgvarg = args_.data();
  own_.cArgs = count;
}

UINT CompletedArguments::CallersIndex(UINT index) const {
  if (!completed_ || index >= callersIndex_.size() || callersIndex_[index] < 0) return index;
  return static_cast<UINT>(callersIndex_[index]);
}

}  // namespace platform
