// The kernel connector over the stand-in kernel, registered as an installer
// would: in-process classes and the local server (error reporter, file
// translator). Modal dialogs are driven by the watcher; every wait is bounded.
#include <gtest/gtest.h>
#include <windows.h>

#include <commctrl.h>

#include <algorithm>
#include <atomic>
#include <string>
#include <thread>

#include "DialogWatcher.h"
#include "KernelStandIn.h"
#include "RegistrySandbox.h"
#include "TempFolder.h"
#include "Utf16File.h"
#include "browserproxy/kernel/NorvaKernelEvents.h"
#include "browserproxy/kernel/NorvaKernelWrapper.h"
#include "browserproxy/ui/ProgressDlg.h"
#include "platform/com/AdviseConnection.h"
#include "platform/com/Bstr.h"
#include "platform/com/ComApartment.h"
#include "platform/com/ComError.h"
#include "platform/com/Variant.h"
#include "platform/win/MessagePump.h"

namespace {

using namespace kernelstandin_test;
using platform::ComError;

constexpr wchar_t kProductKey[] = L"NRVA9-FF";
constexpr wchar_t kTitle[] = L"NORVA for Mozilla FireFox";
constexpr wchar_t kProgressTitle[] = L"Selected Text Translation";
constexpr HRESULT kJobFailed = static_cast<HRESULT>(0x800F0021);

// A visible top-level window of this process: the plug-in's window.
class BrowserWindow {
 public:
  BrowserWindow() {
    hwnd_ = CreateWindowExW(0, L"STATIC", L"browser", WS_POPUP | WS_CAPTION | WS_VISIBLE, 20, 20, 300, 200, nullptr,
                            nullptr, nullptr, nullptr);
    SetForegroundWindow(hwnd_);
  }
  ~BrowserWindow() { DestroyWindow(hwnd_); }
  HWND Get() const { return hwnd_; }

 private:
  HWND hwnd_;
};

// The dialog as the connector sees it, noting what holds while the job's
// progress arrives (on the apartment thread, inside the modal run).
class ObservedDialog : public IProgressDlg {
 public:
  ObservedDialog(CProgressDlg& dialog, HWND browser) : dialog_(dialog), browser_(browser) {}
  long OnKernelInfo(const VARIANT& code, const VARIANT& text) override { return dialog_.OnKernelInfo(code, text); }
  long OnEvent(long code) override { return dialog_.OnEvent(code); }
  long OnKernelNotice(long value) override { return dialog_.OnKernelNotice(value); }
  long SetPos(long position, long maximum) override {
    ++progressEvents;
    // The thread's session ends while the job runs.
    if (quitOnProgress && progressEvents == 1) PostQuitMessage(0);
    // A stop asked through the dialog's event, which does not end its run.
    if (stopEventInRun && !cancelPressed && dialog_.GetHwnd()) {
      dialog_.OnEvent(2);
      cancelPressed = true;
    }
    if (dialog_.GetHwnd()) shownDuringProgress = true;
    if (browser_ && !IsWindowEnabled(browser_)) browserDisabledDuringProgress = true;
    return dialog_.SetPos(position, maximum);
  }
  bool DoModal() override {
    // What may reach the dialog before its run starts.
    if (cancelBeforeRun && dialog_.StopHandler()) {
      dialog_.StopHandler()->OnStop();
      dialog_.End(FALSE);
    }
    if (endBeforeRun) dialog_.End(TRUE);
    return dialog_.DoModal();
  }
  long SetStopHandler(IProgressDlgCallBack* handler) override { return dialog_.SetStopHandler(handler); }
  long End(long ok) override { return dialog_.End(ok); }
  HWND GetHwnd() override { return dialog_.GetHwnd(); }

  bool cancelBeforeRun = false;
  bool endBeforeRun = false;
  bool stopEventInRun = false;
  bool quitOnProgress = false;
  bool cancelPressed = false;
  int progressEvents = 0;
  bool shownDuringProgress = false;  // the modal run had its window
  bool browserDisabledDuringProgress = false;

