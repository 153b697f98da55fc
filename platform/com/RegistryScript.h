#pragma once
#include <windows.h>

#include <map>
#include <string>
#include <string_view>

namespace platform {

// A registry script in the registrar's notation, run forwards (register) or
// backwards (unregister):
//
//   HKCR
//   {
//     Some.ProgID = s 'Description'
//     {
//       CLSID = s '{...}'
//     }
//     NoRemove CLSID
//     {
//       ForceRemove {...} = s 'Description'
//       {
//         InprocServer32 = s '%MODULE%'
//         {
//           val ThreadingModel = s 'both'
//         }
//       }
//     }
//   }
//
// Roots HKCR, HKCU, HKLM (and their long names); values of kind s (string)
// and d (DWORD); %NAME% is replaced from `replacements` ("%%" is one "%").
// Registering: ForceRemove keys are deleted whole first, then every key and
// value is written. Unregistering: ForceRemove keys go whole, NoRemove keys
// stay (only their children are visited), other keys lose the values the
// script names and are deleted when nothing of anyone else is left in them.
// What is already gone is no failure. Answers the first failure, or
// E_INVALIDARG when the script cannot be parsed (nothing is then changed).
HRESULT RunRegistryScript(std::wstring_view script, const std::map<std::wstring, std::wstring>& replacements,
                          bool registering);

}  // namespace platform
