#pragma once
#include <string>

// Whole-file reads and safe whole-file writes for the host files a switch edits.

// The file's bytes; false when it cannot be opened or read.
bool ReadWholeFile(const std::wstring& path, std::string& bytes);
// Writes the bytes to a new file beside the target and then puts it in the
// target's place, so the target is never left cut short. False (target
// untouched) on any failure.
bool ReplaceFileContents(const std::wstring& path, const std::string& bytes);
// Makes every missing level of a folder path, however long; true when it is there afterwards.
bool MakeFolderPath(const std::wstring& folder);
// The file opens for reading and writing.
bool CanWriteFile(const std::wstring& path);

// Strict UTF-8 decoding (false for invalid bytes) and encoding.
bool DecodeUtf8(const std::string& bytes, std::wstring& text);
std::string EncodeUtf8(const std::wstring& text);
