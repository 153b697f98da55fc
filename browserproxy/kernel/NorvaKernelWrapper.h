#pragma once
#include <windows.h>

#include <functional>
#include <string>

#include "NorvaKernel.h"
#include "OMBREL.h"
#include "browserproxy/core/NorvaConnector.h"
#include "platform/com/ComPtr.h"

// The connector over the product's translation kernel: a set of COM servers
// created by class identifier. Every failing kernel HRESULT is raised as a
// platform::ComError; operations that report to the user hand it to
// ReportError, which lets the kernel show its message with the title as caption.
// The AOT and smart-folder services both have IsAvailable; these bases
// give each its own name in the connector.
class KernelAotServiceBase : public INorvaAotService {
 public:
  bool IsAvailable() final { return IsAotAvailable(); }
  virtual bool IsAotAvailable() = 0;

 protected:
  ~KernelAotServiceBase() = default;
};

class KernelSmartFolderServiceBase : public INorvaSmartFolderService {
 public:
  bool IsAvailable() final { return IsSmartFolderAvailable(); }
  virtual bool IsSmartFolderAvailable() = 0;

 protected:
  ~KernelSmartFolderServiceBase() = default;
};

class CNorvaKernelWrapper : public INorvaConnector,
                            public KernelAotServiceBase,
                            public INorvaSpeakService,
                            public KernelSmartFolderServiceBase,
                            public INorvaWebSearchService,
                            public INorvaDesktopObject,
                            public INorvaDictionariesServie {
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
  INorvaAotService* GetAotService() override { return this; }
  INorvaSpeakService* GetSpeakService() override { return this; }
  INorvaSmartFolderService* GetSmartFolderService() override { return this; }
  INorvaWebSearchService* GetWebSearchService() override { return this; }
  INorvaDesktopObject* GetDesktopObject() override { return this; }
  INorvaDictionariesServie* GetDictionariesService() override { return this; }
  bool IsControlDetached() override;
  bool IsControlMissing() override;
  long GetPageDirection(const std::wstring& pageText, long flag) override;

  // INorvaAotService
  bool IsSecondKindAvailable() override;
  bool IsAotAvailable() override;
  HRESULT DetectTemplate(const std::wstring& text, std::wstring& templateId) override;
  HRESULT RankTemplates(const std::wstring& text, std::vector<RankedTemplate>& ranked, bool bestOnly) override;
  bool ListAdvice(const std::wstring& text, std::vector<std::wstring>& advice) override;
  HRESULT ChooseTemplate(const std::wstring& text, std::wstring& templateId) override;

  // INorvaSpeakService
  bool CanSpeak() override;
  bool IsCharacterActive(const VARIANT& language) override;
  long Speak(const std::wstring& text, const VARIANT& language, bool withCharacter) override;
  void StopSpeaking(const VARIANT& language) override;

  // INorvaSmartFolderService
  bool IsSmartFolderAvailable() override;
  long GetFolderInfo(const std::wstring& path, long& value, std::wstring& text) override;
  void RefreshFolders() override;

  // INorvaWebSearchService
  long Search(std::wstring& result, const std::wstring& option, const std::wstring& query) override;
  HRESULT IsReady() override;

  // INorvaDesktopObject
  IUnknown* GetContextObject() override;
  IUnknown* GetDirectionsObject() override;

  // INorvaDictionariesServie
  IUnknown* GetDictionariesObject() override;

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
  bool IsAttached();
  platform::ComPtr<INrvaContext>& GetContext();
  platform::ComPtr<INrvaTemplateManager>& GetDirectionList();
  platform::ComPtr<INrvaProfile> CurrentProfile();
  platform::ComPtr<INrvaTemplateManager> ContextDirections();
  // The template analyzer prepared for the direction, or empty (reported).
  platform::ComPtr<INorva5TemplateAnalyzer> GetAnalyzer(long directionId);
  HRESULT RankWith(INorva5TemplateAnalyzer* analyzer, const std::wstring& text, std::vector<RankedTemplate>& ranked,
                   bool bestOnly);
  // The templates of a direction (by id), and their number: the most entries
  // a walk through the analyzer's ranked list or advice may take.
  platform::ComPtr<INrvaTemplateList> TemplatesOfDirection(long directionId);
  size_t TemplateCountOf(INorva5TemplateAnalyzer* analyzer);
  platform::ComPtr<INrvaSpeech> GetSpeaker(const VARIANT& language);
  platform::ComPtr<INrvaCharacter> GetAnimatedSpeaker(const VARIANT& language);
  platform::ComPtr<INrvaSmartFolders>& SmartFolders();
  long PumpUntilDone(CProgressAdvizer& advizer, IProgressDlg* dialog);
  // Runs the dialog modally, calling poll every little while inside the run.
  static void RunDialogUntil(IProgressDlg* dialog, const std::function<void()>& poll);
  // The kernel's error reporter, shown through ReportError; and the same for
  // anything else that escaped (E_UNEXPECTED).
  void ReportCaught();
  template <class Body>
  void Reported(Body&& body) noexcept {
    try {
      body();
    } catch (...) {
      ReportCaught();
    }
  }

  platform::ComPtr<INrvaSmartFolders> smartFolders_;
  platform::ComPtr<INrvaAnalyzerSource> analyzerSource_;
  std::wstring clientName_;
  std::wstring title_;
  platform::ComPtr<INrvaTemplateManager> directionList_;
  platform::ComPtr<INrvaErrorReporter> errorReporter_;
  platform::ComPtr<INrvaSpeech> speaker_;
  platform::ComPtr<INrvaAnimatedSpeaker> animatedSpeaker_;
  long interfaceMode_ = 3;
  HWND ownerWindow_ = nullptr;
  bool disabled_ = true;
  DWORD jobSilenceMs_ = kDefaultJobSilenceMs;
  platform::ComPtr<INrvaControl> control_;
  platform::ComPtr<INrvaContext> context_;
  platform::ComPtr<INrvaControlSource> controlSource_;
};
