#pragma once
#include <windows.h>

#include <cstdint>
#include <string>
#include <vector>

#include "NorvaKernel.h"
#include "browserproxy/dictionary/EntryDsc.h"
#include "platform/com/ComPtr.h"

// The word popup's translation record: keeps the kernel's word dictionary
// object in step with the browser's direction, looks a word up and copies
// what the kernel knows of it into dictionary entries. Apartment thread only.
class CTranslations {
 public:
  // Answer of the kernel when the word's information cannot be read.
  static constexpr HRESULT kInaccessible = static_cast<HRESULT>(0x800F000B);
  static constexpr HRESULT kVariantsReset = static_cast<HRESULT>(0x800F001F);
  // Counts above this are a broken answer, not a dictionary entry.
  static constexpr long kMaxCount = 4096;

  CTranslations() = default;
  virtual ~CTranslations();
  CTranslations(const CTranslations&) = delete;
  CTranslations& operator=(const CTranslations&) = delete;

  // Binds the word object; the entries vector (owned by the caller) receives
  // every look-up. 0, or E_FAIL.
  HRESULT Attach(IUnknown* wordObject, std::vector<CEntryDsc>* entries, bool kernelCheck);
  bool Ready() const { return ready_ != 0; }
  // (target << 16) | source of the word object; -1 on an error.
  long GetDirection();
  // 1 when the direction is in the collection and now current, else 0.
  int SetDirection(long direction);
  // Name of the current direction; empty when unknown (or refused by the kernel).
  std::wstring GetDirectionName();
  // 0 when the entries hold the word's entries; otherwise the kernel's
  // failure, kInaccessible, or 1.
  HRESULT Lookup(const std::wstring& word);

  // The characters trimmed from both ends of a word before the look-up.
  static std::wstring TrimWord(const std::wstring& word);

 private:
  HRESULT BuildEntries();
  void FillEntry(long index, CEntryDsc& entry);
  void FillRow(long entry, long row, CIPsp& target);
  void FillTranslation(long entry, long row, long translation, CEntryRecord& target);
  bool ReadVariants();
  void ResetVariants();
  void SelectFirstDirection();
  long DirectionCount();
  long DirectionId(long index);
  std::wstring DirectionName(long index);
  long IndexOfDirection(long direction);
  bool KernelAccepts(long direction);
  static long CheckedCount(long count, const wchar_t* what);

  platform::ComPtr<INrvaWord> word_;
  platform::ComPtr<INrvaDictionaryManager> manager_;
  platform::ComPtr<INrvaWordDirections> directions_;
  platform::ComPtr<IDispatch> directionsByName_;
  std::vector<CEntryDsc>* entries_ = nullptr;
  int ready_ = 0;
  bool kernelCheck_ = true;
  std::wstring variantText1_;
  std::wstring variantText2_;
  std::vector<std::wstring> dictionaryNames_;
  platform::ComPtr<IUnknown> valueSource_;
};
