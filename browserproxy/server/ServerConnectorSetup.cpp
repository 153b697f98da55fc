#include "browserproxy/server/ServerConnectorSetup.h"

#include <cwchar>
#include <memory>
#include <string>

#include "browserproxy/core/ConnectorFactory.h"
#include "browserproxy/server/NorvaVQDWrapper.h"

namespace {

std::wstring Environment(const wchar_t* name) {
  wchar_t value[2048];
  const DWORD length = GetEnvironmentVariableW(name, value, static_cast<DWORD>(std::size(value)));
  return length > 0 && length < std::size(value) ? std::wstring(value, length) : std::wstring();
}

// The server connector bound to one address: the start string the browser
// object passes (its product key) is not an address.
class CBoundServerConnector : public CNorvaVQDWrapper {
 public:
  CBoundServerConnector(std::wstring title, std::wstring address)
      : CNorvaVQDWrapper(std::move(title)), address_(std::move(address)) {}
  bool Initialize(const std::wstring&) override { return Connect(address_); }

 private:
  std::wstring address_;
};

}  // namespace

void InstallServerConnector() {
  SetConnectorMaker(kServerConnector, [](const std::wstring& title) -> std::unique_ptr<INorvaConnector> {
    return std::make_unique<CNorvaVQDWrapper>(title);
  });
  const std::wstring address = Environment(L"TESSIVA_VQD_SERVER");
  if (address.empty()) return;
  const unsigned long timeout = std::wcstoul(Environment(L"TESSIVA_VQD_TIMEOUT_MS").c_str(), nullptr, 10);
  SetConnectorMaker(kKernelConnector, [address, timeout](const std::wstring& title) -> std::unique_ptr<INorvaConnector> {
    auto connector = std::make_unique<CBoundServerConnector>(title, address);
    if (timeout) connector->SetTimeouts(timeout, 600000);
    return connector;
  });
}
