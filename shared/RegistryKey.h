#pragma once
#include <windows.h>

#include <memory>
#include <string>

// One open registry key together with the path it was opened under and the
// Windows error code of the last registry call. Nothing here throws: failures
// give false, 0, an empty string or the caller's default, and GetLastError
// tells why. Move-only; the key is closed when the object goes.
class CRegistryKey {
 public:
  CRegistryKey() = default;
  ~CRegistryKey();
  CRegistryKey(CRegistryKey&& other) noexcept;
  CRegistryKey& operator=(CRegistryKey&& other) noexcept;
  CRegistryKey(const CRegistryKey&) = delete;
  CRegistryKey& operator=(const CRegistryKey&) = delete;

  // Closes the current key and holds the given open one.
  void Attach(HKEY key);
  // Closes the current key and sets root and path. A root of 0 means
  // HKEY_CURRENT_USER below the deliverable's default path (DefaultRegistryPath);
  // the sub-key is appended after a separator. The root used is stored in
  // *resolvedRoot when asked. Always true.
  bool SetPath(HKEY root, const wchar_t* subKey, HKEY* resolvedRoot = nullptr);
  bool Create(HKEY root, const wchar_t* subKey, const wchar_t* keyClass = nullptr, DWORD options = 0,
              REGSAM access = KEY_ALL_ACCESS, SECURITY_ATTRIBUTES* security = nullptr,
              DWORD* disposition = nullptr);
  bool Open(HKEY root, const wchar_t* subKey, REGSAM access = KEY_READ);
  // The same with the sub-key text taken from the deliverable's string table.
  bool Create(HKEY root, UINT subKeyStringId, const wchar_t* keyClass = nullptr, DWORD options = 0,
              REGSAM access = KEY_ALL_ACCESS, SECURITY_ATTRIBUTES* security = nullptr,
              DWORD* disposition = nullptr);
  bool Open(HKEY root, UINT subKeyStringId, REGSAM access = KEY_READ);
  // Empties the path and closes the key; true when nothing failed.
  bool Close();
  DWORD GetLastError() const { return lastError_; }

  HKEY Key() const { return key_; }
  HKEY Root() const { return root_; }
  const std::wstring& Path() const { return path_; }

  // Sub-key path + "\" + name under the same root, opened with KEY_ALL_ACCESS
  // (created first when `create` is set): this object re-pointed, a new
  // object (null on failure), or the caller's object.
  bool CreateSubKeyPath(const wchar_t* name, bool create);
  bool CreateSubKeyPath(UINT nameStringId, bool create);
  std::unique_ptr<CRegistryKey> NewSubKey(const wchar_t* name, bool create) const;
  bool OpenSubKeyInto(CRegistryKey& target, const wchar_t* name, bool create) const;
  // The parent key of the path (fails when the path has no "\" after its first character).
  bool OpenParentKey();
  std::unique_ptr<CRegistryKey> NewParentKey() const;

  // Deletes the key (its whole tree when recursive) and closes it. Stops and
  // answers false at the first sub-key that cannot be deleted.
  bool DeleteKeyTree(bool recursive = true);
  static bool DeleteKeyTree(HKEY root, const std::wstring& path, bool recursive = true);

  // The unnamed value.
  std::wstring GetDefaultString(const wchar_t* defaultText = L"");
  int GetDefaultInt();
  bool SetString(const wchar_t* text, const wchar_t* valueName = nullptr);
  bool SetNumberString(UINT number, const wchar_t* valueName = nullptr);

  bool ValueExists(const wchar_t* name);
  DWORD GetValueType(const wchar_t* name);
  DWORD GetValueSize(const wchar_t* name);
  bool DeleteValue(const wchar_t* name);

  // The value's text up to its first NUL, never past its data (the type is
  // not tested); the default when it is missing, empty or unreadable.
  std::wstring ReadStringValue(const wchar_t* name, const wchar_t* defaultText = L"");
  bool WriteString(const wchar_t* name, const wchar_t* text);
  // A REG_BINARY of at most 4 bytes as a little-endian integer, or up to 4
  // bytes of any other type; the default (or the deliverable's fixed failure
  // value) otherwise.
  int ReadInt(const wchar_t* name, int defaultValue = 0);
  bool WriteDword(const wchar_t* name, DWORD value);
  // Bytes read into the buffer; 0 on failure (also when the data is larger).
  DWORD ReadBinary(const wchar_t* name, void* buffer, DWORD size);
  bool WriteBinary(const wchar_t* name, const void* data, DWORD size);
  // Braced GUID text; on failure the default is given out when there is one.
  bool ReadGuid(const wchar_t* name, GUID* out, const GUID* defaultGuid = nullptr);
  bool WriteGuid(const wchar_t* name, const GUID& guid);

  // Name of the sub-key at `index` (then advanced); empty when there is none.
  std::wstring EnumKey(DWORD& index);
  bool EnumKey(DWORD& index, std::wstring& name);
  // Name of the next value from `index` (then advanced past it); the unnamed
  // value is skipped unless includeUnnamed is set.
  bool EnumValue(DWORD& index, std::wstring& name, bool includeUnnamed = false);

 private:
  bool Remember(LONG result);
  bool OpenOrCreate(HKEY root, const wchar_t* subKey, bool create, const wchar_t* keyClass, DWORD options,
                    REGSAM access, SECURITY_ATTRIBUTES* security, DWORD* disposition);
  std::wstring SubKeyPath(const wchar_t* name) const;
  bool ParentPath(std::wstring& parent) const;

  std::wstring path_;
  HKEY key_ = nullptr;
  HKEY root_ = nullptr;
  DWORD lastError_ = 0;
};

// Copies the values and sub-keys of source into destination (null path: the
// source's path), keeping values the destination already has. Returns the
// number of values copied.
int CopyRegistryTree(const wchar_t* sourcePath, HKEY sourceRoot, const wchar_t* destinationPath,
                     HKEY destinationRoot);
