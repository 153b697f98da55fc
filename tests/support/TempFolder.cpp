#include "TempFolder.h"

#include <windows.h>

#include <filesystem>
#include <fstream>
#include <sstream>

namespace testsupport {

TempFolder::TempFolder() {
  wchar_t base[MAX_PATH + 1] = {};
  GetTempPathW(MAX_PATH, base);
  static LONG counter = 0;
  for (;;) {
    std::wstringstream name;
    name << base << L"nrvatest-" << GetCurrentProcessId() << L"-" << InterlockedIncrement(&counter)
         << L"-" << GetTickCount() << L"\\";
    if (CreateDirectoryW(name.str().c_str(), nullptr)) {
      path_ = name.str();
      return;
    }
    if (GetLastError() != ERROR_ALREADY_EXISTS) throw std::runtime_error("cannot create a temporary folder");
  }
}

TempFolder::~TempFolder() {
  std::error_code ignored;
  std::filesystem::remove_all(std::filesystem::path(path_), ignored);
}

std::wstring TempFolder::WriteFile(const std::wstring& name, const std::string& bytes) const {
  std::wstring full = File(name);
  std::ofstream out(std::filesystem::path(full), std::ios::binary);
  out.write(bytes.data(), static_cast<std::streamsize>(bytes.size()));
  return full;
}

std::string ReadWholeFile(const std::wstring& path) {
  std::ifstream in(std::filesystem::path(path), std::ios::binary);
  std::stringstream buffer;
  buffer << in.rdbuf();
  return buffer.str();
}

}  // namespace testsupport
