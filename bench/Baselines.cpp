#include "Baselines.h"

#include <fcntl.h>
#include <unistd.h>

#include <QFile>
#include <chrono>
#include <cstring>

#include "catalogue/CatalogueRecord.h"
#include "catalogue/file/CatalogueFile.h"
#include "catalogue/search/ForgivingMatcher.h"
#include "catalogue/search/RecordScan.h"

namespace baseline {
namespace {

constexpr long long kBlock = 1 << 20;
constexpr long long kRecord = CatalogueRecord::kLength;

class Fd {
 public:
  explicit Fd(const QString& path) : m_fd(::open(QFile::encodeName(path).constData(), O_RDONLY | O_CLOEXEC)) {}
  ~Fd() {
    if (m_fd >= 0) ::close(m_fd);
  }
  Fd(const Fd&) = delete;
  Fd& operator=(const Fd&) = delete;
  int get() const { return m_fd; }

 private:
  int m_fd;
};

double since(std::chrono::steady_clock::time_point start) {
  return std::chrono::duration<double>(std::chrono::steady_clock::now() - start).count();
}

bool matches(const char* record, const QByteArray& needle, const std::vector<int>& fields) {
  for (int f : fields) {
    if (memmem(record + CatalogueRecord::kOffset[size_t(f)], size_t(CatalogueRecord::kWidth[size_t(f)]),
               needle.constData(), size_t(needle.size())))
      return true;
  }
  return false;
}

// Reads the whole of up to `length` bytes unless the file ends first.
long long readFully(int fd, char* buffer, long long length) {
  long long got = 0;
  while (got < length) {
    const ssize_t n = ::read(fd, buffer + got, size_t(length - got));
    if (n < 0) return -1;
    if (n == 0) break;
    got += n;
  }
  return got;
}

template <typename Matcher>
Result matcherScan(const QString& path, const Matcher& matcher) {
  Result result;
  const auto start = std::chrono::steady_clock::now();
  CatalogueFile file;
  if (!file.open(path, FileIo::Mode::ReadOnly)) {
    result.ok = false;
    return result;
  }
  RecordScan scan(file);
  for (qint32 n = 1;; ++n) {
    const char* record = scan.record(n);
    if (!record) break;
    result.bytes += kRecord;
    result.matches += matcher.matches(record);
  }
  result.ok = !scan.failed();
  result.seconds = since(start);
  return result;
}

}  // namespace

Result blockRead(const QString& path) {
  Result result;
  const auto start = std::chrono::steady_clock::now();
  Fd fd(path);
  std::vector<char> buffer(kBlock);
  for (;;) {
    const ssize_t n = ::read(fd.get(), buffer.data(), size_t(kBlock));
    if (n <= 0) {
      result.ok = n == 0;
      break;
    }
    result.bytes += n;
  }
  result.seconds = since(start);
  return result;
}

Result fieldMemmem(const QString& path, const QByteArray& needle, const std::vector<int>& fields) {
  Result result;
  const auto start = std::chrono::steady_clock::now();
  Fd fd(path);
  const long long blockRecords = kBlock / kRecord;
  std::vector<char> buffer(size_t(blockRecords * kRecord));
  for (;;) {
    const long long got = readFully(fd.get(), buffer.data(), blockRecords * kRecord);
    if (got <= 0) {
      result.ok = got == 0;
      break;
    }
    result.bytes += got;
    for (long long at = 0; at + kRecord <= got; at += kRecord)
      result.matches += matches(buffer.data() + at, needle, fields);
  }
  result.seconds = since(start);
  return result;
}

Result perRecordRead(const QString& path, const QByteArray& needle, const std::vector<int>& fields) {
  Result result;
  const auto start = std::chrono::steady_clock::now();
  Fd fd(path);
  char record[kRecord];
  for (long long offset = 0;; offset += kRecord) {
    const ssize_t n = ::pread(fd.get(), record, size_t(kRecord), offset);
    if (n < kRecord) {
      result.ok = n >= 0;
      break;
    }
    result.bytes += n;
    result.matches += matches(record, needle, fields);
  }
  result.seconds = since(start);
  return result;
}

Result exactScan(const QString& path, const QString& text, const std::vector<int>& fields) {
  return matcherScan(path, FieldMatcher(text, fields));
}

Result forgivingScan(const QString& path, const QString& text, const std::vector<int>& fields) {
  return matcherScan(path, ForgivingMatcher(text, fields));
}

}  // namespace baseline
