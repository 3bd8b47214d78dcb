// Runs the Windows file layer and registry calls for real (under Wine in CI):
// the record rules over winfile::File, the editor's lock across two processes
// and the About box's registry read. Plain C++ and the system's calls, no Qt.
// Prints each failed check and exits 1 if any failed.
#include <windows.h>

#include <cerrno>
#include <cstdio>
#include <string>

#include "catalogue/RecordStore.h"
#include "catalogue/file/winfile.h"
#include "platform/system/winregistry.h"

namespace {

using recordstore::kRecordLength;
using recordstore::writeRecord;
using Step = recordstore::WriteResult::Step;

int failures = 0;
#define CHECK(condition) \
  if (!(condition)) ++failures, std::printf("FAILED (line %d): %s\n", __LINE__, #condition)

std::string record(char c) { return std::string(size_t(kRecordLength), c); }

std::string contents(const wchar_t* path) {
  winfile::File file;
  std::string bytes(4 * size_t(kRecordLength), '\0');
  bytes.resize(file.open(path, false) ? size_t(file.readAt(0, bytes.data(), (long long)bytes.size())) : 0);
  return bytes;
}

// The catalogue file whose n-th write stops after `keep` bytes, or whose n-th
// sync fails, with a full disk.
class FaultyFile : public winfile::File {
 public:
  int failWrite = 0, failSync = 0;
  long long keep = 0;

  long long writeAt(long long offset, const char* data, long long length) override {
    if (++m_writes != failWrite) return File::writeAt(offset, data, length);
    m_full = true;
    return keep > 0 ? File::writeAt(offset, data, keep) : -1;
  }
  bool sync() override { return ++m_syncs == failSync ? !(m_full = true) : File::sync(); }
  int lastErrno() const override { return m_full ? ENOSPC : File::lastErrno(); }

 private:
  int m_writes = 0, m_syncs = 0;
  bool m_full = false;
};

// In a Greek-named folder: the paths go to the system in UTF-16.
const wchar_t* const kFolder = L"\u039a\u03b1\u03c4\u03ac\u03bb\u03bf\u03b3\u03bf\u03c2";
const std::wstring kCatalogue = std::wstring(kFolder) + L"\\Zelkor.dat";

void openReadWriteAndTheCountRule() {
  winfile::File file, reader;
  CHECK(!reader.open(kCatalogue.c_str(), false) && reader.lastErrno() == ENOENT);
  CHECK(file.open(kCatalogue.c_str(), true) && file.size() == 0);
  CHECK(writeRecord(file, 1, record('A').data()).ok());
  CHECK(writeRecord(file, 2, record('B').data()).ok());
  CHECK(writeRecord(file, 1, record('C').data()).ok());
  CHECK(contents(kCatalogue.c_str()) == record('C') + record('B'));
  // A torn last record is completed with blanks before the new one.
  CHECK(file.truncate(kRecordLength + 175));
  CHECK(writeRecord(file, 3, record('D').data()).ok());
  CHECK(contents(kCatalogue.c_str()) == record('C') + std::string(175, 'B') + std::string(175, ' ') + record('D'));

  // Opened for reading: records read, nothing written.
  CHECK(reader.open(kCatalogue.c_str(), false) && reader.stillAt(kCatalogue.c_str()));
  char byte = 0;
  CHECK(reader.readAt(3 * kRecordLength - 1, &byte, 1) == 1 && byte == 'D');
  CHECK(reader.readAt(3 * kRecordLength, &byte, 1) == 0);
  CHECK(reader.writeAt(0, "x", 1) < 0 && reader.lastErrno() == EACCES);
  CHECK(!reader.stillAt(L"elsewhere.dat"));

  CHECK(file.open(L"count.dat", true));
  for (const auto& [length, count] : {std::pair{0, 1}, {175, 1}, {524, 1}, {525, 2}, {875, 2}, {876, 3}}) {
    CHECK(file.truncate(length));
    CHECK(recordstore::recordCountForLength(file.size()) == count);
  }
}

void failedWritesAreUndone() {
  const std::string before = record('A') + record('B');
  const struct {
    int record, failWrite, failSync;
    long long keep;
    Step step;
  } cases[] = {{2, 1, 0, 100, Step::Write},
               {1, 1, 0, 0, Step::Write},
               {3, 1, 0, 175, Step::Write},
               {3, 0, 1, 0, Step::Sync},
               {1, 0, 1, 0, Step::Sync}};
  for (const auto& c : cases) {
    FaultyFile file;
    CHECK(file.open(L"undo.dat", true) && file.truncate(0));
    CHECK(file.File::writeAt(0, before.data(), 2 * kRecordLength) == 2 * kRecordLength);
    file.failWrite = c.failWrite, file.failSync = c.failSync, file.keep = c.keep;
    const recordstore::WriteResult result = writeRecord(file, c.record, record('X').data());
    CHECK(result.step == c.step && result.error == ENOSPC);
    CHECK(contents(L"undo.dat") == before);
  }
}

void replacingAnExistingFile() {
  const std::wstring target = std::wstring(kFolder) + L"\\export.csv";
  const std::wstring part = target + L".part";
  winfile::File file;
  CHECK(file.open(target.c_str(), true) && file.writeAt(0, "old", 3) == 3);
  file.close();
  CHECK(file.open(part.c_str(), true) && file.writeAt(0, "new", 3) == 3);
  file.close();
  int error = 0;
  CHECK(winfile::replaceFile(part.c_str(), target.c_str(), error));
  CHECK(contents(target.c_str()) == "new" && contents(part.c_str()).empty());
  CHECK(!winfile::replaceFile(part.c_str(), target.c_str(), error) && error == ENOENT);
  CHECK(contents(target.c_str()) == "new");

  CHECK(winfile::makeFolder(kFolder, error));
  CHECK(!winfile::makeFolder(target.c_str(), error) && error == ENOTDIR);

  // A working file is always new: an existing name is refused, never written through.
  CHECK(!file.createNew(target.c_str()) && file.lastErrno() == EEXIST);
  CHECK(contents(target.c_str()) == "new");
  CHECK(file.createNew(part.c_str()) && file.writeAt(0, "part", 4) == 4);
  file.close();
  CHECK(contents(part.c_str()) == "part");

  // The catalogue is told from an output or an input by the file's identity:
  // another name of the same file (a hard link) is the same file.
  const std::wstring link = std::wstring(kFolder) + L"\\same.csv";
  CHECK(CreateHardLinkW(link.c_str(), target.c_str(), nullptr));
  CHECK(file.open(target.c_str(), false));
  CHECK(file.stillAt(link.c_str()) && !file.stillAt(part.c_str()));
  file.close();
}

// Runs this program again as `driver lock PATH`: 0 when it took the lock,
// 2 when another editor holds it.
DWORD lockInAnotherProcess() {
  wchar_t self[MAX_PATH];
  GetModuleFileNameW(nullptr, self, MAX_PATH);
  std::wstring command = L"\"" + std::wstring(self) + L"\" lock \"" + kCatalogue + L"\"";
  STARTUPINFOW startup{};
  startup.cb = sizeof startup;
  PROCESS_INFORMATION child{};
  DWORD status = 99;
  if (!CreateProcessW(nullptr, command.data(), nullptr, nullptr, FALSE, 0, nullptr, nullptr, &startup, &child))
    return status;
  WaitForSingleObject(child.hProcess, INFINITE);
  GetExitCodeProcess(child.hProcess, &status);
  CloseHandle(child.hProcess);
  CloseHandle(child.hThread);
  return status;
}

int lockChild(const wchar_t* path) {
  int error = 0;
  const winfile::Handle h = winfile::openLocked(path, error);
  winfile::close(h);
  return h != winfile::invalidHandle() ? 0 : error == EAGAIN ? 2 : 1;
}

void theEditorsLock() {
  int error = 0;
  const winfile::Handle held = winfile::openLocked(kCatalogue.c_str(), error);
  CHECK(held != winfile::invalidHandle());
  CHECK(lockInAnotherProcess() == 2);
  // Readers are never blocked.
  CHECK(contents(kCatalogue.c_str()).substr(0, 3) == "CCC");
  winfile::close(held);
  CHECK(lockInAnotherProcess() == 0);
}

void theRegistryIsReadWithReadAccess() {
  const char* const key = "SOFTWARE\\Microsoft\\Shared Tools\\MSINFO";
  const char path[] = "C:\\Program Files\\MSINFO32.EXE";
  HKEY created = nullptr;
  CHECK(RegCreateKeyExA(HKEY_LOCAL_MACHINE, key, 0, nullptr, 0, KEY_WRITE, nullptr, &created, nullptr) == 0);
  RegSetValueExA(created, "PATH", 0, REG_SZ, reinterpret_cast<const BYTE*>(path), sizeof path);
  RegCloseKey(created);

  std::uintptr_t opened = 0;
  CHECK(winregistry::openKey(0x80000002u, key, winregistry::kReadAccess, &opened) == 0);
  char buffer[1024] = {};
  std::uint32_t type = 0, size = sizeof buffer;
  CHECK(winregistry::queryValue(opened, "PATH", &type, buffer, &size) == 0);
  CHECK(type == REG_SZ && size == sizeof path && std::string(buffer) == path);
  CHECK(winregistry::closeKey(opened) == 0);
  CHECK(winregistry::openKey(0x80000002u, "SOFTWARE\\None", winregistry::kReadAccess, &opened) == 2 && opened == 0);
}

}  // namespace

int wmain(int argc, wchar_t** argv) {
  if (argc == 3 && std::wstring(argv[1]) == L"lock") return lockChild(argv[2]);
  CreateDirectoryW(kFolder, nullptr);
  openReadWriteAndTheCountRule();
  failedWritesAreUndone();
  replacingAnExistingFile();
  theEditorsLock();
  theRegistryIsReadWithReadAccess();
  std::printf(failures ? "windows driver: %d checks failed\n" : "windows driver: passed\n", failures);
  return failures ? 1 : 0;
}
