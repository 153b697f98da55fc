#pragma once
#include <windows.h>
#include <oaidl.h>

#include <map>
#include <memory>
#include <string>
#include <utility>
#include <vector>

#include "platform/com/Variant.h"

// The one seam between a browser object and a translation engine: the
// kernel connector and the translation-server connector implement it, and
// tests put their own behind it. Not a COM interface: the owner deletes it.
// Failures of bool operations are false; any other failure is raised as
// platform::ComError.

struct IProgressDlg;

// A file or page translation handed to INorvaConnector::TranslateFile.
struct TranslateFileJob {
  long fileKind = 1;  // 1 plain Unicode text, 21 HTML page
  std::wstring sourcePath;
  std::wstring destinationPath;
  std::vector<std::pair<std::wstring, platform::Variant>> options;  // names unique
  bool withProgress = true;
  IProgressDlg* progress = nullptr;  // not owned; may be null
};

// One ranked template: its identifier, then its title and weight.
using RankedTemplate = std::pair<std::wstring, std::pair<std::wstring, short>>;

class INorvaAotService {
 public:
  virtual bool IsSecondKindAvailable() = 0;
  virtual bool IsAvailable() = 0;
  virtual HRESULT DetectTemplate(const std::wstring& text, std::wstring& templateId) = 0;
  virtual HRESULT RankTemplates(const std::wstring& text, std::vector<RankedTemplate>& ranked, bool bestOnly) = 0;
  virtual bool ListAdvice(const std::wstring& text, std::vector<std::wstring>& advice) = 0;
  virtual HRESULT ChooseTemplate(const std::wstring& text, std::wstring& templateId) = 0;

 protected:
  ~INorvaAotService() = default;
};

class INorvaSpeakService {
 public:
  virtual bool CanSpeak() = 0;
  virtual bool IsCharacterActive(const VARIANT& language) = 0;
  virtual long Speak(const std::wstring& text, const VARIANT& language, bool withCharacter) = 0;
  virtual void StopSpeaking(const VARIANT& language) = 0;

 protected:
  ~INorvaSpeakService() = default;
};

class INorvaSmartFolderService {
 public:
  virtual bool IsAvailable() = 0;
  virtual long GetFolderInfo(const std::wstring& path, long& value, std::wstring& text) = 0;
  virtual void RefreshFolders() = 0;

 protected:
  ~INorvaSmartFolderService() = default;
};

class INorvaWebSearchService {
 public:
  // 0 done, 1 no web search object.
  virtual long Search(std::wstring& result, const std::wstring& option, const std::wstring& query) = 0;
  virtual HRESULT IsReady() = 0;

 protected:
  ~INorvaWebSearchService() = default;
};

class INorvaDesktopObject {
 public:
  // The engine's translation context and direction list; not counted.
  virtual IUnknown* GetContextObject() = 0;
  virtual IUnknown* GetDirectionsObject() = 0;

 protected:
  ~INorvaDesktopObject() = default;
};

class INorvaDictionariesServie {
 public:
  virtual IUnknown* GetDictionariesObject() = 0;

 protected:
  ~INorvaDictionariesServie() = default;
};

class INorvaConnector {
 public:
  virtual ~INorvaConnector() = default;
  virtual bool Initialize(const std::wstring& startString) = 0;
  virtual bool TranslateFile(TranslateFileJob& job) = 0;
  virtual bool TranslateText(const std::wstring& text, std::wstring& result, long singleWord) = 0;
  virtual void PrepareTranslation() = 0;
  virtual unsigned long GetDirsCount() = 0;
  virtual std::wstring GetDirName(unsigned long index) = 0;
  virtual long GetDirID(unsigned long index) = 0;
  virtual unsigned long GetTmplCountByDirIdx(unsigned long directionIndex) = 0;
  virtual unsigned long GetTmplCount() = 0;
  virtual std::wstring GetTmplNameByDirIdx(unsigned long templateIndex, unsigned long directionIndex) = 0;
  virtual std::wstring GetTmplName(unsigned long templateIndex) = 0;
  // Engine operations that no browser object member calls.
  virtual void SetContextValue(long value) = 0;
  virtual void RunProfileCommand(long value) = 0;
  virtual void SetProfileOption(long value) = 0;
  virtual void ResetProfile() = 0;
  virtual void OpenProfileDictionaries() = 0;
  virtual void UpdateDictionaries(long mode, UINT stringId) = 0;
  virtual void ShowSecondAbout(int iconGroupId, const std::wstring& title, HINSTANCE instance) = 0;
  virtual void ShowAbout(int iconGroupId, const std::wstring& title, HINSTANCE instance) = 0;
  virtual void StoreActiveChoice() = 0;
  virtual void ReportError(HRESULT hr) = 0;
  virtual long GetActiveDirID() = 0;
  virtual void SetActiveDirID(long directionId) = 0;
  virtual unsigned long GetActiveDirIndex() = 0;
  virtual void SetActiveDirIndex(unsigned long index) = 0;
  virtual std::wstring GetActiveTplId() = 0;
  virtual HRESULT SetActiveTplId(const std::wstring& templateId) = 0;
  virtual unsigned long GetActiveTplIndex() = 0;
  virtual bool IsDisable() = 0;
  virtual void SetOption(long option) = 0;
  virtual void SetParentWindow(HWND window) = 0;
  virtual HWND GetParentWindow() = 0;
  virtual void SetMode(long mode, long value) = 0;
  virtual INorvaAotService* GetAotService() = 0;
  virtual INorvaSpeakService* GetSpeakService() = 0;
  virtual INorvaSmartFolderService* GetSmartFolderService() = 0;
  virtual INorvaWebSearchService* GetWebSearchService() = 0;
  virtual INorvaDesktopObject* GetDesktopObject() = 0;
  virtual INorvaDictionariesServie* GetDictionariesService() = 0;
  virtual bool IsControlDetached() = 0;
  virtual bool IsControlMissing() = 0;
  virtual long GetPageDirection(const std::wstring& pageText, long flag) = 0;
};
