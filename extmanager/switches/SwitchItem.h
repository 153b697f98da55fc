#pragma once
#include <string>
#include <vector>

// One detected host version, profile or installation, as the tree dialog and
// the silent runner see it. Copied by value; lists keep their order.
struct SwitchItem {
  int tag = 0;          // the switch's own number (Firefox: version index)
  std::wstring name;    // display text
  int enabled = 0;      // plug-in on (as read from the host, or as wanted)
  int kind = 0;         // kind bit of the switch that listed the item
  std::wstring group;   // group key: the switch's display name
  int id = 0;           // number given by the tree dialog, from 1; 0 until then
  int option = 0;       // extra request word (333 for the OpenOffice "/ioo", "/uoo")
  unsigned char unavailable = 0;  // cannot be switched
};

using SwitchItems = std::vector<SwitchItem>;
