#pragma once
#include <string>
#include <vector>

// Reading and clearing the call log that the hook library stand-in keeps
// beside itself in the build's program folder.
namespace hooklog {

std::wstring Path();
void Clear();
// The log's lines without the " pid=..." suffix.
std::vector<std::string> Calls();

}  // namespace hooklog
