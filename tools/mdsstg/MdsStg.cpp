// mdsstg <output.stg> <source folder>
// Packs every "*.mds" table source of the folder into a new compound file,
// table N.E as stream N_u.E, in name order. Exit code 0 on success.
#include <windows.h>

#include <algorithm>
#include <cstdio>
#include <string>
#include <vector>

#include "tools/mdsstg/MdsStorageWriter.h"

namespace {

bool ReadBytes(const std::wstring& path, std::string* bytes) {
  HANDLE file = CreateFileW(path.c_str(), GENERIC_READ, FILE_SHARE_READ, nullptr, OPEN_EXISTING,
                            FILE_ATTRIBUTE_NORMAL, nullptr);
  if (file == INVALID_HANDLE_VALUE) return false;
  bytes->clear();
  char buffer[4096];
  DWORD read = 0;
  bool ok = true;
  while ((ok = ReadFile(file, buffer, sizeof buffer, &read, nullptr)) && read > 0)
    bytes->append(buffer, read);
  CloseHandle(file);
  return ok;
}

std::vector<std::wstring> TableSourcesIn(std::wstring folder) {
  if (!folder.empty() && folder.back() != L'\\' && folder.back() != L'/') folder += L'\\';
  std::vector<std::wstring> names;
  WIN32_FIND_DATAW found;
  HANDLE search = FindFirstFileW((folder + L"*.mds").c_str(), &found);
  if (search == INVALID_HANDLE_VALUE) return names;
  do {
    if (!(found.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY)) names.push_back(found.cFileName);
  } while (FindNextFileW(search, &found));
  FindClose(search);
  std::sort(names.begin(), names.end());
  return names;
}

int Fail(const wchar_t* what, const std::wstring& subject, HRESULT hr = S_OK) {
  fwprintf(stderr, L"mdsstg: %ls %ls", what, subject.c_str());
  if (hr != S_OK) fwprintf(stderr, L" (0x%08lX)", static_cast<unsigned long>(hr));
  fwprintf(stderr, L"\n");
  return 1;
}

}  // namespace

int wmain(int argc, wchar_t** argv) {
  if (argc != 3) {
    fwprintf(stderr, L"usage: mdsstg <output.stg> <source folder>\n");
    return 2;
  }
  std::wstring folder = argv[2];
  if (!folder.empty() && folder.back() != L'\\' && folder.back() != L'/') folder += L'\\';

  std::vector<MdsStreamData> streams;
  for (const auto& name : TableSourcesIn(folder)) {
    std::string source;
    if (!ReadBytes(folder + name, &source)) return Fail(L"cannot read", folder + name);
    MdsStreamData data{MdsStreamNameOf(name), {}};
    if (!MdsSourceToTableBytes(source, &data.bytes)) return Fail(L"not UTF-8 text:", folder + name);
    streams.push_back(std::move(data));
  }

  std::wstring failed;
  HRESULT hr = WriteMdsStorage(argv[1], streams, &failed);
  if (FAILED(hr)) return Fail(L"cannot write", failed.empty() ? std::wstring(argv[1]) : failed, hr);
  wprintf(L"mdsstg: %u tables in %ls\n", static_cast<unsigned>(streams.size()), argv[1]);
  return 0;
}
