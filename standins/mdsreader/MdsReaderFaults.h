#pragma once
#include <string_view>

// Fault switches of the reader stand-in, read at every call from the
// environment variable NORVA_MDSREADER_FAULTS: a comma-separated list of
//   create       creating an object fails (E_OUTOFMEMORY)
//   load         Load fails (E_FAIL)
//   close        Close fails (E_FAIL)
//   setname      SetName fails (E_FAIL)
//   sectioncount GetSectionCount fails (E_FAIL)
//   nolisting    new objects lack the second interface
bool MdsReaderFault(std::wstring_view name);
