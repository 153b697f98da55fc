#pragma once
#include <functional>
#include <memory>
#include <string>

#include "browserproxy/core/NorvaConnector.h"

enum ConnectorKind : long {
  kKernelConnector = 0,
  kServerConnector = 1,
};

// A new connector of that kind built with the browser's title; null for a
// kind that has no implementation.
std::unique_ptr<INorvaConnector> CreateConnector(const std::wstring& title, long kind);

// Installs the maker of one kind (the program installs its engines at start;
// tests install their own). An empty maker removes it.
using ConnectorMaker = std::function<std::unique_ptr<INorvaConnector>(const std::wstring& title)>;
void SetConnectorMaker(long kind, ConnectorMaker maker);
