#include "MdsStorageFixture.h"

#include <windows.h>

#include <stdexcept>

#include "tools/mdsstg/MdsStorageWriter.h"

namespace testsupport {

std::wstring WriteRawStorage(const TempFolder& folder, const std::wstring& fileName,
                             const std::vector<std::pair<std::wstring, std::string>>& streams) {
  std::vector<MdsStreamData> data;
  for (const auto& [name, bytes] : streams) data.push_back({name, bytes});
  std::wstring path = folder.File(fileName);
  if (FAILED(::WriteMdsStorage(path, data))) throw std::runtime_error("cannot write a compound file");
  return path;
}

std::wstring WriteMdsStorage(const TempFolder& folder, const std::vector<MdsTableSource>& tables,
                             const std::wstring& fileName) {
  std::vector<std::pair<std::wstring, std::string>> streams;
  for (const auto& table : tables) {
    std::string bytes;
    if (!MdsSourceToTableBytes(table.text, &bytes)) throw std::runtime_error("bad table source");
    streams.emplace_back(MdsStreamNameOf(table.name), bytes);
  }
  return WriteRawStorage(folder, fileName, streams);
}

std::vector<std::wstring> FilesIn(const std::wstring& folder) {
  std::vector<std::wstring> names;
  WIN32_FIND_DATAW found;
  HANDLE search = FindFirstFileW((folder + L"*").c_str(), &found);
  if (search == INVALID_HANDLE_VALUE) return names;
  do {
    std::wstring name = found.cFileName;
    if (name != L"." && name != L"..") names.push_back(name);
  } while (FindNextFileW(search, &found));
  FindClose(search);
  return names;
}

}  // namespace testsupport
