#include <gtest/gtest.h>
#include <windows.h>

#include <cstdio>
#include <cstdlib>
#include <string>

namespace {

// Writes text to the file that the environment variable names, if any: the
// test runner (scripts/wine-test.sh) learns from these markers that main()
// ran and that the tests ended.
void WriteMarker(const char* variable, const std::string& text) {
  const char* path = std::getenv(variable);
  if (!path || !*path) return;
  if (FILE* file = std::fopen(path, "w")) {
    std::fputs(text.c_str(), file);
    std::fclose(file);
  }
}

}  // namespace

int main(int argc, char** argv) {
  WriteMarker("TEST_START_MARKER", "started");
  // A crash must end the test program, never open an error box that waits.
  SetErrorMode(SEM_FAILCRITICALERRORS | SEM_NOGPFAULTERRORBOX | SEM_NOOPENFILEERRORBOX);
  testing::InitGoogleTest(&argc, argv);
  const int result = RUN_ALL_TESTS();
  std::fflush(stdout);
  WriteMarker("TEST_END_MARKER", std::to_string(result));
  return result;
}
