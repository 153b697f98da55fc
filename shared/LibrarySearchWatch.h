#pragma once
#include <windows.h>

#include <string>

#include "platform/base/Handles.h"

// Remembers that a search for a library by a registry value failed, and
// tells when a new search could end otherwise: the value (or its key) was
// changed, or a file was added to or removed from the folder searched. Arm
// it before reading the value, so that no change between the read and the
// search is missed. Not thread-safe: its owner serialises the calls.
class LibrarySearchWatch {
 public:
  // Watches the key `subKey` of `root` with its whole tree, from its
  // parent (so that the key's removal or creation counts), or from the
  // nearest ancestor that exists.
  void WatchKey(HKEY root, const std::wstring& subKey);
  // Watches the names in the folder; a folder that cannot be watched adds nothing.
  void WatchFolder(const std::wstring& folder);
  // Marks the search as failed: from now on Changed() answers for it.
  void RememberMiss() { missed_ = true; }
  // Stops watching.
  void Forget();
  // True unless a failed search is remembered and nothing it read has changed since.
  bool SearchAgain() const;

 private:
  bool missed_ = false;
  platform::UniqueRegistryKey key_;
  platform::UniqueKernelHandle keyChanged_;
  platform::UniqueChangeNotification folderChanged_;
};
