#pragma once
#include <windows.h>

#include <optional>
#include <string>

// What differs between the deliverables that compile the shared utilities.
// Each deliverable registers its configuration once at start-up, before any
// other thread exists; until then the defaults of a plain program apply:
//   Tessiva: the defaults ("Software\" alone, its own file name and module).
//   OMBREL:  appRegistryKey "Norvasoft\NRVA9", appProfile "AOT".
//   Quenlo:  its application's key and profile; readIntFailureValue -1.
//   FERVIX:  its application's key and profile; resourceLibraryName "fervix9.dll".
// The module needs no setting in a program or a library: the default is the
// module the shared code is linked into.
struct DeliverableConfig {
  // Registry key and profile of a class-library application (for example
  // "Norvasoft\NRVA9" and "AOT"): CRegistryKey::SetPath with no root starts
  // from "Software\<key>\<profile>". Both empty: it starts from "Software\".
  std::wstring appRegistryKey;
  std::wstring appProfile;
  // When set, every failure of CRegistryKey::ReadInt yields this value
  // whatever default the caller passed.
  std::optional<int> readIntFailureValue;
  // File name whose base names the interface-language resource library
  // ("fervix9.dll"); empty: the module's own file name.
  std::wstring resourceLibraryName;
  // The module whose resources the resource library replaces and beside which
  // it is looked for; null: the module that holds this code.
  HMODULE module = nullptr;
};

void SetDeliverableConfig(DeliverableConfig config);
const DeliverableConfig& GetDeliverableConfig();

// "Software\" alone, or "Software\<key>\<profile>" for a class-library application.
std::wstring DefaultRegistryPath();
// The configured module, else the module (program or library) this code is linked into.
HMODULE DeliverableModule();
