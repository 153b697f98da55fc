#pragma once
#include <memory>
#include <string>
#include <vector>

#include "extmanager/switches/Switch.h"

// The switches by kind bit, in the order the silent runner and the tree
// dialog build them. A row whose switch is not built yet has no maker and is
// skipped.
struct KindRow {
  int bit;                // 0 for the rows the command line cannot select
  const wchar_t* label;   // for logs and tests
  std::unique_ptr<CSwitch> (*make)();
  bool silentRunner;      // Windows Live Messenger and ICQ: dialog only
};

const std::vector<KindRow>& KindTable();

// The command-line code's kind bits, any letter case; 0 for an unknown code.
int ParseKindCode(const std::wstring& code);

// The rows a silent run with these bits (or all) builds, in building order.
std::vector<const KindRow*> RowsForSilentRun(int bits, bool all);
