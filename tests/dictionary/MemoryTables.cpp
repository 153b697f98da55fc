#include "MemoryTables.h"

#include <cwchar>

MemoryTable::MemoryTable(const std::wstring& source, std::wstring name, bool hasIndex)
    : text_(MdsTableText::Parse(source)), name_(std::move(name)), hasIndex_(hasIndex)
{
}

std::wstring MemoryTable::GetString(const std::wstring& section, const std::wstring& key) const
{
    const std::wstring* value = text_.Value(section, key);
    return value ? *value : std::wstring();
}

long MemoryTable::GetInt(const std::wstring& section, const std::wstring& key, long defaultValue) const
{
    const std::wstring* value = hasIndex_ ? text_.Value(section, key) : nullptr;
    if (!value || value->empty())
        return defaultValue;
    wchar_t* end = nullptr;
    const long number = std::wcstol(value->c_str(), &end, 10);
    return *end == L'\0' ? number : defaultValue;
}

long MemoryTable::GetSectionCount() const
{
    return hasIndex_ ? static_cast<long>(text_.SectionCount()) : 0;
}

std::wstring MemoryTable::GetSectionName(long index) const
{
    const MdsTableText::Section* section = hasIndex_ ? text_.SectionAt(index) : nullptr;
    return section ? section->name : std::wstring();
}

long MemoryTable::GetKeyCount(const std::wstring& section) const
{
    const MdsTableText::Section* found = hasIndex_ ? text_.Find(section) : nullptr;
    return found ? static_cast<long>(found->keys.size()) : 0;
}

std::wstring MemoryTable::GetKeyName(const std::wstring& section, long index) const
{
    const MdsTableText::Section* found = hasIndex_ ? text_.Find(section) : nullptr;
    if (!found || index < 0 || index >= static_cast<long>(found->keys.size()))
        return {};
    return found->keys[index].first;
}

MemoryTable& MemoryTables::Add(const std::wstring& name, const std::wstring& source, bool hasIndex)
{
    auto table = std::make_unique<MemoryTable>(source, name, hasIndex);
    MemoryTable& result = *table;
    tables_[folder + name] = std::move(table);
    return result;
}

LayoutTable* MemoryTables::GetTable(const std::wstring& fullPath)
{
    requested.push_back(fullPath);
    auto found = tables_.find(fullPath);
    return found == tables_.end() ? nullptr : found->second.get();
}

std::wstring MemoryTables::FindTableName(const LayoutTable* table) const
{
    for (const auto& [path, held] : tables_) {
        if (held.get() == table)
            return path;
    }
    return {};
}
