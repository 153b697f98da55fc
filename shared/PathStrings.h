#pragma once
#include <cstddef>
#include <optional>
#include <string>

// Path text helpers. A separator is "\" or "/".

// Appends "\" unless the text is empty or already ends with a separator.
void EnsureTrailingSeparator(std::wstring& path);
// EnsureTrailingSeparator, then the component; returns the path.
std::wstring& AppendPathComponent(std::wstring& path, const std::wstring& component);
std::wstring JoinPath(const std::wstring& first, const std::wstring& second);
// A copy without one final separator; drive roots ("C:\") and texts shorter
// than two characters stay as they are.
std::wstring RemoveTrailingSeparator(const std::wstring& path);

// Position of the first byte equal to `value` among the first `length`.
std::optional<size_t> FindByte(const void* buffer, unsigned char value, size_t length);

// Up to and including the last "\"; empty when there is none.
std::wstring GetFolderPart(const std::wstring& path);
// After the last "\"; the whole path when it has none or ends with it.
std::wstring GetFileNamePart(const std::wstring& path);
// The file-name part before its last dot; all of it when it has no dot or ends with one.
std::wstring GetNamePart(const std::wstring& path);
// After the last dot of the file-name part; empty when there is no dot or it is last.
std::wstring GetExtensionPart(const std::wstring& path);

// The path unchanged when its file name has an extension, else ReplaceExtension.
std::wstring AddDefaultExtension(const std::wstring& path, const std::wstring& extension);
// The file name's extension (from its last dot, unless that dot starts the
// name) replaced by `extension` ("txt" or ".txt"); an empty one removes it.
std::wstring ReplaceExtension(const std::wstring& path, const std::wstring& extension);
