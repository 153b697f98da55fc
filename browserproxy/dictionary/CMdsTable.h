#pragma once
#include <map>
#include <memory>
#include <set>
#include <string>

#include "LayoutTable.h"
#include "MdsReader.h"
#include "browserproxy/dictionary/MdsReaderTable.h"
#include "platform/com/ComPtr.h"

// The layout-table cache: one loaded table object per name for the cache's
// life, and the names that are known not to exist, so that each table is
// extracted from "mds.stg" at most once. UI thread only.
class CMdsTable : public LayoutTableSource {
 public:
  CMdsTable() = default;
  ~CMdsTable() override;
  CMdsTable(const CMdsTable&) = delete;
  CMdsTable& operator=(const CMdsTable&) = delete;

  // name: the full path the layout code formed (layout folder + file name);
  // the table is read from "mds.stg" in that folder. The cache keeps the
  // reference: callers neither release nor close it. Null when the table is
  // absent (remembered) or could not be had this time (not remembered).
  IMdsReader* GetMdsFile(const std::wstring& name);
  // The name under which the table is cached, or empty.
  std::wstring FindTableName(IMdsReader* table) const;

  // The same tables for the entry model's readers.
  LayoutTable* GetTable(const std::wstring& fullPath) override;
  std::wstring FindTableName(const LayoutTable* table) const override;

 private:
  MdsReaderTable* Table(const std::wstring& name);

  std::map<std::wstring, std::unique_ptr<MdsReaderTable>> loaded_;
  std::set<std::wstring> absent_;
};
