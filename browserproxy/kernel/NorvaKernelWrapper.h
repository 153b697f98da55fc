#pragma once
#include <windows.h>

#include <functional>
#include <string>
#include <vector>

#include "NorvaKernel.h"
#include "browserproxy/core/NorvaConnector.h"
#include "browserproxy/kernel/KernelAotService.h"
#include "browserproxy/kernel/KernelDesktopObject.h"
#include "browserproxy/kernel/KernelDictionariesService.h"
#include "browserproxy/kernel/KernelSession.h"
#include "browserproxy/kernel/KernelSmartFolderService.h"
#include "browserproxy/kernel/KernelSpeakService.h"
#include "browserproxy/kernel/KernelWebSearchService.h"
#include "platform/com/ComPtr.h"

// The connector over the product's translation kernel: a set of COM servers
// created by class identifier. Every failing kernel HRESULT is raised as a
// platform::ComError; operations that report to the user hand it to
// ReportError, which lets the kernel show its message with the title as caption.
// Each of its six services is an object of its own over the same session.
class CNorvaKernelWrapper : public INorvaConnector {
 public:
  class CDNorvaCtEvents;
  class CProgressAdvizer;

  explicit CNorvaKernelWrapper(std::wstring title);
  ~CNorvaKernelWrapper() override;
  CNorvaKernelWrapper(const CNorvaKernelWrapper&) = delete;
  CNorvaKernelWrapper& operator=(const CNorvaKernelWrapper&) = delete;

  // INorvaConnector
  bool Initialize(const std::wstring& productKey) override;
  bool TranslateFile(TranslateFileJob& job) override;
  bool TranslateText(const std::wstring& text, std::wstring& result, long singleWord) override;
  void PrepareTranslation() override;
  unsigned long GetDirsCount() override;
  std::wstring GetDirName(unsigned long index) override;
  long GetDirID(unsigned long index) override;
  unsigned long GetTmplCountByDirIdx(unsigned long directionIndex) override;
  unsigned long GetTmplCount() override;
  std::wstring GetTmplNameByDirIdx(unsigned long templateIndex, unsigned long directionIndex) override;
  std::wstring GetTmplName(unsigned long templateIndex) override;
  void SetContextValue(long value) override;
  void RunProfileCommand(long value) override;
  void SetProfileOption(long value) override;
  void ResetProfile() override;
  void OpenProfileDictionaries() override;
  void UpdateDictionaries(long mode, UINT stringId) override;
  void ShowSecondAbout(int iconGroupId, const std::wstring& title, HINSTANCE instance) override;
  void ShowAbout(int iconGroupId, const std::wstring& title, HINSTANCE instance) override;
  void StoreActiveChoice() override;
  void ReportError(HRESULT hr) override;
  long GetActiveDirID() override;
  void SetActiveDirID(long directionId) override;
  unsigned long GetActiveDirIndex() override;
  void SetActiveDirIndex(unsigned long index) override;
  std::wstring GetActiveTplId() override;
  HRESULT SetActiveTplId(const std::wstring& templateId) override;
  unsigned long GetActiveTplIndex() override;
  bool IsDisable() override;
  void SetOption(long option) override;
  void SetParentWindow(HWND window) override;
  HWND GetParentWindow() override;
  void SetMode(long mode, long value) override;
  INorvaAotService* GetAotService() override { return &aot_; }
  INorvaSpeakService* GetSpeakService() override { return &speech_; }
  INorvaSmartFolderService* GetSmartFolderService() override { return &smartFolders_; }
  INorvaWebSearchService* GetWebSearchService() override { return &webSearch_; }
  INorvaDesktopObject* GetDesktopObject() override { return &desktop_; }
  INorvaDictionariesServie* GetDictionariesService() override { return &dictionaries_; }
  bool IsControlDetached() override;
  bool IsControlMissing() override;
  long GetPageDirection(const std::wstring& pageText, long flag) override;

  // The text cut into lines at the first kind of line break it holds (CR LF,
  // then LF, then CR); the other kinds stay inside the lines.
  static void SplitTextLines(const std::wstring& text, std::vector<std::wstring>& lines, std::wstring& separator);

  // How long a file job may go without any report from the kernel (progress,
  // stage, message, status) before it counts as lost: stopped and failed with
  // ERROR_TIMEOUT, its dialog closed. Every report, and a Cancel, starts it
  // anew, so a long job that keeps reporting never meets it.
  static constexpr DWORD kDefaultJobSilenceMs = 2 * 60 * 1000;
  void SetJobSilenceLimit(DWORD ms) { jobSilenceMs_ = ms; }

 private:
  platform::ComPtr<INrvaTemplateManager>& GetDirectionList();
  long PumpUntilDone(CProgressAdvizer& advizer, IProgressDlg* dialog);
  // Runs the dialog modally, calling poll every little while inside the run.
  static void RunDialogUntil(IProgressDlg* dialog, const std::function<void()>& poll);

  // The session first: the services that use it go before it.
  KernelSession session_;
  CKernelAotService aot_{session_};
  CKernelSpeakService speech_{session_};
  CKernelSmartFolderService smartFolders_{session_};
  CKernelWebSearchService webSearch_{session_};
  CKernelDesktopObject desktop_{session_};
  CKernelDictionariesService dictionaries_;
  long interfaceMode_ = 3;
  HWND ownerWindow_ = nullptr;
  bool disabled_ = true;
  DWORD jobSilenceMs_ = kDefaultJobSilenceMs;
};
