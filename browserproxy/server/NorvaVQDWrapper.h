#pragma once
#include <windows.h>

#include <atomic>
#include <memory>
#include <string>
#include <thread>
#include <vector>

#include "browserproxy/core/NorvaConnector.h"
#include "browserproxy/ui/IProgressDlg.h"

struct VQDTemplateRecord {
  std::wstring id;
  std::wstring name;
};

struct VQDDirectionRecord {
  long id = 0;  // the "id" text as a decimal number
  std::wstring idText;
  std::wstring name;
  std::vector<VQDTemplateRecord> templates;
};

// The connector that reaches a translation server of the VQD edition over
// HTTP (form posts and SOAP 1.1 through MSXML) instead of the local kernel.
// It keeps the server's directions and templates and the active pair, sends
// one request per text, and runs file and page translations as server jobs
// that it starts and polls; with a progress sink the polling runs on a
// thread of its own while the sink's dialog is shown. Every request has a
// time-out, and a job without a sink has one as a whole.
class CNorvaVQDWrapper : public INorvaConnector {
 public:
  explicit CNorvaVQDWrapper(std::wstring title);
  ~CNorvaVQDWrapper() override;
  CNorvaVQDWrapper(const CNorvaVQDWrapper&) = delete;
  CNorvaVQDWrapper& operator=(const CNorvaVQDWrapper&) = delete;

  // Time allowed to one request, and to a whole job polled without a sink.
  void SetTimeouts(DWORD requestMs, DWORD jobWithoutSinkMs);

  // The server's base address; true when its directions were loaded.
  bool Connect(const std::wstring& connectionString);

  bool Initialize(const std::wstring& startString) override { return Connect(startString); }
  bool TranslateFile(TranslateFileJob& job) override;
  bool TranslateText(const std::wstring& text, std::wstring& result, long singleWord) override;
  void PrepareTranslation() override {}
  unsigned long GetDirsCount() override;
  std::wstring GetDirName(unsigned long index) override;
  long GetDirID(unsigned long index) override;
  unsigned long GetTmplCountByDirIdx(unsigned long directionIndex) override;
  unsigned long GetTmplCount() override;
  std::wstring GetTmplNameByDirIdx(unsigned long templateIndex, unsigned long directionIndex) override;
  std::wstring GetTmplName(unsigned long templateIndex) override;
  void SetContextValue(long) override {}
  void RunProfileCommand(long) override {}
  void SetProfileOption(long) override {}
  void ResetProfile() override {}
  void OpenProfileDictionaries() override {}
  void UpdateDictionaries(long, UINT) override {}
  void ShowSecondAbout(int iconGroupId, const std::wstring&, HINSTANCE instance) override;
  void ShowAbout(int iconGroupId, const std::wstring& title, HINSTANCE instance) override;
  void StoreActiveChoice() override {}
  void ReportError(HRESULT) override {}
  long GetActiveDirID() override;
  void SetActiveDirID(long directionId) override;
  unsigned long GetActiveDirIndex() override;
  void SetActiveDirIndex(unsigned long index) override;
  std::wstring GetActiveTplId() override;
  HRESULT SetActiveTplId(const std::wstring& templateId) override;
  unsigned long GetActiveTplIndex() override;
  bool IsDisable() override { return busy_; }
  void SetOption(long) override {}
  void SetParentWindow(HWND) override {}
  HWND GetParentWindow() override { return nullptr; }
  void SetMode(long, long) override {}
  INorvaAotService* GetAotService() override { return nullptr; }
  INorvaSpeakService* GetSpeakService() override { return nullptr; }
  INorvaSmartFolderService* GetSmartFolderService() override { return nullptr; }
  INorvaWebSearchService* GetWebSearchService() override { return nullptr; }
  INorvaDesktopObject* GetDesktopObject() override { return nullptr; }
  INorvaDictionariesServie* GetDictionariesService() override { return nullptr; }
  bool IsControlDetached() override { return true; }
  bool IsControlMissing() override { return false; }
  long GetPageDirection(const std::wstring& pageText, long flag) override;

  // 1 for id -1 or an empty list, else 0; the new direction's first
  // template becomes active.
  long SelectDirectionById(long directionId);
  const std::wstring& UrlBase() const { return urlBase_; }

  // The stop handler of one job with a progress sink.
  class StopTranslate : public IProgressDlgCallBack {
   public:
    explicit StopTranslate(CNorvaVQDWrapper* owner) : owner_(owner) {}
    HRESULT OnStop() override;

   private:
    CNorvaVQDWrapper* owner_;
  };

 private:
  using Bytes = std::vector<uint8_t>;

  const VQDDirectionRecord& Direction(unsigned long index) const;
  void LoadLists();
  std::wstring ActiveDirIdText() const;
  std::wstring ActiveTemplateName() const;
  // The job's result bytes; empty when it was stopped or gave nothing.
  Bytes StartTranslateFile(const Bytes& source, const std::wstring& contentType, IProgressDlg* sink);
  Bytes StartTranslateHtmlFile(const Bytes& source, const std::wstring& urlBase, IProgressDlg* sink);
  Bytes WaitForJob(const std::wstring& startEnvelope, const wchar_t* operation, IProgressDlg* sink);
  Bytes PollWithSink(IProgressDlg* sink);
  void PollWithoutSink();
  // One "GetTranslateFileResult": result and progress kept, ready flag returned.
  std::wstring PollOnce();
  void TranslateFileWaitThread();
  void StopTranslating();
  // From the polling thread: ends the sink's dialog as a close request does.
  void CloseSinkDialog();

  std::atomic<bool> stopRequested_{false};
  std::atomic<bool> jobDone_{false};
  IProgressDlg* progressSink_ = nullptr;
  std::wstring result_;
  std::wstring urlBase_;
  std::vector<VQDDirectionRecord> directions_;
  // Indexes into the lists; -1: none (an empty list, or before a connect).
  long activeDirection_ = -1;
  long activeTemplate_ = -1;
  std::wstring workId_;
  std::wstring connectionString_;
  bool busy_ = true;
  std::wstring title_;

  std::atomic<long> progress_{0};
  // The server holds a job of ours that neither finished nor was told to
  // stop: a job that fails on this side stops it first.
  std::atomic<bool> jobOnServer_{false};
  bool jobRunning_ = false;
  std::wstring jobUrlBase_;
  // The poll thread's failure, read once it has been joined.
  HRESULT pollFailure_ = S_OK;
  DWORD requestTimeoutMs_ = 30000;
  DWORD jobTimeoutMs_ = 600000;
};
