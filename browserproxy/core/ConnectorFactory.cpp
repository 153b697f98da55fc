#include "browserproxy/core/ConnectorFactory.h"

#include <map>

namespace {

std::map<long, ConnectorMaker>& Makers() {
  static std::map<long, ConnectorMaker> makers;
  return makers;
}

}  // namespace

void SetConnectorMaker(long kind, ConnectorMaker maker) {
  if (maker) Makers()[kind] = std::move(maker);
  else Makers().erase(kind);
}

std::unique_ptr<INorvaConnector> CreateConnector(const std::wstring& title, long kind) {
  auto found = Makers().find(kind);
  if (found == Makers().end()) return nullptr;
  return found->second(title);
}
