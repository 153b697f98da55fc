#pragma once
#include <windows.h>

#include <optional>
#include <string>
#include <vector>

namespace kernelstandin {

// The named dictionaries kept with each template (the keyword lists among
// them), persisted under HKEY_CURRENT_USER
// "Software\NorvaStandIns\Kernel\Dictionaries\<direction id>\<template id>"
// (one binary value per dictionary), so that they survive a restart. Under
// the switch "SeedKeywordLists" a template that was never written to starts
// with the keyword list "SDBWORDS2" of its own words in the direction's
// source language.
class TemplateStore {
 public:
  static std::optional<std::vector<BYTE>> Get(long dirId, const std::wstring& templateId,
                                              const std::wstring& name);
  // Empty optional: the dictionary is removed.
  static void Put(long dirId, const std::wstring& templateId, const std::wstring& name,
                  std::optional<std::vector<BYTE>> bytes);
};

}  // namespace kernelstandin