 private:
  CProgressDlg& dialog_;
  HWND browser_;
};

class KernelConnectorTest : public KernelStandInTest {
 protected:
  void Start() { ASSERT_TRUE(connector_.Initialize(kProductKey)); }
  std::wstring Translate(const std::wstring& text) {
    std::wstring result;
    EXPECT_TRUE(connector_.TranslateText(text, result, 0));
    return result;
  }
  // A text job of many lines, so that it takes several steps.
  TranslateFileJob TextJob(bool withProgress, IProgressDlg* dialog) {
    std::wstring text;
    for (int i = 0; i < 20; ++i) text += L"hello world\r\n";
    TranslateFileJob job;
    job.fileKind = 1;
    job.sourcePath = folder_.WriteFile(L"source.txt", testsupport::Utf16WithMark(text));
    job.destinationPath = folder_.File(L"result.txt");
    job.withProgress = withProgress;
    job.progress = dialog;
    return job;
  }

  testsupport::TempFolder folder_;
  CNorvaKernelWrapper connector_{kTitle};
};

TEST_F(KernelConnectorTest, ListsDirectionsAndTemplates) {
  Start();
  EXPECT_FALSE(connector_.IsDisable());
  EXPECT_EQ(6u, connector_.GetDirsCount());
  EXPECT_EQ(0x00020001, connector_.GetDirID(0));
  EXPECT_EQ(L"English-Russian", connector_.GetDirName(0));
  EXPECT_EQ(0x00040002, connector_.GetDirID(5));
  EXPECT_EQ(4u, connector_.GetTmplCountByDirIdx(0));
  EXPECT_EQ(L"Computers and Internet", connector_.GetTmplNameByDirIdx(1, 0));
  // Out of range: the two by-direction reads answer empty, the others raise.
  EXPECT_EQ(0u, connector_.GetTmplCountByDirIdx(99));
  EXPECT_EQ(L"", connector_.GetTmplNameByDirIdx(99, 0));
  EXPECT_EQ(L"", connector_.GetTmplNameByDirIdx(0, 99));
  EXPECT_THROW(connector_.GetDirName(99), ComError);
  EXPECT_NE(nullptr, connector_.GetDesktopObject()->GetContextObject());
  EXPECT_NE(nullptr, connector_.GetDesktopObject()->GetDirectionsObject());
}

TEST_F(KernelConnectorTest, ChoosesTheActiveDirectionAndTemplate) {
  Start();
  connector_.SetActiveDirID(0x00040001);
  EXPECT_EQ(0x00040001, connector_.GetActiveDirID());
  EXPECT_EQ(2u, connector_.GetActiveDirIndex());
  connector_.SetActiveDirIndex(1);
  EXPECT_EQ(0x00010002, connector_.GetActiveDirID());
  EXPECT_EQ(S_OK, connector_.SetActiveTplId(L"BUSINESS"));
  EXPECT_EQ(L"BUSINESS", connector_.GetActiveTplId());
  EXPECT_EQ(2u, connector_.GetActiveTplIndex());
  EXPECT_EQ(4u, connector_.GetTmplCount());
  EXPECT_EQ(L"Business and Finance", connector_.GetTmplName(2));
  // A refused template is answered, not raised.
  EXPECT_TRUE(FAILED(connector_.SetActiveTplId(L"NO SUCH TEMPLATE")));
  SetSwitch(L"RefuseTemplate", 1);
  EXPECT_TRUE(FAILED(connector_.SetActiveTplId(L"GENERAL")));
  EXPECT_EQ(L"BUSINESS", connector_.GetActiveTplId());
}

// The kernel names its templates by identifiers unlike their display
// names; the lists show names, and a caller that shows them hands a name
// over. The active template is always set by its identifier.
TEST_F(KernelConnectorTest, TheActiveTemplateIsSetByItsIdentifierOrItsDisplayName) {
  Start();
  connector_.SetActiveDirID(0x00020001);
  const struct {
    const wchar_t* given;
    HRESULT answer;
    const wchar_t* active;
    unsigned long index;
  } cases[] = {
      {L"MEDICAL", S_OK, L"MEDICAL", 3},
      {L"Computers and Internet", S_OK, L"COMPUTER", 1},
      {L"General", S_OK, L"GENERAL", 0},
      {L"Business and Finance", S_OK, L"BUSINESS", 2},
      // Neither: the kernel refuses it and the active template stays.
      {L"medicine", E_INVALIDARG, L"BUSINESS", 2},
      {L"", E_INVALIDARG, L"BUSINESS", 2},
  };
  for (const auto& c : cases) {
    EXPECT_EQ(c.answer, connector_.SetActiveTplId(c.given)) << testing::PrintToString(std::wstring(c.given));
    EXPECT_EQ(c.active, connector_.GetActiveTplId()) << testing::PrintToString(std::wstring(c.given));
    EXPECT_EQ(c.index, connector_.GetActiveTplIndex()) << testing::PrintToString(std::wstring(c.given));
  }
}

TEST_F(KernelConnectorTest, TranslatesLineByLineKeepingTheBreaks) {
  Start();
  EXPECT_EQ(L"\x043f\x0440\x0438\x0432\x0435\x0442 \x043c\x0438\x0440", Translate(L"hello world"));
  const std::wstring hello = Translate(L"hello");
  const std::wstring world = Translate(L"world");
  ASSERT_FALSE(hello.empty());
  const std::pair<std::wstring, std::wstring> cases[] = {
      {L"hello\r\nworld\nhello", hello + L"\r\n" + Translate(L"world\nhello")},
      {L"hello\n\nworld", hello + L"\n\n" + world},
      {L"hello\n", hello + L"\n"},
      {L"", L""},
  };
  int i = 0;
  for (const auto& [text, expected] : cases) {
    std::wstring result = L"stale";
    EXPECT_TRUE(connector_.TranslateText(text, result, 0)) << "case " << i;
    EXPECT_EQ(expected, result) << "case " << i;
    ++i;
  }
}

TEST_F(KernelConnectorTest, KernelFailureInTextTranslationIsReturnedAndReported) {
  Start();
  SetSwitch(L"FailTranslation", static_cast<DWORD>(E_ACCESSDENIED));
  std::wstring result = L"untouched";
  EXPECT_FALSE(connector_.TranslateText(L"hello", result, 0));
  EXPECT_EQ(L"untouched", result);
  EXPECT_EQ(static_cast<DWORD>(E_ACCESSDENIED), ReportNumber(L"LastError"));
  EXPECT_EQ(std::wstring(kTitle), ReportText(L"LastErrorTitle"));
}

TEST_F(KernelConnectorTest, FileJobWithoutProgress) {
  Start();
  TranslateFileJob job = TextJob(false, nullptr);
  EXPECT_TRUE(connector_.TranslateFile(job));
  std::wstring result = testsupport::ReadUtf16File(job.destinationPath);
  EXPECT_EQ(0u, result.find(Translate(L"hello world") + L"\r\n")) << testing::PrintToString(result);
}

TEST_F(KernelConnectorTest, FileJobWithProgressRunsTheDialogOverTheDisabledWindow) {
  Start();
  SetSwitch(L"JobStepDelay", 100);
  BrowserWindow browser;
  connector_.SetParentWindow(browser.Get());
  CProgressDlg dialog(kProgressTitle);
  ObservedDialog observed(dialog, browser.Get());
  TranslateFileJob job = TextJob(true, &observed);
  // The bar, as a user sees it, while the job runs.
  std::atomic<int> highest{0};
  testsupport::DialogWatcher watcher;
  watcher.OnWindow(kProgressTitle, L"#32770", [&](HWND window) {
    while (IsWindow(window)) {
      highest = std::max<int>(highest, static_cast<int>(SendMessageW(GetDlgItem(window, 201), PBM_GETPOS, 0, 0)));
      Sleep(20);
    }
  });
  // The processor time of this wait is measured by bench_kernel_connector.
  EXPECT_TRUE(connector_.TranslateFile(job));
  EXPECT_LT(0, observed.progressEvents);
  EXPECT_LT(0, highest.load()) << "the job's progress reached the bar";
  EXPECT_TRUE(observed.shownDuringProgress);
  EXPECT_TRUE(observed.browserDisabledDuringProgress);
  EXPECT_TRUE(IsWindowEnabled(browser.Get()));
  EXPECT_EQ(nullptr, dialog.StopHandler());
  std::wstring result = testsupport::ReadUtf16File(job.destinationPath);
  EXPECT_EQ(0u, result.find(Translate(L"hello world") + L"\r\n")) << testing::PrintToString(result);
}

// Presses the dialog's Cancel, from another thread as a user would, once
// afterMs have passed and then again while the dialog is shown, until the
// job has ended: a user's Cancel, and what keeps a wait that would never
// end from hanging a test.
class HangBreaker {
 public:
  HangBreaker(CProgressDlg& dialog, DWORD afterMs) : done_(CreateEventW(nullptr, TRUE, FALSE, nullptr)) {
    thread_ = std::thread([this, &dialog, afterMs] {
      if (WaitForSingleObject(done_, afterMs) != WAIT_TIMEOUT) return;
      while (WaitForSingleObject(done_, 200) == WAIT_TIMEOUT)
        if (HWND hwnd = dialog.GetHwnd()) testsupport::DialogWatcher::PressButton(hwnd, IDCANCEL);
    });
  }
  ~HangBreaker() {
    SetEvent(done_);
    thread_.join();
    CloseHandle(done_);
  }

