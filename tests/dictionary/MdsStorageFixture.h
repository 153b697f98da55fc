#pragma once
#include <string>
#include <utility>
#include <vector>

#include "TempFolder.h"

namespace testsupport {

// One table of a test store: its name (N.E, stored as stream N_u.E) and its
// source text (UTF-8, as in tests/fixtures/dictionary/mds).
struct MdsTableSource {
  std::wstring name;
  std::string text;
};

// Writes "mds.stg" (or another file name) into the folder with the tables, as
// the build's mdsstg tool does; returns its full path. Throws on failure.
std::wstring WriteMdsStorage(const TempFolder& folder, const std::vector<MdsTableSource>& tables,
                             const std::wstring& fileName = L"mds.stg");

// Writes a compound file with raw streams (exact stream names and bytes).
std::wstring WriteRawStorage(const TempFolder& folder, const std::wstring& fileName,
                             const std::vector<std::pair<std::wstring, std::string>>& streams);

// The files of a folder (names only), without "." and "..".
std::vector<std::wstring> FilesIn(const std::wstring& folder);

}  // namespace testsupport
