#include "catalogue/file/ImportJournal.h"

#include <QFile>
#include <QFileInfo>
#include <cerrno>

#include "catalogue/file/FileIo.h"

#ifdef Q_OS_UNIX
#include <unistd.h>
#endif

using namespace Qt::StringLiterals;

namespace importjournal {

namespace {

constexpr char kFirstLine[] = "Lomira import journal 1\n";
constexpr char kLastLine[] = "end\n";
constexpr qint64 kMostBytes = 4096;

QByteArray encode(const Entry& entry) {
  QByteArray bytes(kFirstLine);
  bytes += "length " + QByteArray::number(entry.oldLength) + '\n';
  bytes +=
      "tail " + QByteArray::number(entry.tailOffset) + ' ' + QByteArray::number(qsizetype(entry.tail.size())) + '\n';
  bytes.append(entry.tail.data(), qsizetype(entry.tail.size()));
  bytes += kLastLine;
  return bytes;
}

// The number after `word ` on the line starting at `at`, which moves past the line.
std::optional<qint64> number(const QByteArray& bytes, qsizetype& at, const QByteArray& word) {
  const qsizetype end = bytes.indexOf('\n', at);
  if (end < 0 || !bytes.mid(at).startsWith(word + ' ')) return std::nullopt;
  bool ok = false;
  const qint64 value = bytes.mid(at + word.size() + 1, end - at - word.size() - 1).toLongLong(&ok);
  at = end + 1;
  if (!ok || value < 0) return std::nullopt;
  return value;
}

std::optional<Entry> decode(const QByteArray& bytes) {
  if (!bytes.startsWith(kFirstLine) || !bytes.endsWith(kLastLine)) return std::nullopt;
  qsizetype at = qsizetype(sizeof kFirstLine - 1);
  const std::optional<qint64> length = number(bytes, at, "length");
  if (!length) return std::nullopt;
  const qsizetype end = bytes.indexOf('\n', at);
  if (end < 0 || !bytes.mid(at).startsWith("tail ")) return std::nullopt;
  const QList<QByteArray> parts = bytes.mid(at + 5, end - at - 5).split(' ');
  bool offsetOk = false, countOk = false;
  const qint64 offset = parts.value(0).toLongLong(&offsetOk);
  const qint64 count = parts.value(1).toLongLong(&countOk);
  at = end + 1;
  if (parts.size() != 2 || !offsetOk || !countOk || offset < 0 || count < 0 || offset + count != *length ||
      at + count + qsizetype(sizeof kLastLine - 1) != bytes.size())
    return std::nullopt;
  Entry entry;
  entry.oldLength = *length;
  entry.tailOffset = offset;
  entry.tail.assign(bytes.constData() + at, bytes.constData() + at + count);
  return entry;
}

// A journal planted by another user of a shared folder must not cut the
// catalogue: only an ordinary file of ours, of a journal's size, is read.
bool trusted(const QFileInfo& journal, const QFileInfo& catalogue) {
  if (journal.isSymLink() || !journal.isFile() || journal.size() > kMostBytes) return false;
#ifdef Q_OS_UNIX
  return journal.ownerId() == catalogue.ownerId() || journal.ownerId() == ::geteuid();
#else
  Q_UNUSED(catalogue);
  return true;
#endif
}

}  // namespace

QString pathFor(const QString& catalogue) { return catalogue + u".journal"_s; }

bool write(const QString& catalogue, const Entry& entry, int* error) {
  const QString path = pathFor(catalogue);
  const QByteArray bytes = encode(entry);
  std::unique_ptr<FileIo> io = makeSystemFileIo();
  if (!io->open(path, FileIo::Mode::CreateNew)) {
    *error = io->lastErrno();
    return false;
  }
  if (io->writeAt(0, bytes.constData(), bytes.size()) != bytes.size() || !io->sync()) {
    *error = io->lastErrno() != 0 ? io->lastErrno() : ENOSPC;
    io->close();
    QFile::remove(path);
    return false;
  }
  io->close();
  syncFolderOf(path);
  return true;
}

bool remove(const QString& catalogue) {
  const QString path = pathFor(catalogue);
  if (!QFile::remove(path)) return !QFileInfo::exists(path) && !QFileInfo(path).isSymLink();
  syncFolderOf(path);
  return true;
}

std::optional<Entry> pending(const QString& catalogue) {
  const QFileInfo info(pathFor(catalogue));
  const QFileInfo catalogueInfo(catalogue);
  if (!trusted(info, catalogueInfo)) return std::nullopt;
  QFile file(info.filePath());
  if (!file.open(QIODevice::ReadOnly)) return std::nullopt;
  std::optional<Entry> entry = decode(file.read(kMostBytes));
  if (entry && entry->oldLength > catalogueInfo.size()) return std::nullopt;
  return entry;
}

bool restore(FileIo& io, const Entry& entry) {
  const qint64 tail = qint64(entry.tail.size());
  return (tail == 0 || io.writeAt(entry.tailOffset, entry.tail.data(), tail) == tail) && io.truncate(entry.oldLength) &&
         io.sync();
}

Outcome finishInterrupted(const QString& catalogue, int* error) {
  const std::optional<Entry> entry = pending(catalogue);
  if (!entry) {
    // A journal that is not whole was being written: nothing was appended yet.
    if (trusted(QFileInfo(pathFor(catalogue)), QFileInfo(catalogue))) remove(catalogue);
    return Outcome::Nothing;
  }
  std::unique_ptr<FileIo> io = makeSystemFileIo();
  if (!io->open(catalogue, FileIo::Mode::ReadWrite) || !restore(*io, *entry)) {
    *error = io->lastErrno() != 0 ? io->lastErrno() : ENOSPC;
    return Outcome::Failed;
  }
  io->close();
  if (!remove(catalogue)) {
    *error = EACCES;
    return Outcome::Failed;
  }
  return Outcome::Undone;
}

QString undoneNotice(const QString& fileName) {
  return u"Μια εισαγωγή στον κατάλογο «%1» δεν είχε τελειώσει (διακόπηκε ή έπεσε το ρεύμα)· ό,τι είχε "
         "προσθέσει αναιρέθηκε και ο κατάλογος είναι όπως ήταν πριν από αυτήν."_s.arg(fileName);
}

}  // namespace importjournal
