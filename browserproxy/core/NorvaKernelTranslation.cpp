// Text and file translation of the kernel connector.
#include <vector>

#include "browserproxy/core/KernelObject.h"
#include "browserproxy/core/NorvaKernelEvents.h"
#include "browserproxy/core/NorvaKernelWrapper.h"
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

constexpr HRESULT kUnexpected = static_cast<HRESULT>(0x8000FFFF);
constexpr HRESULT kJobFailed = static_cast<HRESULT>(0x800F0021);
constexpr long kJobStateDone = 0;
constexpr long kJobStateStopped = 2;
constexpr long kJobStateFailed = 0x8005;

// How long a job may go on without its final status: after a stop request,
// and without one (a job's events keep coming while it runs).
constexpr DWORD kStopWaitMs = 5000;
constexpr DWORD kJobWaitMs = 10 * 60 * 1000;
// How often the job's own state is asked while waiting for it to stop.
constexpr DWORD kStatePollMs = 100;

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
    auto translator = CurrentProfile().Query<INrvaProfileTranslator>();
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
    ReportCaught();
    return false;
  }
}

bool CNorvaKernelWrapper::TranslateFile(TranslateFileJob& job) {
  auto translator = kernel_object::Create<INrvaFileTranslator>(CLSID_NrvaFileTranslator);
  for (const auto& [name, value] : job.options)
    ThrowIfFailed(translator->SetOption(Variant::FromString(name).Get(), value.Get()), L"file translation option");

  ComPtr<IDispatch> profile;
  ThrowIfFailed(GetContext()->GetProfile(profile.Receive()), L"current profile");
  if (!job.withProgress) {
    ThrowIfFailed(translator->Translate(job.fileKind, job.fileKind, Variant::FromString(job.sourcePath).Get(),
                                        Variant::FromString(job.destinationPath).Get(), -1, profile.Get(), 0, 0),
                  L"file translation");
    return true;
  }

  HWND window = ownerWindow_;
  HRESULT result = kUnexpected;
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
    advizer->SetLastStatus(CProgressAdvizer::kRunning);
    ThrowIfFailed(translator->Translate(job.fileKind, outputKind, Variant::FromString(job.sourcePath).Get(),
                                        Variant::FromString(job.destinationPath).Get(), 0, profile.Get(), 0, 0),
                  L"file translation");
    result = PumpUntilDone(*advizer.Get(), dialog);
    connection.Unadvise();
    switch (JobState(advizer->Job())) {
      case kJobStateDone:
        result = S_OK;
        break;
      case kJobStateStopped:
        result = S_FALSE;
        break;
      case kJobStateFailed:
        result = kJobFailed;
        ReportError(result);
        break;
      default:
        break;
    }
  } catch (const ComError& error) {
    result = error.Result();
  } catch (...) {
    result = kUnexpected;
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
  auto finished = [&] { return advizer.LastStatus() != CProgressAdvizer::kRunning; };
  // A job that ended while it started needs no dialog.
  if (!finished() && dialog) dialog->DoModal();
  // The dialog ended: by the final status, or by Cancel (or it could not be
  // shown). Wait, sleeping between messages, for the final status, for a
  // stopped job after a stop request, or until the time is up.
  const DWORD start = GetTickCount();
  while (!finished()) {
    const bool stopping = advizer.StopRequested();
    if (stopping && JobState(advizer.Job()) == kJobStateStopped) break;
    const DWORD elapsed = GetTickCount() - start;
    const DWORD limit = stopping ? kStopWaitMs : kJobWaitMs;
    if (elapsed >= limit) {
      if (!stopping && advizer.Job()) advizer.Job()->Stop();
      return stopping ? S_FALSE : HRESULT_FROM_WIN32(ERROR_TIMEOUT);
    }
    DWORD slice = limit - elapsed;
    if (stopping && slice > kStatePollMs) slice = kStatePollMs;
    if (platform::PumpMessagesUntil(finished, slice) == platform::PumpResult::Quit) break;
  }
  return advizer.LastStatus() == 0 ? 0 : 1;
}
