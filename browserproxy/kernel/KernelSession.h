#pragma once
#include <windows.h>

#include <string>

#include "NorvaKernel.h"
#include "platform/com/ComError.h"
#include "platform/com/ComPtr.h"

// What the kernel connector and its services share of one connection to
// the kernel: the client name, the title of the kernel's messages, the
// error reporter, the control (when the kernel runs under one) and the
// translation context with its direction list. The connector's start fills
// the holders; every kernel failure is raised as platform::ComError.
class KernelSession {
 public:
  explicit KernelSession(std::wstring title) : title_(std::move(title)) {}
  ~KernelSession();
  KernelSession(const KernelSession&) = delete;
  KernelSession& operator=(const KernelSession&) = delete;

  const std::wstring& Title() const { return title_; }
  const std::wstring& ClientName() const { return clientName_; }
  void SetClientName(std::wstring name) { clientName_ = std::move(name); }

  platform::ComPtr<INrvaErrorReporter>& ErrorReporter() { return errorReporter_; }
  platform::ComPtr<INrvaControlSource>& ControlSource() { return controlSource_; }
  platform::ComPtr<INrvaControl>& Control() { return control_; }
  // The holders as they are, made or not.
  platform::ComPtr<INrvaContext>& ContextHolder() { return context_; }
  platform::ComPtr<INrvaTemplateManager>& DirectionListHolder() { return directionList_; }

  // A control is held and its mode flag is false.
  bool IsAttached();
  // The context, made on first use: the control's when attached (its first
  // direction made active), otherwise one of its own opened for the client.
  platform::ComPtr<INrvaContext>& Context();
  // The context's direction list and current profile, taken anew each call.
  platform::ComPtr<INrvaTemplateManager> ContextDirections();
  platform::ComPtr<INrvaProfile> CurrentProfile();
  long ActiveDirID();

  // Lets the kernel show its message for hr, the title as caption; never fails.
  void ReportError(HRESULT hr) noexcept;
  // Inside a catch: reports what was caught (E_UNEXPECTED for anything but
  // a ComError).
  void ReportCaught() noexcept;
  // Runs body; whatever escapes it is reported.
  template <class Body>
  void Reported(Body&& body) noexcept {
    try {
      body();
    } catch (...) {
      ReportCaught();
    }
  }
  // Runs body for its HRESULT; whatever escapes it is reported and answered
  // as its HRESULT.
  template <class Body>
  HRESULT Answered(Body&& body) noexcept {
    try {
      return body();
    } catch (const platform::ComError& error) {
      ReportError(error.Result());
      return error.Result();
    } catch (...) {
      ReportError(E_UNEXPECTED);
      return E_UNEXPECTED;
    }
  }

 private:
  std::wstring title_;
  std::wstring clientName_;
  platform::ComPtr<INrvaErrorReporter> errorReporter_;
  platform::ComPtr<INrvaControlSource> controlSource_;
  platform::ComPtr<INrvaControl> control_;
  platform::ComPtr<INrvaContext> context_;
  platform::ComPtr<INrvaTemplateManager> directionList_;
};
