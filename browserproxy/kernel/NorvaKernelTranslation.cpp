// Text and file translation of the kernel connector.
#include <algorithm>
#include <vector>

#include "browserproxy/kernel/KernelConstants.h"
#include "browserproxy/kernel/KernelObject.h"
#include "browserproxy/kernel/NorvaKernelEvents.h"
#include "browserproxy/kernel/NorvaKernelWrapper.h"
#include "platform/com/AdviseConnection.h"
#include "platform/com/Bstr.h"
#include "platform/com/ComError.h"
#include "platform/com/Variant.h"
#include "platform/win/MessagePump.h"

using platform::Bstr;
using platform::ComError;
using platform::ComPtr;
using platform::ThrowIfFailed;
using platform::Variant;

namespace {

// How often the job's own state is asked while waiting for it to stop.
constexpr DWORD kStatePollMs = 100;
// How often the dialog's run looks for an end it missed or a silent job:
// rare roads, and every look wakes the apartment while the job runs.
constexpr DWORD kDialogWatchMs = 500;

long JobState(INrvaTranslationJob* job) {
  long state = -1;
  if (!job || FAILED(job->GetState(&state))) return -1;
  return state;
}

}  // namespace

void CNorvaKernelWrapper::SplitTextLines(const std::wstring& text, std::vector<std::wstring>& lines,
                                         std::wstring& separator) {
  lines.clear();
  separator.clear();
  if (text.empty()) return;
  for (const wchar_t* candidate : {L"\r\n", L"\n", L"\r"}) {
    if (text.find(candidate) != std::wstring::npos) {
      separator = candidate;
      break;
    }
  }
  if (separator.empty()) {
    lines.push_back(text);
    return;
  }
  size_t start = 0;
  for (size_t found; (found = text.find(separator, start)) != std::wstring::npos; start = found + separator.size())
    lines.push_back(text.substr(start, found - start));
  lines.push_back(text.substr(start));
}

bool CNorvaKernelWrapper::TranslateText(const std::wstring& text, std::wstring& result, long) {
  try {
    std::wstring translation;
    auto source = kernel_object::Create<INrvaDocument>(CLSID_NrvaTextDocument);
    auto target = kernel_object::Create<INrvaDocument>(CLSID_NrvaTextDocument);
    std::vector<std::wstring> lines;
    std::wstring separator;
    SplitTextLines(text, lines, separator);
    auto translator = session_.CurrentProfile().Query<INrvaProfileTranslator>();
    for (size_t i = 0; i < lines.size(); ++i) {
      if (i > 0) translation += separator;
      if (lines[i].empty()) continue;
      ThrowIfFailed(source->Clear(), L"clearing the source");
      ThrowIfFailed(target->Clear(), L"clearing the target");
      ThrowIfFailed(source->SetText(Bstr(lines[i]).Get()), L"source text");
      ThrowIfFailed(translator->Translate(source.Get(), target.Get(), Variant::Missing().Get()), L"translation");
      Bstr line;
      ThrowIfFailed(target->GetText(line.Receive()), L"translated text");
      translation += line.View();
    }
    result = std::move(translation);
    return true;
  } catch (...) {
    // The kernel shows its message; the caller gets no result.
    session_.ReportCaught();
    return false;
  }
}

bool CNorvaKernelWrapper::TranslateFile(TranslateFileJob& job) {
  auto translator = kernel_object::Create<INrvaFileTranslator>(CLSID_NrvaFileTranslator);
  for (const auto& [name, value] : job.options)
    ThrowIfFailed(translator->SetOption(Variant::FromString(name).Get(), value.Get()), L"file translation option");

  ComPtr<IDispatch> profile;
  ThrowIfFailed(session_.Context()->GetProfile(profile.Receive()), L"current profile");
  if (!job.withProgress) {
    ThrowIfFailed(translator->Translate(job.fileKind, job.fileKind, Variant::FromString(job.sourcePath).Get(),
                                        Variant::FromString(job.destinationPath).Get(), -1, profile.Get(), 0, 0),
                  L"file translation");
    return true;
  }

  HWND window = ownerWindow_;
  HRESULT result = E_UNEXPECTED;
  auto advizer = platform::MakeComObject<CProgressAdvizer>();
  platform::AdviseConnection connection = platform::AdviseConnection::Make(
      translator.Get(), __uuidof(INrvaTransEvents), static_cast<INrvaTransEvents*>(advizer.Get()));
  if (window) EnableWindow(window, FALSE);
  IProgressDlg* dialog = job.progress;
  try {
    advizer->SetDialog(dialog);
    advizer->SetJob(translator.Query<INrvaTranslationJob>());
    if (dialog) dialog->SetStopHandler(advizer.Get());
    const long outputKind = job.fileKind == 22 ? 20 : job.fileKind;
    // A status that arrives while the job starts is kept, not overwritten.
    advizer->SetLastStatus(kernel_job::kStateRunning);
    ThrowIfFailed(translator->Translate(job.fileKind, outputKind, Variant::FromString(job.sourcePath).Get(),
                                        Variant::FromString(job.destinationPath).Get(), 0, profile.Get(), 0, 0),
                  L"file translation");
    result = PumpUntilDone(*advizer.Get(), dialog);
    connection.Unadvise();
    // A job given up as silent, or cut short, stays failed whatever state its stop left.
    switch (FAILED(result) ? -1 : JobState(advizer->Job())) {
      case kernel_job::kStateDone:
        result = S_OK;
        break;
      case kernel_job::kStateStopped:
        result = S_FALSE;
        break;
      case kernel_job::kStateFailed:
        result = kernel_job::kFailed;
        break;
      default:
        break;
    }
    if (result == kernel_job::kFailed) ReportError(result);
  } catch (const ComError& error) {
    result = error.Result();
  } catch (...) {
    result = E_UNEXPECTED;
  }
  // Every road: the kernel no longer reaches the dialog, the dialog no
  // longer reaches the job, and the window is given back.
  connection.Unadvise();
  advizer->Clear();
  if (dialog) dialog->SetStopHandler(nullptr);
  if (window) {
    EnableWindow(window, TRUE);
    SetForegroundWindow(window);
  }
  if (FAILED(result)) throw ComError(result, L"file translation");
  return result == S_OK;
}

