// The regsvr32 that serves a DLL is the one of the DLL's bitness.
#include <gtest/gtest.h>
#include <windows.h>

#include "TempFolder.h"
#include "extmanager/switches/PluginRegistration.h"

namespace {

// The first bytes of a PE image for this machine.
std::string ImageHead(WORD machine) {
  std::string bytes(0x100, '\0');
  bytes[0] = 'M';
  bytes[1] = 'Z';
  bytes[0x3C] = 0x80;  // e_lfanew
  memcpy(&bytes[0x80], "PE\0\0", 4);
  memcpy(&bytes[0x84], &machine, 2);
  return bytes;
}

std::wstring Lower(std::wstring text) {
  CharLowerBuffW(text.data(), static_cast<DWORD>(text.size()));
  return text;
}

TEST(Regsvr32, FollowsTheBitnessOfTheDll) {
  testsupport::TempFolder folder;
  wchar_t system[MAX_PATH] = {}, wow[MAX_PATH] = {};
  GetSystemDirectoryW(system, MAX_PATH);
  std::wstring x64 = folder.WriteFile(L"x64.dll", ImageHead(IMAGE_FILE_MACHINE_AMD64));
  EXPECT_EQ(Lower(std::wstring(system) + L"\\regsvr32.exe"), Lower(Regsvr32For(x64)));
  std::wstring x86 = folder.WriteFile(L"x86.dll", ImageHead(IMAGE_FILE_MACHINE_I386));
  std::wstring expected = GetSystemWow64DirectoryW(wow, MAX_PATH) ? std::wstring(wow) : std::wstring(system);
  EXPECT_EQ(Lower(expected + L"\\regsvr32.exe"), Lower(Regsvr32For(x86)));
  EXPECT_EQ(L"", Regsvr32For(folder.WriteFile(L"text.dll", "not an image")));
  EXPECT_EQ(L"", Regsvr32For(folder.File(L"missing.dll")));
  EXPECT_EQ(RegistrationOutcome::kUnknownBitness, RunRegsvr32(folder.File(L"text.dll"), true));
}

}  // namespace
