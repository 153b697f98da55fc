// Times the server connector's Base64 coder on 10 MB against the system's
// CryptBinaryToString / CryptStringToBinary on the same bytes, and, given a
// running stand-in server's address, a 1 MB file job through the connector
// against the server's own time for the job's requests, read from its
// request log (run the server with "jobMs": 0, so that no waiting is counted).
// Usage: bench_server_connector.exe [server base address, its request log]
#include <windows.h>
#include <wincrypt.h>

#include <chrono>
#include <cstdlib>
#include <cstdio>
#include <fstream>
#include <random>
#include <string>
#include <vector>

#include "browserproxy/server/NorvaVQDWrapper.h"
#include "browserproxy/server/VQDProtocol.h"
#include "platform/com/ComApartment.h"

namespace {

using Clock = std::chrono::steady_clock;

template <class F>
double BestMs(F&& f, int runs = 3) {
  double best = 1e30;
  for (int i = 0; i < runs; ++i) {
    const auto start = Clock::now();
    f();
    best = std::min(best, std::chrono::duration<double, std::milli>(Clock::now() - start).count());
  }
  return best;
}

// A fresh buffer of `size` bytes, every page written once: what any coder
// that returns a new result pays before it codes a byte.
double FreshBufferMs(size_t size) {
  return BestMs([&] {
    std::string buffer(size, '\0');
    volatile char sink = buffer[size / 2];
    (void)sink;
  });
}

void Base64Bench() {
  std::vector<uint8_t> bytes(10 * 1024 * 1024);
  std::mt19937 random(7);
  for (auto& b : bytes) b = static_cast<uint8_t>(random());

  // Both coders get the same: a fresh result buffer on every run.
  std::string ours;
  const double encode = BestMs([&] {
    ours.clear();
    ours.shrink_to_fit();
    ours = vqd::Base64Encode(bytes.data(), bytes.size());
  });
  std::string system;
  const double systemEncode = BestMs([&] {
    DWORD length = 0;
    CryptBinaryToStringA(bytes.data(), static_cast<DWORD>(bytes.size()), CRYPT_STRING_BASE64, nullptr, &length);
    std::string fresh(length, '\0');
    CryptBinaryToStringA(bytes.data(), static_cast<DWORD>(bytes.size()), CRYPT_STRING_BASE64, fresh.data(), &length);
    system = std::move(fresh);
  });
  const std::wstring wide(ours.begin(), ours.end());
  std::vector<uint8_t> decoded;
  const double decode = BestMs([&] {
    decoded = {};
    decoded = vqd::Base64Decode(wide);
  });
  std::vector<uint8_t> systemDecoded;
  const double systemDecode = BestMs([&] {
    DWORD length = 0;
    CryptStringToBinaryA(ours.data(), static_cast<DWORD>(ours.size()), CRYPT_STRING_BASE64, nullptr, &length, nullptr,
                         nullptr);
    std::vector<uint8_t> fresh(length);
    CryptStringToBinaryA(ours.data(), static_cast<DWORD>(ours.size()), CRYPT_STRING_BASE64, fresh.data(), &length,
                         nullptr, nullptr);
    systemDecoded = std::move(fresh);
  });
  const double encodeBuffer = FreshBufferMs(ours.size()), decodeBuffer = FreshBufferMs(bytes.size());
  printf("Base64 of 10 MB, each coder writing into a fresh buffer: encode %.1f ms (system %.1f ms, ratio %.2f), "
         "decode %.1f ms (system %.1f ms, ratio %.2f)\n",
         encode, systemEncode, encode / systemEncode, decode, systemDecode, decode / systemDecode);
  printf("  of which the fresh buffer alone (allocation and first touch): encode %.1f ms, decode %.1f ms; "
         "the coder's own share: encode %.1f ms (system %.1f ms), decode %.1f ms (system %.1f ms)\n",
         encodeBuffer, decodeBuffer, encode - encodeBuffer, systemEncode - encodeBuffer, decode - decodeBuffer,
         systemDecode - decodeBuffer);
  printf("  round trip %s, system agrees %s\n", decoded == bytes ? "exact" : "WRONG",
         systemDecoded == bytes ? "yes" : "NO");
}

// The server's own time: the sum of the "ms" of its finished requests in
// its request log.
double ServerMs(const std::wstring& log) {
  std::ifstream in(log.c_str(), std::ios::binary);
  std::string line;
  double total = 0;
  while (std::getline(in, line)) {
    const size_t at = line.find("\"ms\": ");
    if (line.find("\"finished\"") != std::string::npos && at != std::string::npos) total += std::atof(line.c_str() + at + 6);
  }
  return total;
}

void FileJobBench(const std::wstring& address, const std::wstring& log) {
  platform::ComApartment apartment;
  CNorvaVQDWrapper connector(L"bench");
  if (!connector.Connect(address)) {
    printf("cannot connect to the server\n");
    return;
  }
  wchar_t temp[MAX_PATH] = {};
  GetTempPathW(MAX_PATH, temp);
  TranslateFileJob job;
  job.fileKind = 2;
  job.sourcePath = std::wstring(temp) + L"bench-server-1mb.txt";
  job.destinationPath = std::wstring(temp) + L"bench-server-1mb-result.txt";
  {
    std::ofstream out(job.sourcePath.c_str(), std::ios::binary | std::ios::trunc);
    std::string line = "The program has a virus and the memory is full.\r\n";
    for (size_t written = 0; written < 1024 * 1024; written += line.size()) out << line;
  }
  double best = 1e30, server = 0;
  bool ok = true;
  for (int run = 0; run < 3; ++run) {
    std::ofstream(log.c_str(), std::ios::trunc).close();
    const auto start = Clock::now();
    ok = connector.TranslateFile(job) && ok;
    const double total = std::chrono::duration<double, std::milli>(Clock::now() - start).count();
    if (total < best) {
      best = total;
      server = ServerMs(log);
    }
  }
  printf("1 MB file job end to end: %.1f ms against the server's own %.1f ms for it (ratio %.2f)%s\n", best, server,
         server > 0 ? best / server : 0.0, ok ? "" : " FAILED");
  DeleteFileW(job.sourcePath.c_str());
  DeleteFileW(job.destinationPath.c_str());
}

}  // namespace

int wmain(int argc, wchar_t** argv) {
  Base64Bench();
  if (argc > 2) FileJobBench(argv[1], argv[2]);
  return 0;
}
