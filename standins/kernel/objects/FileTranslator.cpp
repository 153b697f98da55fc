// The file translator: translates a plain-text or HTML file at once, or as
// a job that goes step by step on the apartment's message queue and tells
// its progress through INrvaTransEvents. Served out of process.
#include <map>
#include <span>

#include "CallGuard.h"
#include "DocumentPieces.h"
#include "KernelObjects.h"
#include "KernelStubs.h"
#include "Switches.h"
#include "TextFile.h"
#include "WordTranslator.h"
#include "platform/base/Handles.h"
#include "platform/com/ComObject.h"
#include "platform/com/ConnectionPoints.h"
#include "platform/com/InprocServer.h"
#include "platform/com/Variant.h"

namespace kernelstandin {
namespace {

using platform::Bstr;
using platform::ComError;
using platform::InterfaceOf;

constexpr LONG kStateFinished = 0;
constexpr LONG kStateRunning = 1;
constexpr LONG kStateStopped = 2;
constexpr LONG kStateFailed = 0x8005;
constexpr size_t kMostSteps = 100;
constexpr UINT kStepMessage = WM_APP + 1;
constexpr UINT kStoppedMessage = WM_APP + 2;
constexpr UINT_PTR kStepTimer = 1;
const wchar_t kWindowClass[] = L"NrvaKernelJobWindow";

std::wstring PathOf(const VARIANT& v) {
  if (v.vt != VT_BSTR) throw ComError(DISP_E_TYPEMISMATCH, L"file name");
  return std::wstring(platform::BstrView(v.bstrVal));
}

// What one job works on.
struct Job {
  std::vector<DocumentPiece> pieces;
  std::vector<size_t> translatable;  // indexes into pieces
  size_t steps = 1;
  size_t done = 0;
  const WordList* words = nullptr;
  std::shared_ptr<const KernelData> data;  // keeps words alive
  std::wstring destination;
  long outputKind = 1;

