#include "MemoryTables.h"

#include <windows.h>

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

namespace {

std::wstring DecodeSource(const std::string& bytes)
{
    if (bytes.size() >= 2 && static_cast<unsigned char>(bytes[0]) == 0xFF && static_cast<unsigned char>(bytes[1]) == 0xFE)
        return std::wstring(reinterpret_cast<const wchar_t*>(bytes.data() + 2), (bytes.size() - 2) / 2);
    size_t start = bytes.compare(0, 3, "\xEF\xBB\xBF") == 0 ? 3 : 0;
    const int length = MultiByteToWideChar(CP_UTF8, 0, bytes.data() + start, static_cast<int>(bytes.size() - start),
                                           nullptr, 0);
    std::wstring text(length, L'\0');
    MultiByteToWideChar(CP_UTF8, 0, bytes.data() + start, static_cast<int>(bytes.size() - start), text.data(), length);
    return text;
}

std::string ReadBytes(const std::wstring& path)
{
    HANDLE file = CreateFileW(path.c_str(), GENERIC_READ, FILE_SHARE_READ, nullptr, OPEN_EXISTING, 0, nullptr);
    if (file == INVALID_HANDLE_VALUE)
        return {};
    std::string bytes(GetFileSize(file, nullptr), '\0');
    DWORD read = 0;
    ReadFile(file, bytes.data(), static_cast<DWORD>(bytes.size()), &read, nullptr);
    CloseHandle(file);
    bytes.resize(read);
    return bytes;
}

}  // namespace

void LoadTableSources(MemoryTables& tables, const std::wstring& folder)
{
    WIN32_FIND_DATAW found;
    HANDLE search = FindFirstFileW((folder + L"*.mds").c_str(), &found);
    if (search == INVALID_HANDLE_VALUE)
        return;
    do {
        tables.Add(found.cFileName, DecodeSource(ReadBytes(folder + found.cFileName)));
    } while (FindNextFileW(search, &found));
    FindClose(search);
}
