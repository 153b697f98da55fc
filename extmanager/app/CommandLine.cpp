#include "extmanager/app/CommandLine.h"

#include <windows.h>
#include <shellapi.h>

#include <vector>

#include "extmanager/app/KindTable.h"

namespace {

std::vector<std::wstring> SplitArguments(const std::wstring& commandLine) {
  std::vector<std::wstring> arguments;
  int count = 0;
  LPWSTR* list = CommandLineToArgvW(commandLine.c_str(), &count);
  if (!list) return arguments;
  for (int i = 0; i < count; ++i) arguments.emplace_back(list[i]);
  LocalFree(list);
  return arguments;
}

int CodeListBits(const std::wstring& list) {
  int bits = 0;
  size_t start = 0;
  for (;;) {
    size_t bar = list.find(L'|', start);
    bits |= ParseKindCode(list.substr(start, bar == std::wstring::npos ? std::wstring::npos : bar - start));
    if (bar == std::wstring::npos) break;
    start = bar + 1;
  }
  return bits;
}

}  // namespace

std::wstring ArgumentsText(const std::wstring& commandLine) {
  size_t i = 0;
  if (i < commandLine.size() && commandLine[i] == L'"') {
    size_t close = commandLine.find(L'"', 1);
    i = close == std::wstring::npos ? commandLine.size() : close + 1;
  } else {
    while (i < commandLine.size() && commandLine[i] != L' ' && commandLine[i] != L'\t') ++i;
  }
  while (i < commandLine.size() && (commandLine[i] == L' ' || commandLine[i] == L'\t')) ++i;
  return commandLine.substr(i);
}

LaunchPlan PlanLaunch(const std::wstring& commandLine) {
  LaunchPlan plan;
  plan.logging = ArgumentsText(commandLine) == L"-l";
  std::vector<std::wstring> arguments = SplitArguments(commandLine);
  if (arguments.size() == 2) {
    const std::wstring& only = arguments[1];
    if (only == L"/u" || only == L"/i") {
      plan.mode = LaunchPlan::Mode::SilentAll;
      plan.value = only == L"/i" ? 1 : 0;
    } else if (only == L"/uoo" || only == L"/ioo") {
      plan.mode = LaunchPlan::Mode::OpenOffice;
      plan.value = only == L"/ioo" ? 1 : 0;
    }
    return plan;
  }
  if (arguments.size() == 3) {
    if (arguments[1] != L"/i" && arguments[1] != L"/u") {
      plan.mode = LaunchPlan::Mode::Nothing;
      return plan;
    }
    plan.mode = LaunchPlan::Mode::SilentKinds;
    plan.value = arguments[1] == L"/i" ? 1 : 0;
    plan.bits = CodeListBits(arguments[2]);
  }
  return plan;
}
