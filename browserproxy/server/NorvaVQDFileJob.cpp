// File and page translations of the translation-server connector: the job
// is started with a SOAP request and polled until the server reports it
// finished, on a thread of its own while the progress dialog is shown.
#include <process.h>

#include "browserproxy/server/NorvaVQDWrapper.h"
#include "browserproxy/server/VQDJobReply.h"
#include "browserproxy/server/VQDProtocol.h"
#include "browserproxy/server/VQDRequest.h"
#include "platform/com/ComApartment.h"
#include "platform/com/ComError.h"
#include "platform/win/MessagePump.h"
#include "platform/win/UniqueHandle.h"

using platform::ComError;
using platform::UniqueFileHandle;
using platform::UniqueKernelHandle;

namespace {

constexpr DWORD kPollIntervalMs = 10;

// The whole file, opened for reading only and shared with other readers.
bool ReadWholeFile(const std::wstring& path, std::vector<uint8_t>& bytes) {
  UniqueFileHandle file(CreateFileW(path.c_str(), GENERIC_READ, FILE_SHARE_READ, nullptr, OPEN_EXISTING,
                                    FILE_ATTRIBUTE_NORMAL, nullptr));
  if (!file) return false;
  LARGE_INTEGER size{};
  if (!GetFileSizeEx(file.Get(), &size) || size.QuadPart > 0x7FFFFFFF) return false;
  bytes.resize(static_cast<size_t>(size.QuadPart));
  size_t done = 0;
  while (done < bytes.size()) {
    DWORD read = 0;
    if (!ReadFile(file.Get(), bytes.data() + done, static_cast<DWORD>(bytes.size() - done), &read, nullptr) ||
        read == 0)
      return false;
    done += read;
  }
  return true;
}

// A write that fails leaves no partial result behind.
bool WriteWholeFile(const std::wstring& path, const std::vector<uint8_t>& bytes) {
  bool written = false;
  {
    UniqueFileHandle file(
        CreateFileW(path.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS, FILE_ATTRIBUTE_NORMAL, nullptr));
    if (!file) return false;
    DWORD count = 0;
    written = WriteFile(file.Get(), bytes.data(), static_cast<DWORD>(bytes.size()), &count, nullptr) &&
              count == bytes.size();
  }
  if (!written) DeleteFileW(path.c_str());
  return written;
}

std::wstring UrlBaseOption(const TranslateFileJob& job) {
  for (const auto& [name, value] : job.options) {
    if (name == L"URLBase") return value.ToString().value_or(std::wstring());
  }
  return {};
}

std::wstring Widen(const std::string& text) { return std::wstring(text.begin(), text.end()); }

}  // namespace

HRESULT CNorvaVQDWrapper::StopTranslate::OnStop() {
  owner_->stopRequested_ = true;
  return 0;
}

bool CNorvaVQDWrapper::TranslateFile(TranslateFileJob& job) {
  // The connector holds the state of one job; a call that comes in while a
  // job's dialog dispatches messages must not take it over.
  if (jobRunning_) throw ComError(E_UNEXPECTED, L"a job of this connector is running");
  jobRunning_ = true;
  struct Running {
    bool& flag;
    ~Running() { flag = false; }
  } running{jobRunning_};
  // The polling thread reads the address of the job's start, whatever a
  // later connect sets meanwhile.
  jobUrlBase_ = urlBase_;
  const std::wstring contentType = vqd::ContentTypeForFileKind(job.fileKind);
  std::vector<uint8_t> source;
  if (!ReadWholeFile(job.sourcePath, source)) return false;
  // Nothing of an earlier job may become this job's result.
  result_.clear();
  workId_.clear();
  Bytes translated = job.fileKind == 21 ? StartTranslateHtmlFile(source, UrlBaseOption(job), job.progress)
                                        : StartTranslateFile(source, contentType, job.progress);
  source.clear();
  if (translated.empty()) return false;
  return WriteWholeFile(job.destinationPath, translated);
}

CNorvaVQDWrapper::Bytes CNorvaVQDWrapper::StartTranslateFile(const Bytes& source, const std::wstring& contentType,
                                                             IProgressDlg* sink) {
  const std::wstring data = Widen(vqd::Base64Encode(source.data(), source.size()));
  return WaitForJob(vqd::StartTranslateFileEnvelope(ActiveDirIdText(), ActiveTemplateName(), data, contentType),
                    L"StartTranslateFile", sink);
}

CNorvaVQDWrapper::Bytes CNorvaVQDWrapper::StartTranslateHtmlFile(const Bytes& source, const std::wstring& urlBase,
                                                                 IProgressDlg* sink) {
  const std::wstring data = Widen(vqd::Base64Encode(source.data(), source.size()));
  // The server answers a page as UTF-8, which is what readers of the
  // destination file expect: its bytes are written unchanged.
  return WaitForJob(vqd::StartTranslateHtmlFileEnvelope(ActiveDirIdText(), ActiveTemplateName(), data, urlBase),
                    L"StartTranslateHtmlFile", sink);
}

