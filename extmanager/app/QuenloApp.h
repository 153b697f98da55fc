#pragma once
#include <windows.h>

#include <memory>
#include <string>
#include <vector>

#include "extmanager/app/CommandLine.h"
#include "extmanager/switches/SwitchItem.h"

// The number of the registered message "PLUGINSWITCHED" that the tree dialog
// broadcasts after it applied changes.
UINT PluginSwitchedMessage();

// What one switch of a silent run ended with.
struct SilentRunResult {
  std::wstring switchName;
  SwitchItems items;  // each item's state after the run
};

// The application: the tree dialog, or a silent run chosen by the command line.
class CquenloApp {
 public:
  // Runs what the command line asks and answers FALSE (the program then ends).
  BOOL InitInstance(const std::wstring& commandLine);
  // Builds the switches of `bits` (every switch when `all`) that find their
  // plug-in and host, and brings all their items to `value` without a window.
  static std::vector<SilentRunResult> RunSilent(int bits, int value, bool all);
  static int ParseKindCode(const std::wstring& code);

 private:
  static void RunOpenOffice(int value);
};
