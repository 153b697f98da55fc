#include "browserproxy/kernel/KernelTemplateNames.h"

#include "browserproxy/kernel/KernelObject.h"
#include "platform/com/Bstr.h"
#include "platform/com/ComError.h"
#include "platform/com/Variant.h"

using platform::Bstr;
using platform::ComPtr;
using platform::ThrowIfFailed;
using platform::Variant;

namespace kernel_templates {
namespace {

ComPtr<INrvaTemplate> TemplateAt(INrvaTemplateList* templates, unsigned long index) {
  ComPtr<IDispatch> item;
  ThrowIfFailed(templates->GetItem(Variant::FromUInt(index).Get(), item.Receive()), L"template");
  return kernel_object::Take<INrvaTemplate>(item);
}

std::wstring NameAt(INrvaTemplateList* templates, unsigned long index) {
  Bstr name;
  ThrowIfFailed(TemplateAt(templates, index)->GetName(name.Receive()), L"template name");
  return name.Str();
}

std::wstring IdAt(INrvaTemplateList* templates, unsigned long index) {
  Bstr id;
  ThrowIfFailed(TemplateAt(templates, index)->GetId(id.Receive()), L"template identifier");
  return id.Str();
}

// The kernel's own look-up; nullopt when it knows no template of that identifier.
std::optional<unsigned long> IndexOfId(INrvaTemplateList* templates, const std::wstring& id) {
  short index = -1;
  if (FAILED(templates->IndexOf(Bstr(id).Get(), &index)) || index < 0) return std::nullopt;
  return static_cast<unsigned long>(index);
}

}  // namespace

std::optional<unsigned long> IndexOf(INrvaTemplateList* templates, const std::wstring& idOrName) {
  if (auto index = IndexOfId(templates, idOrName)) return index;
  short count = 0;
  ThrowIfFailed(templates->GetCount(&count), L"template count");
  for (short i = 0; i < count; ++i)
    if (NameAt(templates, static_cast<unsigned long>(i)) == idOrName) return static_cast<unsigned long>(i);
  return std::nullopt;
}

std::wstring IdOf(INrvaTemplateList* templates, const std::wstring& idOrName) {
  if (IndexOfId(templates, idOrName)) return idOrName;
  auto index = IndexOf(templates, idOrName);
  return index ? IdAt(templates, *index) : idOrName;
}

std::wstring NameOf(INrvaTemplateList* templates, const std::wstring& idOrName) {
  auto index = IndexOf(templates, idOrName);
  return index ? NameAt(templates, *index) : idOrName;
}

}  // namespace kernel_templates