CNorvaVQDWrapper::Bytes CNorvaVQDWrapper::WaitForJob(const std::wstring& startEnvelope, const wchar_t* operation,
                                                     IProgressDlg* sink) {
  vqd::Document reply = vqd::PostSoap(jobUrlBase_, startEnvelope, vqd::SoapAction(operation), requestTimeoutMs_);
  const vqd::JobStart start = vqd::ReadJobStart(reply.Get());
  if (!start.workId) throw ComError(E_POINTER, L"the start reply names no job");
  workId_ = *start.workId;
  jobOnServer_ = true;
  result_.clear();
  progress_ = 0;
  try {
    if (!start.ready) throw ComError(E_POINTER, L"the start reply lacks the ready flag");
    // Polled at least once whatever the start said, so that a job finished
    // at its start still gives its result.
    if (sink) return PollWithSink(sink);
    PollWithoutSink();
    return vqd::Base64Decode(result_);
  } catch (...) {
    // The server accepted the job: a failure on this side does not leave it
    // running there.
    if (jobOnServer_) StopTranslating();
    throw;
  }
}

void CNorvaVQDWrapper::PollWithoutSink() {
  const ULONGLONG deadline = GetTickCount64() + jobTimeoutMs_;
  for (;;) {
    if (vqd::IsFinished(PollOnce())) return;
    if (GetTickCount64() >= deadline) throw ComError(vqd::kServerUnreachable, L"the job did not end in time");
    Sleep(kPollIntervalMs);
  }
}

std::wstring CNorvaVQDWrapper::PollOnce() {
  vqd::Document reply =
      vqd::PostForm(jobUrlBase_, L"GetTranslateFileResult", vqd::FormBody({{L"WorkId", workId_}}), requestTimeoutMs_);
  vqd::JobState state = vqd::ReadJobState(reply.Get());
  result_ = std::move(state.result);
  progress_ = state.progress;
  if (vqd::IsFinished(state.ready)) jobOnServer_ = false;
  return state.ready;
}

namespace {

// The polling thread of one job: started with the job, stopped (the stop
// flag) and joined while the caller's messages are dispatched, before the
// sink or the connector can go, whichever way the job ends.
class PollThread {
 public:
  PollThread(unsigned(__stdcall* entry)(void*), void* argument, std::atomic<bool>& stop) : stop_(stop) {
    thread_.Reset(reinterpret_cast<HANDLE>(_beginthreadex(nullptr, 0, entry, argument, 0, nullptr)));
    if (!thread_) throw ComError(E_OUTOFMEMORY, L"starting the polling thread");
  }
  ~PollThread() { Join(); }
  PollThread(const PollThread&) = delete;
  PollThread& operator=(const PollThread&) = delete;

  void Join() {
    if (!thread_) return;
    stop_ = true;
    platform::PumpMessagesUntilPastQuit(thread_.Get(), INFINITE);
    thread_.Reset();
  }

 private:
  std::atomic<bool>& stop_;
  UniqueKernelHandle thread_;
};

}  // namespace

CNorvaVQDWrapper::Bytes CNorvaVQDWrapper::PollWithSink(IProgressDlg* sink) {
  StopTranslate stopHandler(this);
  progressSink_ = sink;
  sink->SetStopHandler(&stopHandler);
  jobDone_ = false;
  stopRequested_ = false;
  pollFailure_ = S_OK;
  struct Detach {
    CNorvaVQDWrapper* self;
    IProgressDlg* sink;
    ~Detach() {
      sink->SetStopHandler(nullptr);
      self->progressSink_ = nullptr;
    }
  } detach{this, sink};
  {
    PollThread thread(
        [](void* self) -> unsigned {
          static_cast<CNorvaVQDWrapper*>(self)->TranslateFileWaitThread();
          return 0;
        },
        this, stopRequested_);
    sink->DoModal();
    thread.Join();
  }
  if (FAILED(pollFailure_)) throw ComError(vqd::kServerError, L"polling the job failed");
  if (!jobDone_) return {};
  return vqd::Base64Decode(result_);
}

void CNorvaVQDWrapper::TranslateFileWaitThread() {
  try {
    platform::ComApartment apartment(COINIT_APARTMENTTHREADED);
    std::wstring ready = L"false";
    while (!vqd::IsFinished(ready)) {
      Sleep(kPollIntervalMs);
      try {
        ready = PollOnce();
      } catch (...) {
        pollFailure_ = vqd::kServerError;
        StopTranslating();
        return;
      }
      if (stopRequested_) {
        StopTranslating();
        return;
      }
      progressSink_->SetPos(progress_, 100);
    }
    progressSink_->SetPos(100, 100);
    jobDone_ = true;
    CloseSinkDialog();
  } catch (...) {
    pollFailure_ = vqd::kServerError;
  }
}

void CNorvaVQDWrapper::StopTranslating() {
  jobOnServer_ = false;
  try {
    vqd::PostForm(jobUrlBase_, L"StopTanslating", vqd::FormBody({{L"WorkId", workId_}}), requestTimeoutMs_);
  } catch (...) {
    // The job ends on this side whatever the server says.
  }
  if (progressSink_) CloseSinkDialog();
}

void CNorvaVQDWrapper::CloseSinkDialog() {
  // The dialog may still be opening: it is closed once it has a window,
  // unless its run ended some other way meanwhile (the stop flag is set
  // then, by Cancel or by the end of the run).
  HWND dialog = nullptr;
  while (!(dialog = progressSink_->GetHwnd()) && !stopRequested_) Sleep(kPollIntervalMs);
  if (dialog) SendMessageW(dialog, WM_CLOSE, 0, 0);
}
