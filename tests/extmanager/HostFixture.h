#pragma once
#include <gtest/gtest.h>
#include <windows.h>

#include <memory>
#include <mutex>
#include <string>

#include "DialogWatcher.h"
#include "HostFabric.h"
#include "extmanager/probes/SystemSeams.h"
#include "extmanager/switches/ExceptSW.h"
#include "extmanager/switches/Switch.h"

// A folder below the temporary folder, `prefix` followed by this process's id,
// which no other test program uses at the same time.
inline std::wstring ProcessTempFolder(const std::wstring& prefix) {
  wchar_t temp[MAX_PATH] = {};
  GetTempPathW(MAX_PATH, temp);
  return std::wstring(temp) + prefix + std::to_wstring(GetCurrentProcessId());
}

// A fabricated machine for one test, with the current user "bob" (not an
// administrator) whose folders live inside it; every seam is reset and the
// machine undone afterwards.
class HostTest : public testing::Test {
 protected:
  void SetUp() override {
    machine_ = std::make_unique<hostfab::FabricatedMachine>(ProcessTempFolder(L"quenlo-hosts-") + L"-" +
                                                            std::to_wstring(GetTickCount()));
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
    auto shown = std::make_shared<std::pair<std::mutex, std::wstring>>();
    testsupport::DialogWatcher watcher;
    watcher.OnWindow(L"Менеджер плагинов", L"#32770", [shown](HWND box) {
      // The box's text may arrive a moment after the box shows.
      std::wstring texts;
      for (int i = 0; i < 100 && texts.empty(); ++i) {
        for (const auto& text : testsupport::DialogWatcher::ControlTexts(box))
          if (text != L"OK") texts += text;  // the box's button
        if (texts.empty()) Sleep(20);
      }
      {
        std::lock_guard<std::mutex> lock(shown->first);
        shown->second += texts;
      }
      testsupport::DialogWatcher::PressButton(box, IDOK);
    });
    sw.ApplyItems(items, false);
    std::lock_guard<std::mutex> lock(shown->first);
    return shown->second;
  }

  static std::wstring ErrorText(const std::wstring& application, int reason) {
    return CExceptSW(L"", application, reason).text;
  }

  static bool Exists(const std::wstring& path) { return GetFileAttributesW(path.c_str()) != INVALID_FILE_ATTRIBUTES; }

  std::unique_ptr<hostfab::FabricatedMachine> machine_;
  std::wstring appData_;
};
