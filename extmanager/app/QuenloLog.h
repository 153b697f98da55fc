#pragma once
#include <cstdarg>
#include <string>

// The diagnostic log "quenlo.log": UTF-16 records, written only when the
// program was started with "-l". Never fails visibly.
class QuenloLog {
 public:
  static QuenloLog& Instance();

  // LocalLow application data on Windows 6 and later, else roaming
  // application data, else "c:\"; empty when the folder cannot be had.
  void ComputeLogPath();
  void SetPath(std::wstring path) { path_ = std::move(path); }
  const std::wstring& Path() const { return path_; }
  void SetEnabled(bool enabled) { enabled_ = enabled; }
  bool Enabled() const { return enabled_; }
  // Empties the file (a new file with its byte-order mark).
  void Reset();

  // One record: "dd/mm/yyyy hh:mm:ss " + "\r\n<module>(<line>):\r\n" + message + "\r\n".
  // The module name loses a leading ".\". A bad format writes nothing.
  void Log(const char* module, int line, const wchar_t* format, ...);
  void LogV(const char* module, int line, const wchar_t* format, va_list arguments);
  void WriteLine(const std::wstring& text);

 private:
  void WriteRecord(const std::wstring& record);

  std::wstring path_;
  bool enabled_ = true;
};

// A unit that writes records names itself once, as its records show it
// (`constexpr char kLogUnit[] = "MsnSW.cpp";`): a record tells which unit
// wrote it, never the folders the program was built in.
#define QUENLO_LOG(...) QuenloLog::Instance().Log(kLogUnit, __LINE__, __VA_ARGS__)
