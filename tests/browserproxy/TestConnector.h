#pragma once
#include <windows.h>

#include <functional>
#include <memory>
#include <string>
#include <vector>

#include "browserproxy/core/ConnectorFactory.h"
#include "browserproxy/core/NorvaConnector.h"

// A connector that the browser object's and the dialogs' tests put behind
// the factory: a direction list given by the test, engine services whose
// answers the test chooses, and a record of the calls it received.
struct TestDirection {
  long id;
  std::wstring name;
  std::vector<std::wstring> templates;
};

struct TestConnectorState {
  std::vector<TestDirection> directions = {
      {0x00020001, L"English-Russian", {L"General", L"Computer"}},
      {0x00010002, L"Russian-English", {L"General"}},
      {0x00040001, L"English-German", {L"General", L"Business", L"Science"}},
  };
  bool initializeResult = true;
  bool disabled = false;
  HRESULT raiseInSetOption = S_OK;  // a COM error raised by SetOption
  bool rejectAllDirections = false;  // every SetActiveDirIndex raises
  HRESULT refuseDirection = S_OK;    // SetActiveDirID raises this failure
  HRESULT refuseTemplate = S_OK;     // SetActiveTplId answers this failure
  unsigned long activeIndex = 0;
  std::wstring activeTemplate = L"General";
  long pageDirection = 0;  // what page detection answers; 0: the first direction's id
  // File jobs: false fails them; else "[text]" (or nothing) in the result.
  bool fileJobResult = false;
  bool emptyResult = false;
  // AOT service: absent, or its answers.
  bool hasAot = false;
  HRESULT chooseResult = S_OK;
  std::wstring chosenTemplate = L"Computer";
  HRESULT detectResult = S_OK;
  std::wstring detectedTemplate = L"Medical";
  // Web search service.
  bool hasWebSearch = false;
  HRESULT searchReady = S_OK;
  long searchAnswer = 0;
  // Engine objects: none, or a dispatch object for each.
  bool hasDesktop = false;
  std::wstring title;
  std::wstring startString;
  std::vector<std::wstring> jobSources;  // texts the file jobs read
  std::vector<std::string> calls;  // "SetOption 1", "SetMode 2 0", "ReportError 0x80070057", ...
  int alive = 0;                     // connectors not yet deleted
  // Run once, inside Initialize and inside the connector's end: where the
  // real engine's cross-process calls pump messages and let calls in.
  std::function<void()> whenInitializing;
  std::function<void()> whenEnding;
};

// Installs the test connector as the kernel connector while it lives.
class ScopedTestConnector {
 public:
  ScopedTestConnector();
  ~ScopedTestConnector();
  ScopedTestConnector(const ScopedTestConnector&) = delete;
  ScopedTestConnector& operator=(const ScopedTestConnector&) = delete;

  TestConnectorState& State() { return *state_; }
  bool Called(const std::string& call) const;
  int CountOf(const std::string& call) const;

 private:
  std::shared_ptr<TestConnectorState> state_;
};
