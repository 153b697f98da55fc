#pragma once
#include <string>
#include <vector>

// The host files and folders a switch is about to change, each as it was
// before its first change, so that a switch that fails part-way can put
// them all back: a file's bytes (or that it was not there) and whether a
// folder was there. Entries are noted once, in the order of the changes.
class FileJournal {
 public:
  // Notes the file as it is now. False when it is there but cannot be read:
  // what cannot be put back must not be changed.
  bool Keep(const std::wstring& path);
  // Notes the folder: when it is there, that it must stay; when it is not,
  // every missing level of it, so that what gets made can go again.
  void KeepFolder(const std::wstring& folder);
  // Puts every noted file and folder back, the last change first; a file
  // that is as it was is not touched. False when one could not be put back.
  bool Restore();
  // The noted files and folders that were not there before, in order.
  std::vector<std::wstring> Created() const;
  bool Empty() const { return entries_.empty(); }

 private:
  struct Entry {
    std::wstring path;
    bool folder = false;
    bool existed = false;
    std::string bytes;
  };
  bool Noted(const std::wstring& path) const;

  std::vector<Entry> entries_;
};
