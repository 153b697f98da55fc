#pragma once
#include <windows.h>

#include <memory>
#include <string>
#include <vector>

#include "browserproxy/core/NorvaConnector.h"

// A connector for the dialog tests, put behind the factory while a test
// runs: a direction list, a file job that writes "[text]" into the result,
// and engine services whose answers the test chooses.
namespace dialogstest {

struct Direction {
  long id;
  std::wstring name;
  std::vector<std::wstring> templates;
};

struct ConnectorState {
  std::vector<Direction> directions = {
      {0x00020001, L"English-Russian", {L"General", L"Computer", L"Medical"}},
      {0x00010002, L"Russian-English", {L"General", L"Business"}},
      {0x00040001, L"English-German", {L"General", L"Science"}},
  };
  unsigned long activeIndex = 0;
  std::wstring activeTemplate = L"General";
  long pageDirection = 0x00010002;  // what page detection answers
  bool disabled = false;
  bool fileJobResult = true;
  bool emptyResult = false;          // the job writes an empty result file
  HRESULT refuseTemplate = S_OK;     // SetActiveTplId answers this failure
  HRESULT refuseDirection = S_OK;    // SetActiveDirID raises this failure
  // AOT service: absent, or its answers.
  bool hasAot = true;
  HRESULT chooseResult = S_OK;
  std::wstring chosenTemplate = L"Computer";
  HRESULT detectResult = S_OK;
  std::wstring detectedTemplate = L"Medical";
  // Web search service.
  bool hasWebSearch = true;
  HRESULT searchReady = S_OK;
  long searchAnswer = 0;
  // Engine objects: none, or a dispatch object for each.
  bool hasDesktop = true;
  std::vector<std::wstring> jobSources;  // texts the file jobs read
  std::vector<std::string> calls;        // "ShowAbout 209", "ReportError 0x...", "ChooseTemplate text"...
};

class ScopedDialogsConnector {
 public:
  ScopedDialogsConnector();
  ~ScopedDialogsConnector();
  ScopedDialogsConnector(const ScopedDialogsConnector&) = delete;
  ScopedDialogsConnector& operator=(const ScopedDialogsConnector&) = delete;

  ConnectorState& State() { return *state_; }
  bool Called(const std::string& call) const;
  int CountOf(const std::string& call) const;

 private:
  std::shared_ptr<ConnectorState> state_;
};

}  // namespace dialogstest
