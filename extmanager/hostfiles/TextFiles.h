#pragma once
#include <functional>
#include <string>

// Whole-file reads and safe whole-file writes for the host files a switch edits.

// The file's bytes; false when it cannot be opened or read.
bool ReadWholeFile(const std::wstring& path, std::string& bytes);
// Writes the bytes to a new file of a unique name beside the target and then
// puts it in the target's place in one step, so the target is either as it
// was or wholly new and no other file beside it is touched. A read-only
// target is refused. False (target untouched, the new file gone) on any failure.
bool ReplaceFileContents(const std::wstring& path, const std::string& bytes);
// A test seam: folders where no new file may be made, as an access-control
// list makes them on Windows (Wine lets its user write anywhere). Empty by
// default; the program itself never sets it.
std::function<bool(const std::wstring& folder)>& RefuseNewFilesIn();
// Makes every missing level of a folder path, however long; true when it is there afterwards.
bool MakeFolderPath(const std::wstring& folder);
// The file opens for reading and writing.
bool CanWriteFile(const std::wstring& path);

// Strict UTF-8 decoding (false for invalid bytes) and encoding.
bool DecodeUtf8(const std::string& bytes, std::wstring& text);
std::string EncodeUtf8(const std::wstring& text);