 private:
  HANDLE done_;
  std::thread thread_;
};

struct CancelCase {
  const char* name;
  const wchar_t* switchName;
};

TEST_F(KernelConnectorTest, CancelEndsTheJobAsStopped) {
  const CancelCase cases[] = {
      {"final status after the stop", nullptr},
      {"no final status: the stopped state ends the wait", L"NoFinalStatus"},
  };
  Start();
  for (const CancelCase& c : cases) {
    SetSwitch(L"JobStepDelay", 300);
    SetSwitch(L"NoFinalStatus", c.switchName ? 1 : 0);
    BrowserWindow browser;
    connector_.SetParentWindow(browser.Get());
    CProgressDlg dialog(kProgressTitle);
    ObservedDialog observed(dialog, browser.Get());
    TranslateFileJob job = TextJob(true, &observed);
    const DWORD start = GetTickCount();
    bool translated = false;
    {
      HangBreaker user(dialog, 500);
      translated = connector_.TranslateFile(job);
    }
    EXPECT_FALSE(translated) << "case " << c.name;
    EXPECT_LT(GetTickCount() - start, 15000u) << "case " << c.name;
    EXPECT_TRUE(dialog.Stopped()) << "case " << c.name;
    EXPECT_TRUE(IsWindowEnabled(browser.Get())) << "case " << c.name;
  }
}

// The kernel's reports keep a job alive however long it runs; a job that
// falls silent for the limit is stopped and fails with ERROR_TIMEOUT, and
// its dialog closes.
TEST_F(KernelConnectorTest, OnlyAJobThatFallsSilentIsGivenUp) {
  Start();
  connector_.SetJobSilenceLimit(700);
  BrowserWindow browser;
  connector_.SetParentWindow(browser.Get());
  {
    SetSwitch(L"JobStepDelay", 200);
    CProgressDlg dialog(kProgressTitle);
    ObservedDialog observed(dialog, browser.Get());
    TranslateFileJob job = TextJob(true, &observed);
    const DWORD start = GetTickCount();
    HangBreaker user(dialog, 30000);
    EXPECT_TRUE(connector_.TranslateFile(job));
    EXPECT_GT(GetTickCount() - start, 1400u) << "the job ran longer than twice the limit";
    EXPECT_LT(3, observed.progressEvents);
  }
  {
    SetSwitch(L"JobStepDelay", 4000);
    CProgressDlg dialog(kProgressTitle);
    ObservedDialog observed(dialog, browser.Get());
    TranslateFileJob job = TextJob(true, &observed);
    const DWORD start = GetTickCount();
    HRESULT failure = S_OK;
    {
      HangBreaker user(dialog, 30000);
      try {
        connector_.TranslateFile(job);
      } catch (const ComError& e) {
        failure = e.Result();
      }
    }
    EXPECT_EQ(HRESULT_FROM_WIN32(ERROR_TIMEOUT), failure);
    EXPECT_LT(GetTickCount() - start, 3500u) << "given up after the limit, not at the next step";
    EXPECT_EQ(nullptr, dialog.GetHwnd()) << "the dialog closed";
    EXPECT_TRUE(IsWindowEnabled(browser.Get()));
  }
}

struct OrderingCase {
  const char* name;
  bool noFinalStatus;
  bool cancelBeforeRun;
  bool endBeforeRun;
  bool stopEventInRun;
  bool translated;
};

// However the job's end, the Cancel and the dialog's run are ordered, the
// job's wait ends soon after the job does.
TEST_F(KernelConnectorTest, EveryOrderingOfEndCancelAndRunEnds) {
  const OrderingCase cases[] = {
      {"cancel before the run", false, true, false, false, false},
      {"cancel before the run, no final status", true, true, false, false, false},
      {"end before the run", false, false, true, false, true},
      {"stop asked inside the run, no final status", true, false, false, true, false},
      {"stop asked inside the run", false, false, false, true, false},
  };
  Start();
  for (const OrderingCase& c : cases) {
    SetSwitch(L"JobStepDelay", 100);
    SetSwitch(L"NoFinalStatus", c.noFinalStatus ? 1 : 0);
    BrowserWindow browser;
    connector_.SetParentWindow(browser.Get());
    CProgressDlg dialog(kProgressTitle);
    ObservedDialog observed(dialog, browser.Get());
    observed.cancelBeforeRun = c.cancelBeforeRun;
    observed.endBeforeRun = c.endBeforeRun;
    observed.stopEventInRun = c.stopEventInRun;
    TranslateFileJob job = TextJob(true, &observed);
    const DWORD start = GetTickCount();
    {
      HangBreaker breaker(dialog, 30000);
      EXPECT_EQ(c.translated, connector_.TranslateFile(job)) << "case " << c.name;
    }
    EXPECT_LT(GetTickCount() - start, 15000u) << "case " << c.name;
    EXPECT_EQ(nullptr, dialog.GetHwnd()) << "case " << c.name;
    EXPECT_TRUE(IsWindowEnabled(browser.Get())) << "case " << c.name;
  }
}

TEST_F(KernelConnectorTest, FinalStatusDuringTheStartIsNotLost) {
  Start();
  SetSwitch(L"EarlyFinalStatus", 1);
  CProgressDlg dialog(kProgressTitle);
  testsupport::DialogWatcher watcher;
  // Were the dialog run, Cancel would end it; it must not be run at all.
  watcher.Press(kProgressTitle, IDCANCEL);
  TranslateFileJob job = TextJob(true, &dialog);
  EXPECT_TRUE(connector_.TranslateFile(job));
  EXPECT_FALSE(dialog.Stopped());
  EXPECT_TRUE(watcher.Seen().empty());
}

TEST_F(KernelConnectorTest, FailedJobIsReportedAndRaised) {
  Start();
  BrowserWindow browser;
  connector_.SetParentWindow(browser.Get());
  SetSwitch(L"FailFileJob", 1);
  CProgressDlg dialog(kProgressTitle);
  TranslateFileJob job = TextJob(true, &dialog);
  try {
    connector_.TranslateFile(job);
    ADD_FAILURE() << "the failed job was not raised";
  } catch (const ComError& error) {
    EXPECT_EQ(kJobFailed, error.Result());
  }
  EXPECT_EQ(static_cast<DWORD>(kJobFailed), ReportNumber(L"LastError"));
  EXPECT_TRUE(IsWindowEnabled(browser.Get()));
}

// WM_QUIT while a job runs: the job is cut short, and that is a failed job,
// reported and raised, never a translation nor a user's stop.
TEST_F(KernelConnectorTest, SessionEndCutsTheJobShortAsAFailure) {
  Start();
  BrowserWindow browser;
  connector_.SetParentWindow(browser.Get());
  SetSwitch(L"JobStepDelay", 200);
  CProgressDlg dialog(kProgressTitle);
  ObservedDialog observed(dialog, browser.Get());
  observed.quitOnProgress = true;
  TranslateFileJob job = TextJob(true, &observed);
  HRESULT failure = S_OK;
  {
    HangBreaker breaker(dialog, 30000);
    try {
      const bool translated = connector_.TranslateFile(job);
      ADD_FAILURE() << "a job cut short answered " << translated;
    } catch (const ComError& error) {
      failure = error.Result();
    }
  }
  MSG quit;
  EXPECT_TRUE(PeekMessageW(&quit, nullptr, WM_QUIT, WM_QUIT, PM_REMOVE)) << "the quit is left for the outer loop";
  EXPECT_EQ(kJobFailed, failure);
  EXPECT_EQ(static_cast<DWORD>(kJobFailed), ReportNumber(L"LastError"));
  EXPECT_EQ(nullptr, dialog.GetHwnd());
  EXPECT_EQ(nullptr, dialog.StopHandler());
  EXPECT_TRUE(IsWindowEnabled(browser.Get()));
}

TEST_F(KernelConnectorTest, KernelErrorInsideAJobLeavesNothingBehind) {
  Start();
  BrowserWindow browser;
  connector_.SetParentWindow(browser.Get());
  SetSwitchText(L"FailCall", L"INrvaFileTranslator.Translate");
  CProgressDlg dialog(kProgressTitle);
  TranslateFileJob job = TextJob(true, &dialog);
  EXPECT_THROW(connector_.TranslateFile(job), ComError);
  EXPECT_TRUE(IsWindowEnabled(browser.Get()));
  EXPECT_EQ(nullptr, dialog.StopHandler()) << "the dialog must not reach the released job";
}

TEST_F(KernelConnectorTest, DirectionChangedInTheKernelReachesTheEventSink) {
  Start();
  auto context = platform::ComPtr<IUnknown>::Share(connector_.GetDesktopObject()->GetContextObject());
  ASSERT_TRUE(context);
  auto sink = platform::MakeComObject<CNorvaKernelWrapper::CDNorvaCtEvents>();
  sink->SetContext(context.Query<INrvaContextBase>());
  auto connection = platform::AdviseConnection::Make(context.Get(), __uuidof(DNorvaCtlEvents),
                                                     static_cast<DNorvaCtlEvents*>(sink.Get()));
  EXPECT_FALSE(sink->Ended());
  connector_.SetActiveDirID(0x00040001);
  EXPECT_NE(platform::PumpResult::TimedOut,
            platform::PumpMessagesUntil([&] { return sink->Ended(); }, 5000));
  EXPECT_TRUE(sink->Ended());

  // A matching number with another template, or no context to ask: not ended.
  auto other = platform::MakeComObject<CNorvaKernelWrapper::CDNorvaCtEvents>();
  other->SetContext(context.Query<INrvaContextBase>());
  platform::Bstr wrong(L"NO SUCH TEMPLATE");
  EXPECT_EQ(S_OK, other->OnDirectionChanged(0x00040001, wrong.Get()));
  EXPECT_FALSE(other->Ended());
  auto lost = platform::MakeComObject<CNorvaKernelWrapper::CDNorvaCtEvents>();
  EXPECT_EQ(S_OK, lost->OnProfileChanged(0x00040001, wrong.Get()));
  EXPECT_FALSE(lost->Ended());
}

TEST_F(KernelConnectorTest, PageDirectionUsesTheKernelDetectorAndTheDirections) {
  Start();
  LCID old = GetThreadLocale();
  SetThreadLocale(1049);
  EXPECT_EQ(0x00020004, connector_.GetPageDirection(L"<html lang=de><meta content='charset=utf-8'>", 0));
  EXPECT_EQ(0x00020001, connector_.GetPageDirection(L"<html><title>the news of the world</title>", 0));
  EXPECT_EQ(0x00020001, connector_.GetPageDirection(L"hello and goodbye, the world", 1));
  // No language told: no direction starts from none, so the composed pair into Russian.
  EXPECT_EQ(0x00020000, connector_.GetPageDirection(L"<html><body>no title</body>", 0));
  SetThreadLocale(old);
}

TEST_F(KernelConnectorTest, RefusedLogOnLeavesTheConnectorDisabled) {
  SetSwitch(L"FailLogOn", 1);
  EXPECT_FALSE(connector_.Initialize(kProductKey));
  EXPECT_TRUE(connector_.IsDisable());
  EXPECT_TRUE(connector_.IsControlDetached());
}

TEST_F(KernelConnectorTest, SpeakingCharacterGivesTheWindowBackOnFailure) {
  Start();
  BrowserWindow browser;
  SetForegroundWindow(browser.Get());
  SetSwitchText(L"FailCall", L"INrvaCharacter.Speak");
  EXPECT_THROW(connector_.GetSpeakService()->Speak(L"hello", platform::Variant::Missing().Get(), true), ComError);
  EXPECT_TRUE(IsWindowEnabled(browser.Get()));
}

TEST_F(KernelConnectorTest, WithoutAKernelInitializeAnswersFalseSilently) {
  ASSERT_TRUE(UnregisterKernel());
  bool started = connector_.Initialize(kProductKey);
  bool missing = connector_.IsControlMissing();
  ASSERT_TRUE(RegisterKernel());
  EXPECT_FALSE(started);
  EXPECT_TRUE(missing);
  EXPECT_TRUE(connector_.IsDisable());
  EXPECT_EQ(0u, ReportNumber(L"ErrorCount"));
}

}  // namespace
