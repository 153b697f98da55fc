// The pump's wait for a handle that is never signalled, against a plain
// WaitForSingleObject of the same length measured in the same run: the pump
// sleeps between messages, so its processor time stays near the plain
// wait's, far below the time that passes.
#include <windows.h>

#include <cstdio>

#include "platform/base/Handles.h"
#include "platform/win/MessagePump.h"

namespace {

double ThreadCpuSeconds() {
  FILETIME created, exited, kernel, user;
  GetThreadTimes(GetCurrentThread(), &created, &exited, &kernel, &user);
  auto seconds = [](const FILETIME& t) {
    return static_cast<double>(static_cast<ULONGLONG>(t.dwHighDateTime) << 32 | t.dwLowDateTime) / 1e7;
  };
  return seconds(kernel) + seconds(user);
}

struct Measure {
  double wall;
  double cpu;
};

template <class Wait>
Measure Time(Wait wait) {
  const double cpuBefore = ThreadCpuSeconds();
  const ULONGLONG start = GetTickCount64();
  wait();
  return Measure{(GetTickCount64() - start) / 1000.0, ThreadCpuSeconds() - cpuBefore};
}

}  // namespace

int wmain() {
  constexpr DWORD kWaitMs = 2000;
  platform::UniqueKernelHandle never(CreateEventW(nullptr, TRUE, FALSE, nullptr));
  // A window makes the thread a GUI thread, as in the callers of the pump.
  MSG msg;
  PeekMessageW(&msg, nullptr, 0, 0, PM_NOREMOVE);
  const Measure plain = Time([&] { WaitForSingleObject(never.Get(), kWaitMs); });
  const Measure pump = Time([&] { platform::PumpMessagesUntil(never.Get(), kWaitMs); });
  std::printf("plain wait: %.2f s passed, %.4f s of processor time\n", plain.wall, plain.cpu);
  std::printf("pump wait:  %.2f s passed, %.4f s of processor time\n", pump.wall, pump.cpu);
  std::printf("processor time per second waited: pump %.4f, plain %.4f\n", pump.cpu / pump.wall,
              plain.cpu / plain.wall);
  return 0;
}
