// Runs the Windows file layer and registry calls for real (under Wine in CI):
// the catalogue's byte-level rules over winfile::File, the editor's lock
// across two processes and the About box's registry read. Plain C++ and the
// system's calls, no Qt. Prints each failed check and exits 1 if any failed.
#include <windows.h>

#include <cerrno>
#include <cstdio>
#include <string>

#include "catalogue/RecordStore.h"
#include "catalogue/winfile.h"
#include "platform/winregistry.h"

namespace {

using recordstore::kRecordLength;
using Step = recordstore::WriteResult::Step;

int failures = 0;

void check(bool ok, const char* what, int line) {
  if (ok) return;
  ++failures;
  std::printf("FAILED (line %d): %s\n", line, what);
}
#define CHECK(condition) check((condition), #condition, __LINE__)

std::string record(char c) { return std::string(size_t(kRecordLength), c); }

std::string contents(const wchar_t* path) {
  winfile::File file;
  if (!file.open(path, false)) return "<unreadable>";
  std::string bytes(size_t(file.size()), '\0');
  bytes.resize(size_t(file.readAt(0, bytes.data(), (long long)bytes.size())));
  return bytes;
}

void replaceWith(const wchar_t* path, const std::string& bytes) {
  winfile::File file;
  CHECK(file.open(path, true));
  CHECK(file.truncate(0));
  CHECK(file.writeAt(0, bytes.data(), (long long)bytes.size()) == (long long)bytes.size());
}

// The n-th write (from 1) stops after `keep` bytes, or the n-th sync fails,
// with `error`: the failures the catalogue must survive.
class FaultyFile : public ByteFile {
 public:
  explicit FaultyFile(ByteFile& inner) : m_inner(inner) {}
  int failWrite = 0, failSync = 0, error = ENOSPC;
  long long keep = 0;

  void close() override { m_inner.close(); }
  bool isOpen() const override { return m_inner.isOpen(); }
  long long readAt(long long offset, char* buffer, long long length) override {
    return m_inner.readAt(offset, buffer, length);
  }
  long long writeAt(long long offset, const char* data, long long length) override {
    if (++m_writes != failWrite) return m_inner.writeAt(offset, data, length);
    m_errno = error;
    return keep > 0 ? m_inner.writeAt(offset, data, keep < length ? keep : length) : -1;
  }
  long long size() override { return m_inner.size(); }
  bool truncate(long long length) override { return m_inner.truncate(length); }
  bool sync() override {
    if (++m_syncs != failSync) return m_inner.sync();
    m_errno = error;
    return false;
  }
  int lastErrno() const override { return m_errno ? m_errno : m_inner.lastErrno(); }

