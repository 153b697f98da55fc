#pragma once
#include <map>
#include <set>
#include <string>

#include "MdsReader.h"
#include "platform/com/ComPtr.h"

// The layout-table cache: one loaded table object per name for the cache's
// life, and the names that are known not to exist, so that each table is
// extracted from "mds.stg" at most once. UI thread only.
class CMdsTable {
 public:
  CMdsTable() = default;
  virtual ~CMdsTable();
  CMdsTable(const CMdsTable&) = delete;
  CMdsTable& operator=(const CMdsTable&) = delete;

  // name: the full path the layout code formed (layout folder + file name);
  // the table is read from "mds.stg" in that folder. The cache keeps the
  // reference: callers neither release nor close it. Null when the table is
  // absent (remembered) or could not be had this time (not remembered).
  IMdsReader* GetMdsFile(const std::wstring& name);
  // The name under which the table is cached, or empty.
  std::wstring FindTableName(IMdsReader* table) const;

 private:
  std::map<std::wstring, platform::ComPtr<IMdsReader>> loaded_;
  std::set<std::wstring> absent_;
};
