// Build time of the light entry view for one entry of 1, 10, 100 and 1000
// translations: cold (a new view, so every table is extracted from mds.stg
// and loaded once), warm (the same view again), and against the baseline of
// the same entry laid out over tables already parsed into memory. Prints
// the time per build and the ratios; exits 1 when the warm build of the
// typical entry (10 translations) is not far below the popup's delay.
#include <windows.h>

#include <algorithm>
#include <chrono>
#include <cmath>
#include <cstdio>
#include <functional>
#include <string>
#include <vector>

#include "ChildProcess.h"
#include "FixtureEntries.h"
#include "MemoryTables.h"
#include "browserproxy/dictionary/CEdLightInfo.h"
#include "platform/com/ComApartment.h"

namespace {

using Clock = std::chrono::steady_clock;

constexpr int kPopupOptions = 0x1 | 0x2;

class BenchView : public CEdLightInfo {
 public:
  explicit BenchView(LayoutTableSource* tables = nullptr) {
    headwordCaption_ = 1;
    dictionaryLayout_ = 1;
    noDictionaryCaptions_ = 0;
    SetHideInactiveDictionaries(1);
    SetDisplayFlags(kPopupOptions);
    if (tables) SetTableSource(tables);
  }
};

// The fixture's "table" with n translations from two dictionaries.
CEntryDsc EntryOf(int translations) {
  CEntryDsc entry = fixture::Table();
  CIPsp& row = entry.rows.front();
  std::vector<CEntryRecord> models = row.records;
  row.records.clear();
  for (int i = 0; i < translations; ++i) {
    CEntryRecord record = models[static_cast<size_t>(i / 10) % models.size()];
    record.word += std::to_wstring(i);
    row.records.push_back(record);
  }
  return entry;
}

double MillisecondsPerBuild(int repeats, const std::function<void()>& build) {
  auto start = Clock::now();
  for (int i = 0; i < repeats; ++i) build();
  return std::chrono::duration<double, std::milli>(Clock::now() - start).count() / repeats;
}

bool RegisterReader() {
  HMODULE server = LoadLibraryW(testsupport::SiblingPath(L"mdsreader.dll").c_str());
  auto registerServer = server ? reinterpret_cast<HRESULT(STDAPICALLTYPE*)()>(
                                     GetProcAddress(server, "DllRegisterServer"))
                               : nullptr;
  return registerServer && SUCCEEDED(registerServer());
}

}  // namespace

int main() {
  platform::ComApartment apartment(COINIT_APARTMENTTHREADED);
  if (!RegisterReader()) {
    std::printf("the table reader stand-in mdsreader.dll could not be registered\n");
    return 2;
  }
  MemoryTables memory;
  memory.folder = testsupport::SiblingPath(L"mds") + L"\\";
  LoadTableSources(memory, fixture::TableSourceFolder());

  std::printf("%12s %12s %12s %12s %10s %10s\n", "translations", "cold ms", "warm ms", "memory ms",
              "warm/mem", "cold/warm");
  double warmTypical = 0;
  std::vector<std::pair<int, double>> warmTimes;
  for (int n : {1, 10, 100, 1000}) {
    const int repeats = n >= 1000 ? 5 : n >= 100 ? 20 : 100;
    std::vector<CEntryDsc> entries = {EntryOf(n)};
    double cold = MillisecondsPerBuild(std::max(1, repeats / 10), [&] {
      BenchView view;
      view.InitData(nullptr);
      std::vector<CEntryDsc> copy = entries;
      view.Build(&copy, L"table");
    });
    BenchView warmView;
    warmView.InitData(nullptr);
    std::vector<CEntryDsc> warmEntries = entries;
    warmView.Build(&warmEntries, L"table");
    double warm = MillisecondsPerBuild(repeats, [&] {
      std::vector<CEntryDsc> copy = entries;
      warmView.Build(&copy, L"table");
    });
    BenchView memoryView(&memory);
    double inMemory = MillisecondsPerBuild(repeats, [&] {
      std::vector<CEntryDsc> copy = entries;
      memoryView.Build(&copy, L"table");
    });
    std::printf("%12d %12.3f %12.3f %12.3f %10.2f %10.2f\n", n, cold, warm, inMemory, warm / inMemory,
                cold / warm);
    if (n == 10) warmTypical = warm;
    warmTimes.emplace_back(n, warm);
  }
  // Growth: time per translation from 100 to 1000 against n log n.
  double growth = warmTimes[3].second / warmTimes[2].second;
  double nLogN = (1000 * std::log(1000.0)) / (100 * std::log(100.0));
  std::printf("growth 100 -> 1000 translations: %.1fx (n log n: %.1fx)\n", growth, nLogN);
  std::printf("warm build of a typical entry: %.3f ms (popup delay 500 ms, goal under 1 ms)\n", warmTypical);
  return warmTypical < 50.0 ? 0 : 1;
}
