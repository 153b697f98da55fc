#include "ServerProcess.h"

#include <objbase.h>
#include <tlhelp32.h>

#include <cstdint>
#include <mutex>
#include <utility>

namespace testsupport {

namespace {

struct Snapshot {
  explicit Snapshot(DWORD what) : handle(CreateToolhelp32Snapshot(what, 0)) {}
  ~Snapshot() {
    if (handle != INVALID_HANDLE_VALUE) CloseHandle(handle);
  }
  Snapshot(const Snapshot&) = delete;
  Snapshot& operator=(const Snapshot&) = delete;
  HANDLE handle;
};

struct StreamOwner {
  IStream* stream = nullptr;
  ~StreamOwner() {
    if (stream) stream->Release();
  }
};

// The head of a standard marshalled reference (OBJREF with STDOBJREF), as
// the DCOM wire format lays it out.
#pragma pack(push, 1)
struct StandardObjRef {
  uint32_t signature;  // "MEOW"
  uint32_t flags;      // OBJREF_STANDARD
  GUID iid;
  uint32_t stdFlags;
  uint32_t publicRefs;
  uint64_t oxid;
  uint64_t oid;
  GUID ipid;
};
#pragma pack(pop)

// Servers whose parent the test killed, held so that their ids stay theirs.
std::mutex g_orphansMutex;
std::vector<ServerProcess>& Orphans() {
  static std::vector<ServerProcess> orphans;
  return orphans;
}

constexpr uint32_t kObjRefSignature = 0x574f454d;
constexpr uint32_t kObjRefStandard = 1;

}  // namespace

DWORD ServingProcessId(IUnknown* object, REFIID iid) {
  if (!object) return 0;
  StreamOwner owner;
  if (FAILED(CreateStreamOnHGlobal(nullptr, TRUE, &owner.stream))) return 0;
  if (FAILED(CoMarshalInterface(owner.stream, iid, object, MSHCTX_LOCAL, nullptr, MSHLFLAGS_TABLEWEAK)))
    return 0;
  StandardObjRef ref = {};
  ULONG read = 0;
  const LARGE_INTEGER start = {};
  owner.stream->Seek(start, STREAM_SEEK_SET, nullptr);
  const bool whole = SUCCEEDED(owner.stream->Read(&ref, sizeof(ref), &read)) && read == sizeof(ref);
  owner.stream->Seek(start, STREAM_SEEK_SET, nullptr);
  CoReleaseMarshalData(owner.stream);
  if (!whole || ref.signature != kObjRefSignature || ref.flags != kObjRefStandard) return 0;
  const DWORD id = ref.ipid.Data3;
  // An object of this process marshals with its own id: not a server's.
  return id == (GetCurrentProcessId() & 0xFFFF) ? 0 : id;
}

ULONGLONG ProcessCreationTime(HANDLE process) {
  FILETIME created = {}, exited = {}, kernel = {}, user = {};
  if (!process || !GetProcessTimes(process, &created, &exited, &kernel, &user)) return 0;
  return (static_cast<ULONGLONG>(created.dwHighDateTime) << 32) | created.dwLowDateTime;
}

std::vector<DWORD> ProcessesStartedBy(DWORD parentId) {
  ServerProcess parent(parentId);
  const ULONGLONG created = ProcessCreationTime(parent.Handle());
  if (!created) return {};
  return ProcessesStartedBy(parentId, created);
}

std::vector<DWORD> ProcessesStartedBy(DWORD parentId, ULONGLONG parentCreated) {
  std::vector<DWORD> ids;
  if (!parentCreated) return ids;
  Snapshot snapshot(TH32CS_SNAPPROCESS);
  if (snapshot.handle == INVALID_HANDLE_VALUE) return ids;
  PROCESSENTRY32W entry = {sizeof(entry)};
  for (BOOL ok = Process32FirstW(snapshot.handle, &entry); ok; ok = Process32NextW(snapshot.handle, &entry)) {
    if (entry.th32ParentProcessID != parentId || entry.th32ProcessID == parentId) continue;
    // A child is younger than its parent; an older process had a parent
    // that held the id before.
    ServerProcess child(entry.th32ProcessID);
    if (ProcessCreationTime(child.Handle()) > parentCreated) ids.push_back(entry.th32ProcessID);
  }
  return ids;
}

ServerProcess::ServerProcess(DWORD id)
    : handle_(id ? OpenProcess(PROCESS_TERMINATE | SYNCHRONIZE | PROCESS_QUERY_LIMITED_INFORMATION, FALSE, id)
                 : nullptr),
      id_(handle_ ? id : 0) {}

ServerProcess::~ServerProcess() {
  if (handle_) CloseHandle(handle_);
}

ServerProcess::ServerProcess(ServerProcess&& other) noexcept
    : handle_(std::exchange(other.handle_, nullptr)), id_(std::exchange(other.id_, 0)) {}

ServerProcess& ServerProcess::operator=(ServerProcess&& other) noexcept {
  if (this != &other) {
    if (handle_) CloseHandle(handle_);
    handle_ = std::exchange(other.handle_, nullptr);
    id_ = std::exchange(other.id_, 0);
  }
  return *this;
}

bool ServerProcess::Running() const { return handle_ && WaitForSingleObject(handle_, 0) == WAIT_TIMEOUT; }

bool ServerProcess::WaitForEnd(DWORD timeoutMs) const {
  return !handle_ || WaitForSingleObject(handle_, timeoutMs) == WAIT_OBJECT_0;
}

void ServerProcess::PostQuitToThreads() const {
  Snapshot snapshot(TH32CS_SNAPTHREAD);
  if (snapshot.handle == INVALID_HANDLE_VALUE) return;
  THREADENTRY32 entry = {sizeof(entry)};
  for (BOOL ok = Thread32First(snapshot.handle, &entry); ok; ok = Thread32Next(snapshot.handle, &entry)) {
    if (entry.th32OwnerProcessID == id_) PostThreadMessageW(entry.th32ThreadID, WM_QUIT, 0, 0);
  }
}

void ServerProcess::End(DWORD waitMs) {
  if (!Running()) return;
  PostQuitToThreads();
  if (!WaitForEnd(waitMs)) TerminateProcess(handle_, 1);
  WaitForEnd(10000);
}

void ServerProcess::KillAfterLoopEnd(DWORD pauseMs) {
  if (!Running()) return;
  {
    std::lock_guard<std::mutex> lock(g_orphansMutex);
    for (DWORD child : ProcessesStartedBy(id_)) Orphans().emplace_back(child);
  }
  PostQuitToThreads();
  Sleep(pauseMs);
  TerminateProcess(handle_, 1);
  WaitForEnd(10000);
}

void EndServerAndItsServers(DWORD id, DWORD waitMs) {
  ServerProcess server(id);
  if (!server) return;
  // Its servers are known before it ends; held, their ids stay theirs.
  std::vector<ServerProcess> started;
  for (DWORD child : ProcessesStartedBy(id)) started.emplace_back(child);
  server.End(waitMs);
  for (auto& child : started) EndServerAndItsServers(child.Id(), waitMs);
}

void EndServersOfThisProcess(DWORD waitMs) {
  for (DWORD id : ProcessesStartedBy(GetCurrentProcessId())) EndServerAndItsServers(id, waitMs);
  std::vector<ServerProcess> orphans;
  {
    std::lock_guard<std::mutex> lock(g_orphansMutex);
    orphans.swap(Orphans());
  }
  for (auto& orphan : orphans)
    if (orphan.Running()) EndServerAndItsServers(orphan.Id(), waitMs);
}

std::vector<DWORD> OrphanedServers() {
  std::lock_guard<std::mutex> lock(g_orphansMutex);
  std::vector<DWORD> ids;
  for (const auto& orphan : Orphans())
    if (orphan.Running()) ids.push_back(orphan.Id());
  return ids;
}

}  // namespace testsupport
