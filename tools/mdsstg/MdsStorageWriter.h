#pragma once
#include <windows.h>

#include <string>
#include <vector>

// Writing of the compound file "mds.stg" that ships the layout tables.

struct MdsStreamData {
  std::wstring streamName;
  std::string bytes;
};

// The stream that holds table N.E: N_u.E.
std::wstring MdsStreamNameOf(const std::wstring& tableName);

// A table source (UTF-8 with or without its byte-order mark, or UTF-16LE
// with FF FE) as the reader stores it: UTF-16LE with FF FE. False when UTF-8
// text is malformed.
bool MdsSourceToTableBytes(const std::string& source, std::string* table);

// Creates (or replaces) the compound file with one stream per element, in
// order. On failure the HRESULT and, in *failedStream, the stream that failed
// (empty when the file itself could not be made).
HRESULT WriteMdsStorage(const std::wstring& path, const std::vector<MdsStreamData>& streams,
                        std::wstring* failedStream = nullptr);
