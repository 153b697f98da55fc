// Registers the table reader stand-in in the test prefix, as an installer
// would; the tests that create reader objects run after this one.
#include <gtest/gtest.h>
#include <windows.h>

#include "ChildProcess.h"
#include "MdsReaderTestSupport.h"
#include "platform/com/ComApartment.h"

namespace {

using RegisterFunction = HRESULT(STDAPICALLTYPE*)();

TEST(MdsReaderRegistration, RegisteredServerCreatesReadersByClassId) {
  HMODULE server = LoadLibraryW(testsupport::SiblingPath(L"mdsreader.dll").c_str());
  ASSERT_NE(nullptr, server) << "mdsreader.dll beside the tests";
  auto registerServer = reinterpret_cast<RegisterFunction>(GetProcAddress(server, "DllRegisterServer"));
  ASSERT_NE(nullptr, registerServer);
  ASSERT_EQ(S_OK, registerServer());

  platform::ComApartment apartment(COINIT_APARTMENTTHREADED);
  auto reader = testsupport::NewMdsReader();
  EXPECT_TRUE(reader.As<IMdsReader2>()) << "second interface";
  reader.Reset();
  CoFreeUnusedLibraries();
}

}  // namespace
