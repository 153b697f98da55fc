// The error reporter, which is also the kernel's interface context, about
// box and message service. Served out of process.
#include <span>

#include "CallGuard.h"
#include "KernelData.h"
#include "KernelObjects.h"
#include "KernelStubs.h"
#include "Reports.h"
#include "Switches.h"
#include "platform/base/SystemMessage.h"
#include "platform/com/ComObject.h"

namespace kernelstandin {
namespace {

using platform::Bstr;
using platform::InterfaceOf;

// Interface mode and owner window of the kernel's windows, for the process.
struct WindowMode {
  LONG mode = 3;
  HWND owner = nullptr;
};
WindowMode& CurrentMode() {
  static WindowMode mode;
  return mode;
}

void ShowBox(const std::wstring& text, const std::wstring& caption, UINT style) {
  if (Switches::Number(L"NoMessageBoxes")) return;
  HWND owner = CurrentMode().owner;
  if (owner && !IsWindow(owner)) owner = nullptr;
  MessageBoxW(owner, text.c_str(), caption.c_str(), style | MB_SETFOREGROUND);
}

std::wstring DescribeError(HRESULT hr) {
  const std::wstring text = platform::SystemMessageText(static_cast<DWORD>(hr));
  wchar_t code[32];
  swprintf(code, 32, L"Error 0x%08lX", static_cast<unsigned long>(hr));
  return text.empty() ? code : text + L" (" + code + L")";
}

class ErrorReporter : public Stubs<INrvaErrorReporter>,
                      public Stubs<INrvaAttachedErrorReporter>,
                      public Stubs<INrvaInterfaceContext>,
                      public Stubs<INrvaAboutBox>,
                      public Stubs<INrvaSecondDialog> {
 public:
  static std::span<const platform::InterfaceEntry> Interfaces() {
    static const platform::InterfaceEntry table[] = {
        InterfaceOf<ErrorReporter, INrvaErrorReporter>(),
        InterfaceOf<ErrorReporter, IDispatch, INrvaErrorReporter>(),
        InterfaceOf<ErrorReporter, INrvaAttachedErrorReporter>(),
        InterfaceOf<ErrorReporter, INrvaInterfaceContext>(),
        InterfaceOf<ErrorReporter, INrvaAboutBox>(),
        InterfaceOf<ErrorReporter, INrvaSecondDialog>(),
    };
    return table;
  }

  // The caller reports a failed result itself; the kernel never asks it to give up.
  HRESULT STDMETHODCALLTYPE CheckResult(LONG, BSTR, LONG* refuse) override {
    return KernelCall(L"INrvaErrorReporter.CheckResult", [&] {
      RequireOut(refuse);
      *refuse = 0;
    });
  }
  HRESULT STDMETHODCALLTYPE ReportError(LONG result, BSTR title, VARIANT detail) override {
    return KernelCall(L"INrvaErrorReporter.ReportError", [&] {
      Show(result, std::wstring(platform::BstrView(title)), detail.vt == VT_BSTR ? std::wstring(platform::BstrView(detail.bstrVal)) : std::wstring());
    });
  }
  HRESULT STDMETHODCALLTYPE ReportError(LONG result, BSTR title) override {
    return KernelCall(L"INrvaAttachedErrorReporter.ReportError",
                      [&] { Show(result, std::wstring(platform::BstrView(title)), std::wstring()); });
  }
  HRESULT STDMETHODCALLTYPE SetMode(LONG mode, LONG owner) override {
    return KernelCall(L"INrvaInterfaceContext.SetMode", [&] {
      CurrentMode().mode = mode;
      CurrentMode().owner = reinterpret_cast<HWND>(static_cast<LONG_PTR>(owner));
      Reports::SetNumber(L"Mode", static_cast<DWORD>(mode));
      Reports::SetNumber(L"ModeOwner", static_cast<DWORD>(owner));
    });
  }
  HRESULT STDMETHODCALLTYPE Prepare(LONG_PTR, LONG, IUnknown*, BSTR title, BSTR extra) override {
    return KernelCall(L"INrvaAboutBox.Prepare", [&] {
      aboutTitle_ = std::wstring(platform::BstrView(title));
      aboutExtra_ = std::wstring(platform::BstrView(extra));
    });
  }
  HRESULT STDMETHODCALLTYPE Show() override {
    return KernelCall(L"INrvaAboutBox.Show", [&] {
      Reports::Count(L"AboutCount");
      Reports::SetText(L"LastAboutTitle", aboutTitle_);
      std::wstring text = KernelData::Installed()->Service(L"AboutText");
      if (!aboutExtra_.empty()) text += L"\n" + aboutExtra_;
      ShowBox(text, aboutTitle_, MB_OK | MB_ICONINFORMATION);
    });
  }

 private:
  static void Show(HRESULT result, const std::wstring& title, const std::wstring& detail) {
    Reports::SetNumber(L"LastError", static_cast<DWORD>(result));
    Reports::SetText(L"LastErrorTitle", title);
    Reports::SetText(L"LastErrorDetail", detail);
    Reports::Count(L"ErrorCount");
    std::wstring text = DescribeError(result);
    if (!detail.empty()) text += L"\n" + detail;
    ShowBox(text, title, MB_OK | MB_ICONERROR);
  }

  std::wstring aboutTitle_;
  std::wstring aboutExtra_;
};

}  // namespace

ComPtr<IUnknown> NewErrorReporter() { return platform::MakeComObject<ErrorReporter>().As<IUnknown>(); }

}  // namespace kernelstandin
