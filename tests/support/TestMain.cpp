#include <gtest/gtest.h>
#include <windows.h>

int main(int argc, char** argv) {
  // A crash must end the test program, never open an error box that waits.
  SetErrorMode(SEM_FAILCRITICALERRORS | SEM_NOGPFAULTERRORBOX | SEM_NOOPENFILEERRORBOX);
  testing::InitGoogleTest(&argc, argv);
  return RUN_ALL_TESTS();
}
