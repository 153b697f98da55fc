#pragma once
#include <gtest/gtest.h>
#include <windows.h>

#include <memory>
#include <string>

#include "DialogWatcher.h"
#include "HostFabric.h"
#include "extmanager/ExceptSW.h"
#include "extmanager/Switch.h"
#include "extmanager/SystemSeams.h"

// A fabricated machine for one test, with the current user "bob" (not an
// administrator) whose folders live inside it; every seam is reset and the
// machine undone afterwards.
class HostTest : public testing::Test {
 protected:
  void SetUp() override {
    wchar_t temp[MAX_PATH] = {};
    GetTempPathW(MAX_PATH, temp);
    std::wstring root = std::wstring(temp) + L"quenlo-hosts-" + std::to_wstring(GetCurrentProcessId()) + L"-" +
                        std::to_wstring(GetTickCount());
    machine_ = std::make_unique<hostfab::FabricatedMachine>(root);
    appData_ = machine_->AddUser(L"bob");
    Seams().userName = L"bob";
    Seams().roamingAppData = appData_;
    Seams().userProfile = machine_->UsersRoot() + L"\\bob";
    Seams().userProfilesRoot = machine_->UsersRoot();
    Seams().userIsAdmin = false;
  }
  void TearDown() override {
    ResetSeams();
    machine_.reset();
  }

  // The switch's items after detection (empty when it found no host).
  static SwitchItems Detect(CSwitch& sw) {
    SwitchItems items;
    if (sw.IsAppInstalled() > 0) sw.GetItems(items);
    return items;
  }

  // Applies the items with message boxes shown and answered; returns the
  // texts of the boxes that appeared (empty when none did).
  static std::wstring ApplyShowingErrors(CSwitch& sw, SwitchItems& items) {
    testsupport::DialogWatcher watcher;
    watcher.Press(L"Менеджер плагинов", IDOK);
    sw.ApplyItems(items, false);
    std::wstring texts;
    for (const auto& seen : watcher.Seen())
      for (const auto& text : seen.texts)
        if (text != L"OK") texts += text;  // the box's button
    return texts;
  }

  static std::wstring ErrorText(const std::wstring& application, int reason) {
    return CExceptSW(L"", application, reason).text;
  }

  static bool Exists(const std::wstring& path) { return GetFileAttributesW(path.c_str()) != INVALID_FILE_ATTRIBUTES; }

  std::unique_ptr<hostfab::FabricatedMachine> machine_;
  std::wstring appData_;
};
