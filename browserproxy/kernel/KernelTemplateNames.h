#pragma once
#include <windows.h>

#include <optional>
#include <string>

#include "NorvaKernel.h"

// The kernel knows each template of a direction twice: by its identifier,
// which the current profile takes and answers, and by its display name,
// which the lists show and the template analyzer ranks. This is the one
// place where a text that names a template either way is turned into the
// other, over the direction's template list.
namespace kernel_templates {

// The template's place in the list: the kernel's own look-up of an
// identifier first, else the first template of that display name (exact,
// case-sensitive); nullopt when the text names none. Raises the kernel's
// failures other than an unknown identifier.
std::optional<unsigned long> IndexOf(INrvaTemplateList* templates, const std::wstring& idOrName);

// The identifier of the template the text names; the text itself when it
// names none (the kernel then answers for it).
std::wstring IdOf(INrvaTemplateList* templates, const std::wstring& idOrName);

// The display name of the template the text names; the text itself when it
// names none.
std::wstring NameOf(INrvaTemplateList* templates, const std::wstring& idOrName);

}  // namespace kernel_templates
