#pragma once
#include <memory>
#include <string>
#include <vector>

#include "browserproxy/core/ConnectorFactory.h"
#include "browserproxy/core/NorvaConnector.h"

// A connector that the browser object's tests put behind the factory: a
// direction list given by the test, and a record of the calls it received.
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
  HRESULT raiseInSetOption = S_OK;  // a COM error raised by SetOption
  bool rejectAllDirections = false;  // every SetActiveDirIndex raises
  unsigned long activeIndex = 0;
  std::wstring activeTemplate = L"General";
  std::wstring title;
  std::wstring startString;
  std::vector<std::string> calls;  // "SetOption 1", "SetMode 2 0", "ReportError 0x80070057", ...
  int alive = 0;                     // connectors not yet deleted
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

 private:
  std::shared_ptr<TestConnectorState> state_;
};
