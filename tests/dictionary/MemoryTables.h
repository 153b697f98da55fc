#pragma once
#include <map>
#include <memory>
#include <string>
#include <vector>

#include "MdsTableText.h"
#include "browserproxy/dictionary/LayoutTable.h"

// A layout table held in memory, written in the table-source format.
class MemoryTable : public LayoutTable {
public:
    MemoryTable(const std::wstring& source, std::wstring name, bool hasIndex = true);

    std::wstring GetString(const std::wstring& section, const std::wstring& key) const override;
    long GetInt(const std::wstring& section, const std::wstring& key, long defaultValue) const override;
    bool HasIndex() const override { return hasIndex_; }
    long GetSectionCount() const override;
    std::wstring GetSectionName(long index) const override;
    long GetKeyCount(const std::wstring& section) const override;
    std::wstring GetKeyName(const std::wstring& section, long index) const override;
    std::wstring GetName() const override { return name_; }

private:
    MdsTableText text_;
    std::wstring name_;
    bool hasIndex_;
};

// A table cache over memory tables, keyed by full path.
class MemoryTables : public LayoutTableSource {
public:
    // The table answers for `folder` + `name`.
    MemoryTable& Add(const std::wstring& name, const std::wstring& source, bool hasIndex = true);
    LayoutTable* GetTable(const std::wstring& fullPath) override;
    std::wstring FindTableName(const LayoutTable* table) const override;

    std::wstring folder = L"C:\\fixture\\mds\\";
    std::vector<std::wstring> requested;

private:
    std::map<std::wstring, std::unique_ptr<MemoryTable>> tables_;
};

// Every table source of a folder ("*.mds", UTF-8 or UTF-16LE with its mark),
// under its file name.
void LoadTableSources(MemoryTables& tables, const std::wstring& folder);
