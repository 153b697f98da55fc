// 1. TranslateText of a 1 MB text of 20 000 lines through the kernel
//    connector, against one call of the stand-in's translator on the whole
//    text in process (the same text documents and profile translator); then
//    the same with the stand-in's "EchoTranslation" switch, whose translator
//    answers its input: the connector's own cost per line, apart from the
//    stand-in's translation.
// 2. Processor time of this process while a file job of about ten seconds
//    runs with its progress dialog, against the time that passed.
#include <windows.h>

#include <chrono>
#include <cstdio>
#include <string>

#include "ChildProcess.h"
#include "KelVarLib.h"
#include "browserproxy/kernel/NorvaKernelWrapper.h"
#include "browserproxy/ui/ProgressDlg.h"
#include "platform/com/Bstr.h"
#include "platform/com/ComApartment.h"
#include "platform/com/Variant.h"

namespace {

bool RegisterKernel() {
  HMODULE dll = LoadLibraryW(testsupport::SiblingPath(L"NrvaKernel.dll").c_str());
  if (!dll) return false;
  auto entry = reinterpret_cast<HRESULT(STDAPICALLTYPE*)()>(GetProcAddress(dll, "DllRegisterServer"));
  bool ok = entry && SUCCEEDED(entry());
  FreeLibrary(dll);
  auto server =
      testsupport::RunChild(L"\"" + testsupport::SiblingPath(L"NrvaKernelServer.exe") + L"\" -RegServer", 60000);
  return ok && server.started && !server.timedOut && server.exitCode == 0;
}

void SetSwitch(const wchar_t* name, DWORD value) {
  RegSetKeyValueW(HKEY_CURRENT_USER, L"Software\\NorvaStandIns\\Kernel", name, REG_DWORD, &value, sizeof(value));
  Sleep(15);  // the stand-in looks for changes of its switches every 5 ms
}

double Seconds(std::chrono::steady_clock::time_point since) {
  return std::chrono::duration<double>(std::chrono::steady_clock::now() - since).count();
}

double ProcessCpuSeconds() {
  FILETIME created, exited, kernel, user;
  GetProcessTimes(GetCurrentProcess(), &created, &exited, &kernel, &user);
  auto seconds = [](const FILETIME& t) {
    return (static_cast<unsigned long long>(t.dwHighDateTime) << 32 | t.dwLowDateTime) / 1e7;
  };
  return seconds(kernel) + seconds(user);
}

std::wstring MakeText() {
  std::wstring text;
  const std::wstring line = L"hello world and the good news of the day for everyone here";
  for (int i = 0; i < 20000; ++i) {
    text += line;
    text += L"\r\n";
  }
  return text;
}

// One call of the kernel's profile translator on the whole text.
double WholeTextOnce(const std::wstring& text) {
  using platform::ComPtr;
  auto context = ComPtr<INrvaContext>::Create(CLSID_NrvaContext);
  context->Open(platform::Bstr(L"BENCH").Get(), platform::Variant::Missing().Get(), platform::Variant::Missing().Get());
  ComPtr<IDispatch> profile;
  context->GetProfile(profile.Receive());
  auto translator = profile.Query<INrvaProfileTranslator>();
  auto source = ComPtr<INrvaDocument>::Create(CLSID_NrvaTextDocument);
  auto target = ComPtr<INrvaDocument>::Create(CLSID_NrvaTextDocument);
  auto start = std::chrono::steady_clock::now();
  source->SetText(platform::Bstr(text).Get());
  translator->Translate(source.Get(), target.Get(), platform::Variant::Missing().Get());
  platform::Bstr result;
  target->GetText(result.Receive());
  return Seconds(start);
}

}  // namespace

int wmain() {
  platform::ComApartment apartment;
  if (!RegisterKernel()) {
    std::printf("the stand-in kernel could not be registered\n");
    return 1;
  }
  SetSwitch(L"NoMessageBoxes", 1);
  CNorvaKernelWrapper connector(L"Benchmark");
  if (!connector.Initialize(L"BENCH")) {
    std::printf("the connector did not start\n");
    return 1;
  }

  const std::wstring text = MakeText();
  double baseline = WholeTextOnce(text);
  std::wstring result;
  auto start = std::chrono::steady_clock::now();
  connector.TranslateText(text, result, 0);
  double lines = Seconds(start);
  std::printf("TranslateText, %zu characters in 20000 lines: %.3f s; whole text in one call: %.3f s; ratio %.2f\n",
              text.size(), lines, baseline, lines / baseline);
  SetSwitch(L"EchoTranslation", 1);
  std::wstring echoed;
  start = std::chrono::steady_clock::now();
  connector.TranslateText(text, echoed, 0);
  const double echoLines = Seconds(start);
  SetSwitch(L"EchoTranslation", 0);
  std::printf("the same with a translator that answers its input (%s): %.3f s, %.1f us per line of the connector's "
              "own work; the stand-in's translation %.1f us per line\n",
              echoed == text ? "text unchanged" : "TEXT CHANGED", echoLines, echoLines / 20000 * 1e6,
              (lines - echoLines) / 20000 * 1e6);

  // A file job of about ten seconds: 100 steps, 100 ms apart.
  std::wstring folder(MAX_PATH, L'\0');
  folder.resize(GetTempPathW(MAX_PATH, folder.data()));
  std::wstring source = folder + L"bench-source.txt", destination = folder + L"bench-result.txt";
  {
    std::wstring body;
    for (int i = 0; i < 100; ++i) body += L"hello world\r\n";
    HANDLE file = CreateFileW(source.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS, 0, nullptr);
    DWORD written = 0;
    WriteFile(file, "\xFF\xFE", 2, &written, nullptr);
    WriteFile(file, body.data(), static_cast<DWORD>(body.size() * sizeof(wchar_t)), &written, nullptr);
    CloseHandle(file);
  }
  SetSwitch(L"JobStepDelay", 100);
  CProgressDlg dialog(L"Selected Text Translation");
  TranslateFileJob job;
  job.sourcePath = source;
  job.destinationPath = destination;
  job.progress = &dialog;
  double cpuBefore = ProcessCpuSeconds();
  start = std::chrono::steady_clock::now();
  bool done = connector.TranslateFile(job);
  double wall = Seconds(start);
  double cpu = ProcessCpuSeconds() - cpuBefore;
  SetSwitch(L"JobStepDelay", 0);
  std::printf("file job with progress (%s): %.2f s passed, %.3f s of processor time; ratio %.4f\n",
              done ? "done" : "not done", wall, cpu, cpu / wall);
  DeleteFileW(source.c_str());
  DeleteFileW(destination.c_str());
  return 0;
}
