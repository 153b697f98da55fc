#include "MemoryTables.h"

#include <cwchar>

MemoryTable::MemoryTable(const std::wstring& source, std::wstring name, bool hasIndex)
    : name_(std::move(name)), hasIndex_(hasIndex)
{
    size_t start = 0;
    while (start < source.size()) {
        size_t end = source.find(L'\n', start);
        if (end == std::wstring::npos)
            end = source.size();
        std::wstring line = source.substr(start, end - start);
        start = end + 1;
        if (!line.empty() && line.back() == L'\r')
            line.pop_back();
        if (line.size() >= 2 && line.front() == L'[' && line.back() == L']') {
            sections_.push_back({line.substr(1, line.size() - 2), {}});
            continue;
        }
        const size_t equals = line.find(L'=');
        if (equals == std::wstring::npos || sections_.empty())
            continue;
        sections_.back().second.push_back({line.substr(0, equals), line.substr(equals + 1)});
    }
}

const MemoryTable::Keys* MemoryTable::Find(const std::wstring& section) const
{
    for (const auto& [name, keys] : sections_) {
        if (name == section)
            return &keys;
    }
    return nullptr;
}

std::wstring MemoryTable::GetString(const std::wstring& section, const std::wstring& key) const
{
    const_cast<MemoryTable*>(this)->reads++;
    if (const Keys* keys = Find(section)) {
        for (const auto& [name, value] : *keys) {
            if (name == key)
                return value;
        }
    }
    return {};
}

long MemoryTable::GetInt(const std::wstring& section, const std::wstring& key, long defaultValue) const
{
    if (!hasIndex_)
        return defaultValue;
    const std::wstring text = GetString(section, key);
    if (text.empty())
        return defaultValue;
    return std::wcstol(text.c_str(), nullptr, 10);
}

long MemoryTable::GetSectionCount() const
{
    return hasIndex_ ? static_cast<long>(sections_.size()) : 0;
}

std::wstring MemoryTable::GetSectionName(long index) const
{
    if (!hasIndex_ || index < 0 || index >= static_cast<long>(sections_.size()))
        return {};
    return sections_[index].first;
}

long MemoryTable::GetKeyCount(const std::wstring& section) const
{
    const Keys* keys = hasIndex_ ? Find(section) : nullptr;
    return keys ? static_cast<long>(keys->size()) : 0;
}

std::wstring MemoryTable::GetKeyName(const std::wstring& section, long index) const
{
    const Keys* keys = hasIndex_ ? Find(section) : nullptr;
    if (!keys || index < 0 || index >= static_cast<long>(keys->size()))
        return {};
    return (*keys)[index].first;
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
