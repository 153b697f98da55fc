#pragma once
// What the stand-in kernel's word list (standins/kernel/data/lexicon.txt)
// makes of the English words the roads translate into Russian: a road's
// result must hold them.
#include <string>

namespace roads {

inline const std::wstring kHelloWorldRussian = L"\x043f\x0440\x0438\x0432\x0435\x0442 \x043c\x0438\x0440";
inline const std::wstring kComputerRussian = L"\x043a\x043e\x043c\x043f\x044c\x044e\x0442\x0435\x0440";
inline const std::wstring kMorningRussian = L"\x0443\x0442\x0440\x043e";
inline const std::wstring kVirusRussian = L"\x0432\x0438\x0440\x0443\x0441";
inline const std::wstring kTranslationRussian = L"\x043f\x0435\x0440\x0435\x0432\x043e\x0434";

}  // namespace roads