 private:
  ByteFile& m_inner;
  int m_writes = 0, m_syncs = 0, m_errno = 0;
};

// A catalogue in a Greek-named folder: the paths go to the system in UTF-16.
const wchar_t* const kFolder = L"\u039a\u03b1\u03c4\u03ac\u03bb\u03bf\u03b3\u03bf\u03c2";
const wchar_t* const kCatalogue = L"\u039a\u03b1\u03c4\u03ac\u03bb\u03bf\u03b3\u03bf\u03c2\\Zelkor.dat";

void openReadAndWholeRecordWrites() {
  winfile::File readOnly;
  CHECK(!readOnly.open(kCatalogue, false));
  CHECK(readOnly.lastErrno() == ENOENT);

  winfile::File file;
  CHECK(file.open(kCatalogue, true));
  CHECK(file.size() == 0);
  CHECK(recordstore::writeRecord(file, 1, record('A').data()).ok());
  CHECK(recordstore::writeRecord(file, 2, record('B').data()).ok());
  CHECK(recordstore::writeRecord(file, 1, record('C').data()).ok());
  CHECK(contents(kCatalogue) == record('C') + record('B'));

  // A torn last record is completed with blanks before the new one.
  CHECK(file.truncate(kRecordLength + 175));
  CHECK(recordstore::writeRecord(file, 3, record('D').data()).ok());
  CHECK(contents(kCatalogue) == record('C') + record('B').substr(0, 175) + std::string(175, ' ') + record('D'));

  // Opened for reading: records read back, nothing can be written.
  CHECK(readOnly.open(kCatalogue, false));
  std::string second(size_t(kRecordLength), '\0');
  CHECK(readOnly.readAt(kRecordLength, second.data(), kRecordLength) == kRecordLength);
  CHECK(second.substr(0, 175) == std::string(175, 'B'));
  CHECK(readOnly.readAt(3 * kRecordLength, second.data(), kRecordLength) == 0);
  CHECK(readOnly.writeAt(0, "x", 1) < 0);
  CHECK(readOnly.lastErrno() == EACCES);
  CHECK(readOnly.stillAt(kCatalogue));
  CHECK(!readOnly.stillAt(L"elsewhere.dat"));
}

void theCountRule() {
  winfile::File file;
  CHECK(file.open(L"count.dat", true));
  const long long rows[][2] = {{0, 1}, {175, 1}, {350, 1}, {524, 1}, {525, 2}, {875, 2}, {876, 3}, {1050, 3}};
  for (const auto& row : rows) {
    CHECK(file.truncate(row[0]));
    CHECK(recordstore::recordCountForLength(file.size()) == row[1]);
  }
}

void failedWritesAreUndone() {
  const std::string before = record('A') + record('B');
  const struct {
    const char* name;
    int record, failWrite, failSync;
    long long keep;
    Step step;
  } cases[] = {
      {"half an old record written", 2, 1, 0, 100, Step::Write},
      {"nothing written", 1, 1, 0, 0, Step::Write},
      {"half a new record written", 3, 1, 0, 175, Step::Write},
      {"a new record that does not sync", 3, 0, 1, 0, Step::Sync},
      {"an old record that does not sync", 1, 0, 1, 0, Step::Sync},
  };
  for (const auto& c : cases) {
    replaceWith(L"undo.dat", before);
    winfile::File file;
    CHECK(file.open(L"undo.dat", true));
    FaultyFile faulty(file);
    faulty.failWrite = c.failWrite;
    faulty.failSync = c.failSync;
    faulty.keep = c.keep;
    const recordstore::WriteResult result = recordstore::writeRecord(faulty, c.record, record('X').data());
    file.close();
    if (result.step != c.step || result.error != ENOSPC || contents(L"undo.dat") != before)
      std::printf("  in case: %s\n", c.name);
    CHECK(result.step == c.step);
    CHECK(result.error == ENOSPC);
    CHECK(contents(L"undo.dat") == before);
  }
}

// Runs this program again as `driver lock PATH`; its exit status.
DWORD tryLockInAnotherProcess(const std::wstring& path) {
  wchar_t self[MAX_PATH];
  GetModuleFileNameW(nullptr, self, MAX_PATH);
  std::wstring command = L"\"" + std::wstring(self) + L"\" lock \"" + path + L"\"";
  STARTUPINFOW startup{};
  startup.cb = sizeof startup;
  PROCESS_INFORMATION process{};
  if (!CreateProcessW(nullptr, command.data(), nullptr, nullptr, FALSE, 0, nullptr, nullptr, &startup, &process))
    return 99;
  WaitForSingleObject(process.hProcess, INFINITE);
  DWORD status = 99;
  GetExitCodeProcess(process.hProcess, &status);
  CloseHandle(process.hProcess);
  CloseHandle(process.hThread);
  return status;
}

// 0 when the lock was taken, 2 when another editor holds it, 1 otherwise.
int lockChild(const wchar_t* path) {
  int error = 0;
  const winfile::Handle h = winfile::openLocked(path, error);
  if (h != winfile::invalidHandle()) {
    winfile::close(h);
    return 0;
  }
  return error == EAGAIN ? 2 : 1;
}

void theEditorsLock() {
  int error = 0;
  const winfile::Handle held = winfile::openLocked(kCatalogue, error);
  CHECK(held != winfile::invalidHandle());
  CHECK(tryLockInAnotherProcess(kCatalogue) == 2);
  // Readers and their writes below the lock are never blocked.
  winfile::File reader;
  CHECK(reader.open(kCatalogue, false));
  std::string first(size_t(kRecordLength), '\0');
  CHECK(reader.readAt(0, first.data(), kRecordLength) == kRecordLength);
  CHECK(first == record('C'));
  winfile::close(held);
  CHECK(tryLockInAnotherProcess(kCatalogue) == 0);
}

void theRegistryIsReadWithReadAccess() {
  const char* const key = "SOFTWARE\\Microsoft\\Shared Tools\\MSINFO";
  HKEY created = nullptr;
  CHECK(RegCreateKeyExA(HKEY_LOCAL_MACHINE, key, 0, nullptr, 0, KEY_WRITE, nullptr, &created, nullptr) == 0);
  const char path[] = "C:\\Program Files\\MSINFO32.EXE";
  const DWORD number = 0x01020300;
  RegSetValueExA(created, "PATH", 0, REG_SZ, reinterpret_cast<const BYTE*>(path), sizeof path);
  RegSetValueExA(created, "Number", 0, REG_DWORD, reinterpret_cast<const BYTE*>(&number), sizeof number);
  RegCloseKey(created);

  std::uintptr_t opened = 0;
  CHECK(winregistry::openKey(0x80000002u, key, winregistry::kReadAccess, &opened) == 0);
  char buffer[1024] = {};
  std::uint32_t type = 0, size = sizeof buffer;
  CHECK(winregistry::queryValue(opened, "PATH", &type, buffer, &size) == 0);
  CHECK(type == REG_SZ && size == sizeof path && std::string(buffer) == path);
  size = sizeof buffer;
  CHECK(winregistry::queryValue(opened, "Number", &type, buffer, &size) == 0);
  CHECK(type == REG_DWORD && size == 4 && buffer[1] == 3 && buffer[3] == 1);
  size = sizeof buffer;
  CHECK(winregistry::queryValue(opened, "Missing", &type, buffer, &size) == ERROR_FILE_NOT_FOUND);
  CHECK(winregistry::closeKey(opened) == 0);

  std::uintptr_t missing = 77;
  CHECK(winregistry::openKey(0x80000002u, "SOFTWARE\\No Such Key", winregistry::kReadAccess, &missing) ==
        ERROR_FILE_NOT_FOUND);
  CHECK(missing == 0);
}

}  // namespace

int wmain(int argc, wchar_t** argv) {
  if (argc == 3 && std::wstring(argv[1]) == L"lock") return lockChild(argv[2]);
  CreateDirectoryW(kFolder, nullptr);
  openReadAndWholeRecordWrites();
  theCountRule();
  failedWritesAreUndone();
  theEditorsLock();
  theRegistryIsReadWithReadAccess();
  std::printf(failures ? "windows driver: %d checks failed\n" : "windows driver: passed\n", failures);
  return failures ? 1 : 0;
}
