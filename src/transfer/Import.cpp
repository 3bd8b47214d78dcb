#include "transfer/Import.h"

#include <QFile>
#include <QFileInfo>
#include <csignal>

#include "catalogue/CatalogueAppend.h"
#include "catalogue/CatalogueLock.h"
#include "catalogue/ImportJournal.h"
#include "transfer/ImportSource.h"
#include "transfer/TableColumns.h"

using namespace Qt::StringLiterals;

namespace {

constexpr char kByteOrderMark[] = "\xEF\xBB\xBF";

volatile std::sig_atomic_t g_writing = 0;
volatile std::sig_atomic_t g_interruptedBy = 0;

// Set while the import writes into the catalogue, so that a signal undoes it.
struct WritingWindow {
  WritingWindow() { g_writing = 1; }
  ~WritingWindow() { g_writing = 0; }
};

// A first line whose cells are all column names of an export (the header
// never holds commas or quotes, nor is it longer than a few hundred bytes).
bool startsWithHeader(QByteArray start) {
  const qsizetype end = start.indexOf('\n');
  if (end < 0) return false;
  start.truncate(end);
  if (start.endsWith('\r')) start.chop(1);
  for (const QByteArray& cell : start.split(','))
    if (columnField(QString::fromUtf8(cell).trimmed()) == kNoColumn) return false;
  return true;
}

// A .csv name, a byte-order mark or an export's header; anything else is
// taken for a catalogue file.
bool looksLikeCsv(const QString& path) {
  if (path.endsWith(u".csv"_s, Qt::CaseInsensitive)) return true;
  QFile file(path);
  if (!file.open(QIODevice::ReadOnly)) return false;
  const QByteArray start = file.read(4096);
  // UTF-16 is a table too, refused with a word on how to save it.
  return start.startsWith(kByteOrderMark) || start.startsWith("\xFF\xFE") || start.startsWith("\xFE\xFF") ||
         startsWithHeader(start);
}

ImportResult failedWith(const QString& message, ImportResult::Status status = ImportResult::Status::Failed) {
  ImportResult result;
  result.status = status;
  result.messages = QStringList{message};
  return result;
}

QString keptAsItWas(const QString& catalogue) {
  return u"Ο κατάλογος «%1» έμεινε όπως ήταν."_s.arg(QFileInfo(catalogue).fileName());
}

// A write that failed was undone unless its journal stayed behind.
ImportResult writeFailed(const QString& error, const QString& catalogue) {
  if (QFileInfo::exists(importjournal::pathFor(catalogue))) return failedWith(error);
  return failedWith(error + u"\n"_s + keptAsItWas(catalogue));
}

// Appends the records of a checked source under the editor's lock.
ImportResult appendInto(ImportSource& source, const QString& catalogue, ImportResult result) {
  // The same lock as the librarian's program: never append under an editor.
  CatalogueLock lock;
  switch (lock.acquire(catalogue)) {
    case CatalogueLock::Result::Acquired:
      break;
    case CatalogueLock::Result::HeldElsewhere:
      return failedWith(CatalogueLock::heldElsewhereMessage(QFileInfo(catalogue).fileName()),
                        ImportResult::Status::Refused);
    case CatalogueLock::Result::Failed:
      return failedWith(CatalogueError::of(CatalogueError::Operation::Open, catalogue, lock.lastErrno()).describe());
  }
  int error = 0;
  if (importjournal::finishInterrupted(catalogue, &error) == importjournal::Outcome::Failed)
    return failedWith(CatalogueError::of(CatalogueError::Operation::Write, catalogue, error).describe());
  CatalogueFile file;
  if (!file.open(catalogue)) return failedWith(file.lastError().describe());
  CatalogueAppend append(file);
  const WritingWindow writing;
  if (!append.begin()) return failedWith(file.lastError().describe());
  bool addFailed = false;
  const bool read = source.records(
      [&](const char* bytes) {
        if (g_interruptedBy != 0) return false;
        addFailed = !append.add(bytes);
        return !addFailed;
      },
      result);
  if (addFailed || (read && !append.commit())) return writeFailed(file.lastError().describe(), catalogue);
  if (!read) {
    append.rollback();
    if (g_interruptedBy != 0) return writeFailed(u"Η εισαγωγή διακόπηκε πριν τελειώσει."_s, catalogue);
    return result;
  }
  result.first = append.firstNumber();
  result.count = append.added();
  return result;
}

}  // namespace

void ImportResult::refuse(const QString& reason) {
  if (status != Status::Refused) {
    messages.clear();
    moreMessages = 0;
  }
  status = Status::Refused;
  add(reason);
}

void ImportResult::add(const QString& message) {
  if (messages.size() < kMostMessages)
    messages.append(message);
  else
    ++moreMessages;
}

bool interruptImport(int signal) {
  if (!g_writing) return false;
  g_interruptedBy = signal;
  return true;
}

int importInterruptedBy() { return g_interruptedBy; }

ImportResult importIntoCatalogue(const QString& input, const QString& catalogue, const ImportOptions& options,
                                 const ImportProgress& /*progress*/) {
  if (sameFile(input, catalogue))
    return failedWith(
        u"Η εισαγωγή δεν γίνεται από τον ίδιο τον κατάλογο «%1» στον εαυτό του: διαλέξτε άλλο αρχείο."_s.arg(
            QFileInfo(catalogue).fileName()),
        ImportResult::Status::Refused);
  // A folder, pipe or device is refused at once: reading a pipe would wait for ever.
  if (std::unique_ptr<FileIo> io = makeSystemFileIo(); !io->open(input, FileIo::Mode::ReadOnly))
    return failedWith(CatalogueError::of(CatalogueError::Operation::Read, input, io->lastErrno()).describe());
  std::unique_ptr<ImportSource> source = looksLikeMarc(input)  ? makeMarcSource(input, options)
                                         : looksLikeCsv(input) ? makeCsvSource(input, options)
                                                               : makeCatalogueSource(input);
  ImportResult result;
  if (!source->check(result)) return result;
  if (result.status == ImportResult::Status::Refused) return result;
  const bool existed = QFileInfo::exists(catalogue);
  result = appendInto(*source, catalogue, result);
  // The lock creates a missing catalogue: one that an import left empty goes again.
  if (!existed && result.status != ImportResult::Status::Done && QFileInfo(catalogue).size() == 0)
    QFile::remove(catalogue);
  return result;
}
