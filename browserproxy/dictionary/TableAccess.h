#pragma once
#include <memory>
#include <string>

#include "LayoutTable.h"

// A table a reader holds for one request: borrowed from the table cache, or
// opened from its file and owned (closed when the handle goes).
class TableHandle {
public:
    TableHandle() = default;
    static TableHandle Borrowed(LayoutTable* table);
    static TableHandle Owned(std::unique_ptr<LayoutTable> table);

    TableHandle(TableHandle&&) noexcept = default;
    TableHandle& operator=(TableHandle&&) noexcept = default;
    TableHandle(const TableHandle&) = delete;
    TableHandle& operator=(const TableHandle&) = delete;

    LayoutTable* get() const { return table_; }
    LayoutTable* operator->() const { return table_; }
    explicit operator bool() const { return table_ != nullptr; }
    bool IsOwned() const { return owned_ != nullptr; }

private:
    LayoutTable* table_ = nullptr;
    std::unique_ptr<LayoutTable> owned_;
};

// The folder of the layout tables, ending with a backslash: the given one,
// or the program's folder + "mds\" when it is empty.
std::wstring LayoutFolder(const std::wstring& folder);

// Whether a table of that full path can be had: from the cache when one is
// given, else when its file exists.
bool LayoutTableExists(LayoutTableSource* tables, const std::wstring& fullPath);

// The table of the first name, else of the second (skipped when empty),
// both in the folder: from the cache when one is given, else from the file.
TableHandle OpenLayoutTable(LayoutTableSource* tables, const std::wstring& folder, const std::wstring& firstName,
                            const std::wstring& secondName);

// A table's file name without folder and extension.
std::wstring BareTableName(const std::wstring& path);
