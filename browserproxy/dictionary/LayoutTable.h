#pragma once
#include <memory>
#include <string>

// Read access to one loaded ".mds" layout table. Reads never throw: a missing
// section or key gives the empty string or the default, and a table without
// its index interface reports no sections and no keys.
class LayoutTable {
public:
    virtual ~LayoutTable() = default;

    virtual std::wstring GetString(const std::wstring& section, const std::wstring& key) const = 0;
    virtual long GetInt(const std::wstring& section, const std::wstring& key, long defaultValue) const = 0;

    // Whether the table offers its index interface (section and key listing,
    // integer reads, the name).
    virtual bool HasIndex() const = 0;
    virtual long GetSectionCount() const = 0;
    virtual std::wstring GetSectionName(long index) const = 0;
    virtual long GetKeyCount(const std::wstring& section) const = 0;
    virtual std::wstring GetKeyName(const std::wstring& section, long index) const = 0;
    // The name the table was given when it was loaded.
    virtual std::wstring GetName() const = 0;
};

// Where tables come from: the table cache of the light view hands out tables
// it keeps loaded (borrowed by the reader), keyed by full path.
class LayoutTableSource {
public:
    virtual ~LayoutTableSource() = default;

    // The loaded table for that full path, or null; the source keeps it.
    virtual LayoutTable* GetTable(const std::wstring& fullPath) = 0;
    // The full path under which the source keeps that table, or "".
    virtual std::wstring FindTableName(const LayoutTable* table) const = 0;
};

// Opens a table file directly, for readers that are given no table cache.
// Null when the file does not exist or does not load.
std::unique_ptr<LayoutTable> OpenLayoutTableFile(const std::wstring& fullPath);