long CNorvaKernelWrapper::PumpUntilDone(CProgressAdvizer& advizer, IProgressDlg* dialog) {
  auto finished = [&] { return advizer.LastStatus() != kernel_job::kStateRunning; };
  enum class Wait { Going, Ended, Gone, Silent };
  advizer.NoteReport();
  bool stopSeen = false;
  // The wait ends on the final status, on a stopped job after a stop
  // request, on a job that no longer answers after one, or when the job has
  // been silent for the limit; asked the same way inside and after the
  // dialog's run, whatever order the events, the Cancel and the run come in.
  auto check = [&]() -> Wait {
    if (finished()) return Wait::Ended;
    if (advizer.StopRequested()) {
      if (!stopSeen) {
        // The stop request starts the silence limit anew.
        stopSeen = true;
        advizer.NoteReport();
      }
      const long state = JobState(advizer.Job());
      if (state == kernel_job::kStateStopped) return Wait::Ended;
      if (state == -1) return Wait::Gone;
    }
    if (GetTickCount() - advizer.LastReportTick() >= jobSilenceMs_) {
      // A job that ended without its final status is not lost.
      const long state = JobState(advizer.Job());
      const bool ended = state == kernel_job::kStateDone || state == kernel_job::kStateStopped ||
                         state == kernel_job::kStateFailed;
      return ended ? Wait::Ended : Wait::Silent;
    }
    return Wait::Going;
  };
  // A job that ended (or was stopped) while it started needs no dialog.
  if (dialog && check() == Wait::Going) {
    RunDialogUntil(dialog, [&] {
      if (check() != Wait::Going) dialog->End(advizer.LastStatus() == 0 ? TRUE : FALSE);
    });
  }
  // The dialog ended: by the final status, by Cancel, or it could not be
  // shown. Wait, sleeping between messages, until the wait is over.
  for (;;) {
    const Wait wait = check();
    if (wait == Wait::Ended) break;
    if (wait == Wait::Gone) return S_FALSE;
    if (wait == Wait::Silent) {
      if (advizer.Job() && !advizer.StopRequested()) advizer.Job()->Stop();
      return HRESULT_FROM_WIN32(ERROR_TIMEOUT);
    }
    const bool stopping = advizer.StopRequested();
    const DWORD silent = GetTickCount() - advizer.LastReportTick();
    const DWORD untilSilent = silent < jobSilenceMs_ ? jobSilenceMs_ - silent : 0;
    const DWORD slice = stopping ? std::min(kStatePollMs, untilSilent) : untilSilent;
    auto wakeUp = [&] { return finished() || (!stopping && advizer.StopRequested()); };
    if (platform::PumpMessagesUntil(wakeUp, slice) == platform::PumpResult::Quit) {
      // The thread's session ends (its WM_QUIT is left for the outer loop):
      // a job that has not ended is cut short, and that is a failed job.
      if (check() == Wait::Ended) break;
      if (advizer.Job() && !advizer.StopRequested()) advizer.Job()->Stop();
      return kernel_job::kFailed;
    }
  }
  return advizer.LastStatus() == 0 ? 0 : 1;
}

namespace {

// The watch of the dialog's modal run on this thread (runs may nest).
struct DialogWatch {
  const std::function<void()>* poll;
  bool polling;
  DialogWatch* outer;
};
thread_local DialogWatch* t_dialogWatch = nullptr;

void CALLBACK PollDialogWatch(HWND, UINT, UINT_PTR, DWORD) {
  DialogWatch* watch = t_dialogWatch;
  // The poll may call the kernel, which lets messages (this timer's too) in.
  if (!watch || watch->polling) return;
  watch->polling = true;
  try {
    (*watch->poll)();
  } catch (...) {
    // The wait after the run decides; a failing poll does not end it here.
  }
  watch->polling = false;
}

}  // namespace

void CNorvaKernelWrapper::RunDialogUntil(IProgressDlg* dialog, const std::function<void()>& poll) {
  // The modal loop dispatches this thread timer, so an end that the dialog
  // missed (it came before the run had its window) still ends the run.
  DialogWatch watch{&poll, false, t_dialogWatch};
  t_dialogWatch = &watch;
  const UINT_PTR timer = SetTimer(nullptr, 0, kDialogWatchMs, &PollDialogWatch);
  dialog->DoModal();
  if (timer) KillTimer(nullptr, timer);
  t_dialogWatch = watch.outer;
}
