#pragma once
#include <windows.h>

#include <optional>
#include <string>
#include <vector>

namespace kernelstandin {

// The named dictionaries kept with each template (the keyword lists among
// them), for the life of the process.
class TemplateStore {
 public:
  static std::optional<std::vector<BYTE>> Get(long dirId, const std::wstring& templateId,
                                              const std::wstring& name);
  // Empty optional: the dictionary is removed.
  static void Put(long dirId, const std::wstring& templateId, const std::wstring& name,
                  std::optional<std::vector<BYTE>> bytes);
};

}  // namespace kernelstandin