  void RunStep() {
    size_t from = done * translatable.size() / steps, to = (done + 1) * translatable.size() / steps;
    for (size_t i = from; i < to; ++i) {
      DocumentPiece& piece = pieces[translatable[i]];
      piece.text = TranslateWords(*words, piece.text);
    }
    ++done;
  }
  HRESULT Write() const {
    std::wstring text;
    for (const auto& piece : pieces) text += piece.text;
    return WriteTextFile(destination, outputKind, text);
  }
};

class FileTranslator : public Stubs<INrvaFileTranslator>,
                       public Stubs<INrvaTranslationJob>,
                       public platform::ConnectionPointContainer {
 public:
  FileTranslator() : ConnectionPointContainer({IID_INrvaTransEvents}) {}
  // The window goes first: its procedure reaches this object's members.
  ~FileTranslator() { window_.Reset(); }

  static std::span<const platform::InterfaceEntry> Interfaces() {
    static const platform::InterfaceEntry table[] = {
        InterfaceOf<FileTranslator, INrvaFileTranslator>(),
        InterfaceOf<FileTranslator, IDispatch, INrvaFileTranslator>(),
        InterfaceOf<FileTranslator, INrvaTranslationJob>(),
        InterfaceOf<FileTranslator, IConnectionPointContainer>(),
    };
    return table;
  }

  HRESULT STDMETHODCALLTYPE SetOption(VARIANT name, VARIANT value) override {
    return KernelCall(L"INrvaFileTranslator.SetOption", [&] {
      options_[PathOf(name)] = platform::Variant::CopyOf(value);
    });
  }

  HRESULT STDMETHODCALLTYPE Translate(LONG inputKind, LONG outputKind, VARIANT source, VARIANT destination,
                                      LONG mode, IDispatch* profile, LONG, LONG) override {
    return KernelCall(L"INrvaFileTranslator.Translate", [&]() -> HRESULT {
      if (state_ == kStateRunning) return E_UNEXPECTED;
      HRESULT failure = static_cast<HRESULT>(Switches::Number(L"FailTranslation"));
      if (FAILED(failure)) return failure;
      if (!profile) return E_POINTER;
      job_ = MakeJob(inputKind, outputKind, PathOf(source), PathOf(destination), profile);
      if (mode != 0) {
        while (job_->done < job_->steps) job_->RunStep();
        HRESULT written = job_->Write();
        state_ = SUCCEEDED(written) ? kStateFinished : kStateFailed;
        job_.reset();
        return written;
      }
      state_ = kStateRunning;
      if (Switches::Number(L"EarlyFinalStatus")) {
        while (state_ == kStateRunning) Step();
        return S_OK;
      }
      EnsureWindow();
      self_ = ComPtr<IUnknown>::Share(static_cast<INrvaFileTranslator*>(this));
      ScheduleStep();
      return S_OK;
    });
  }

  HRESULT STDMETHODCALLTYPE GetState(LONG* state) override {
    return KernelCall(L"INrvaTranslationJob.GetState", [&] {
      RequireOut(state);
      *state = state_;
    });
  }
  HRESULT STDMETHODCALLTYPE Stop() override {
    return KernelCall(L"INrvaTranslationJob.Stop", [&]() -> HRESULT {
      if (state_ != kStateRunning) return S_FALSE;
      state_ = kStateStopped;
      job_.reset();
      KillTimer(window_.Get(), kStepTimer);
      PostMessageW(window_.Get(), kStoppedMessage, 0, 0);  // the final status comes later, never inside Stop
      return S_OK;
    });
  }

 private:
  std::unique_ptr<Job> MakeJob(long inputKind, long outputKind, const std::wstring& source,
                               const std::wstring& destination, IDispatch* profile) {
    auto settings = ComPtr<IDispatch>::Share(profile).Query<INrvaProfile>();
    LONG dirId = 0;
    Bstr templateId;
    platform::ThrowIfFailed(settings->GetDirID(&dirId));
    platform::ThrowIfFailed(settings->GetActiveTemplateId(templateId.Receive()));
    auto job = std::make_unique<Job>();
    job->data = KernelData::Installed();
    const TemplateInfo* info = job->data->FindTemplate(dirId, templateId.Str());
    if (!info) throw ComError(E_INVALIDARG, L"profile");
    job->words = &info->words;
    std::wstring text;
    platform::ThrowIfFailed(ReadTextFile(source, inputKind, &text));
    job->pieces = inputKind == kKindHtml ? SplitHtml(text) : SplitPlainText(text);
    for (size_t i = 0; i < job->pieces.size(); ++i)
      if (job->pieces[i].translate) job->translatable.push_back(i);
    job->steps = std::max<size_t>(1, std::min(kMostSteps, job->translatable.size()));
    job->destination = destination;
    job->outputKind = outputKind;
    return job;
  }

  // One step of the running job; the last one writes the result and ends it.
  void Step() {
    if (state_ != kStateRunning || !job_) return;
    job_->RunStep();
    FireProgress(static_cast<LONG>(job_->done), static_cast<LONG>(job_->steps));
    if (state_ != kStateRunning || !job_) return;  // stopped from inside the event
    if (job_->done < job_->steps) {
      if (window_ && self_) ScheduleStep();
      return;
    }
    HRESULT written = job_->Write();
    job_.reset();
    state_ = SUCCEEDED(written) && !Switches::Number(L"FailFileJob") ? kStateFinished : kStateFailed;
    if (!Switches::Number(L"NoFinalStatus")) FireStatus(state_);
    self_.Reset();  // may destroy this object: the last thing done
  }

  void Stopped() {
    if (!Switches::Number(L"NoFinalStatus")) FireStatus(kStateStopped);
    self_.Reset();
  }

  void ScheduleStep() {
    DWORD delay = Switches::Number(L"JobStepDelay");
    if (delay)
      SetTimer(window_.Get(), kStepTimer, delay, nullptr);
    else
      PostMessageW(window_.Get(), kStepMessage, 0, 0);
  }

  void FireProgress(LONG position, LONG range) {
    Point(IID_INrvaTransEvents).Fire<INrvaTransEvents>([&](INrvaTransEvents* sink) {
      return sink->OnProgress(position, range);
    });
  }
  void FireStatus(LONG status) {
    Point(IID_INrvaTransEvents).Fire<INrvaTransEvents>([&](INrvaTransEvents* sink) {
      return sink->OnStatus(status);
    });
  }

  void EnsureWindow() {
    if (window_) return;
    static ATOM atom = [] {
      WNDCLASSW wc{};
      wc.lpfnWndProc = &FileTranslator::WindowProc;
      wc.hInstance = platform::CurrentModule();
      wc.lpszClassName = kWindowClass;
      return RegisterClassW(&wc);
    }();
    if (!atom) throw ComError(HRESULT_FROM_WIN32(GetLastError()), L"job window class");
    window_.Reset(CreateWindowExW(0, kWindowClass, L"", 0, 0, 0, 0, 0, HWND_MESSAGE, nullptr,
                                  platform::CurrentModule(), nullptr));
    if (!window_) throw ComError(HRESULT_FROM_WIN32(GetLastError()), L"job window");
    SetWindowLongPtrW(window_.Get(), GWLP_USERDATA, reinterpret_cast<LONG_PTR>(this));
  }

  static LRESULT CALLBACK WindowProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
    auto* self = reinterpret_cast<FileTranslator*>(GetWindowLongPtrW(window, GWLP_USERDATA));
    if (!self) return DefWindowProcW(window, message, wParam, lParam);
    try {
      switch (message) {
        case WM_TIMER:
          if (wParam != kStepTimer) break;
          KillTimer(window, kStepTimer);
          self->Step();
          return 0;
        case kStepMessage:
          self->Step();
          return 0;
        case kStoppedMessage:
          self->Stopped();
          return 0;
      }
    } catch (...) {
      // A job that cannot go on ends as failed; nothing leaves the window procedure.
      if (self->state_ == kStateRunning) {
        self->state_ = kStateFailed;
        self->job_.reset();
        self->self_.Reset();
      }
      return 0;
    }
    return DefWindowProcW(window, message, wParam, lParam);
  }

  std::map<std::wstring, platform::Variant> options_;
  std::unique_ptr<Job> job_;
  LONG state_ = kStateFinished;
  platform::UniqueWindow window_;
  ComPtr<IUnknown> self_;  // keeps the object while its job runs
};

}  // namespace

ComPtr<IUnknown> NewFileTranslator() { return platform::MakeComObject<FileTranslator>().As<IUnknown>(); }

}  // namespace kernelstandin
