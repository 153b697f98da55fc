#include "TableAccess.h"

#include "platform/base/ModulePath.h"

#include <windows.h>

#include <vector>

TableHandle TableHandle::Borrowed(LayoutTable* table)
{
    TableHandle handle;
    handle.table_ = table;
    return handle;
}

TableHandle TableHandle::Owned(std::unique_ptr<LayoutTable> table)
{
    TableHandle handle;
    handle.owned_ = std::move(table);
    handle.table_ = handle.owned_.get();
    return handle;
}

std::wstring LayoutFolder(const std::wstring& folder)
{
    if (!folder.empty())
        return folder;
    return platform::ModuleFolder(nullptr) + L"mds\\";
}

bool LayoutTableExists(LayoutTableSource* tables, const std::wstring& fullPath)
{
    if (tables)
        return tables->GetTable(fullPath) != nullptr;
    return GetFileAttributesW(fullPath.c_str()) != INVALID_FILE_ATTRIBUTES;
}

namespace {

TableHandle OpenOne(LayoutTableSource* tables, const std::wstring& fullPath)
{
    if (tables)
        return TableHandle::Borrowed(tables->GetTable(fullPath));
    if (GetFileAttributesW(fullPath.c_str()) == INVALID_FILE_ATTRIBUTES)
        return {};
    return TableHandle::Owned(OpenLayoutTableFile(fullPath));
}

}  // namespace

TableHandle OpenLayoutTable(LayoutTableSource* tables, const std::wstring& folder, const std::wstring& firstName,
                            const std::wstring& secondName)
{
    const std::wstring base = LayoutFolder(folder);
    TableHandle table = OpenOne(tables, base + firstName);
    if (!table && !secondName.empty())
        table = OpenOne(tables, base + secondName);
    return table;
}

std::wstring BareTableName(const std::wstring& path)
{
    const size_t slash = path.find_last_of(L"\\/");
    std::wstring name = slash == std::wstring::npos ? path : path.substr(slash + 1);
    const size_t dot = name.rfind(L'.');
    return dot == std::wstring::npos ? name : name.substr(0, dot);
}
