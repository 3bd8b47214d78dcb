#include "transfer/Import.h"

#include <QFile>
#include <QFileInfo>
#include <csignal>

#include "catalogue/CatalogueAppend.h"
#include "catalogue/CatalogueLock.h"
#include "catalogue/ImportJournal.h"
#include "transfer/FieldText.h"
#include "transfer/ImportRepeats.h"
#include "transfer/ImportSource.h"
#include "transfer/TableReader.h"

using namespace Qt::StringLiterals;

namespace {

volatile std::sig_atomic_t g_writing = 0;
volatile std::sig_atomic_t g_interruptedBy = 0;

// Set while the import writes into the catalogue, so that a signal undoes it.
struct WritingWindow {
  WritingWindow() { g_writing = 1; }
  ~WritingWindow() { g_writing = 0; }
};

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

// Every 1024 records the window is told how far the import has come.
constexpr qint64 kProgressEvery = 1024;

// The source of `input`: MARC, a table, or else another catalogue file;
// nullptr with `result` refused when it is a table that cannot be read.
std::unique_ptr<ImportSource> sourceFor(const QString& input, const ImportOptions& options, ImportResult& result) {
  if (looksLikeMarc(input)) return makeMarcSource(input, options);
  QString error;
  if (openTable(input, options.sheet, error)) return makeTableSource(input, options);
  if (!error.isEmpty()) {
    result.refuse(error);
    return nullptr;
  }
  return makeCatalogueSource(input);
}

// Refuses taking a catalogue into itself, and a folder, pipe or device at
// once: reading a pipe would wait for ever.
bool canReadInput(const QString& input, const QString& catalogue, ImportResult& result) {
  if (sameFile(input, catalogue)) {
    result =
        failedWith(u"Η εισαγωγή δεν γίνεται από τον ίδιο τον κατάλογο «%1» στον εαυτό του: διαλέξτε άλλο αρχείο."_s.arg(
                       QFileInfo(catalogue).fileName()),
                   ImportResult::Status::Refused);
    return false;
  }
  if (std::unique_ptr<FileIo> io = makeSystemFileIo(); !io->open(input, FileIo::Mode::ReadOnly)) {
    result = failedWith(CatalogueError::of(CatalogueError::Operation::Read, input, io->lastErrno()).describe());
    return false;
  }
  return true;
}

// The source, checked to the last record, with the book numbers it brings.
std::unique_ptr<ImportSource> checkedSource(const QString& input, const ImportOptions& options, ImportRepeats& repeats,
                                            ImportResult& result) {
  std::unique_ptr<ImportSource> source = sourceFor(input, options, result);
  if (!source) return nullptr;
  const bool read = source->checkEach(result, [&](const char* record) {
    repeats.add(record);
    return true;
  });
  if (!read || result.status != ImportResult::Status::Done) return nullptr;
  return source;
}

// Appends the records of a checked source to a catalogue open for editing,
// once no book number repeats (or repeats are allowed); a failure, a signal
// or Cancel puts the catalogue back as it was.
ImportResult appendInto(ImportSource& source, ImportRepeats& repeats, CatalogueFile& file, const ImportOptions& options,
                        const ImportProgress& progress, ImportResult result) {
  const QString catalogue = file.path();
  QStringList repeated;
  if (!repeats.find(
          file, [&](qint64 n) { return source.placeOf(n); }, repeated))
    return failedWith(file.lastError().describe());
  if (!repeated.isEmpty() && !options.allowRepeats) {
    ImportResult told;
    told.status = ImportResult::Status::Repeats;
    for (const QString& line : repeated) told.add(line);
    return told;
  }
  const qint64 total = repeats.count();
  CatalogueAppend append(file);
  const WritingWindow writing;
  if (!append.begin()) return failedWith(file.lastError().describe());
  bool addFailed = false;
  bool cancelled = false;
  qint64 done = 0;
  const bool read = source.records(
      [&](const char* bytes) {
        if (g_interruptedBy != 0) return false;
        addFailed = !append.add(bytes);
        if (addFailed) return false;
        if (progress && ++done % kProgressEvery == 0 && !progress(done, total)) cancelled = true;
        return !cancelled;
      },
      result);
  if (addFailed || (read && !append.commit())) return writeFailed(file.lastError().describe(), catalogue);
  if (!read) {
    append.rollback();
    if (g_interruptedBy != 0) return writeFailed(u"Η εισαγωγή διακόπηκε πριν τελειώσει."_s, catalogue);
    if (cancelled) return failedWith(keptAsItWas(catalogue), ImportResult::Status::Cancelled);
    return result;
  }
  if (progress) progress(total, total);
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
                                 const ImportProgress& progress) {
  ImportResult result;
  if (!canReadInput(input, catalogue, result)) return result;
  ImportRepeats repeats;
  const std::unique_ptr<ImportSource> source = checkedSource(input, options, repeats, result);
  if (!source) return result;
  // The same lock as the librarian's program: never append under an editor.
  const bool existed = QFileInfo::exists(catalogue);
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
  {
    CatalogueFile file;
    if (!file.open(catalogue)) return failedWith(file.lastError().describe());
    result = appendInto(*source, repeats, file, options, progress, result);
  }
  // The lock creates a missing catalogue: one that an import left empty goes again.
  if (!existed && result.status != ImportResult::Status::Done && QFileInfo(catalogue).size() == 0)
    QFile::remove(catalogue);
  return result;
}

ImportResult importIntoOpenCatalogue(const QString& input, CatalogueFile& catalogue, const ImportOptions& options,
                                     const ImportProgress& progress) {
  ImportResult result;
  if (!canReadInput(input, catalogue.path(), result)) return result;
  ImportRepeats repeats;
  const std::unique_ptr<ImportSource> source = checkedSource(input, options, repeats, result);
  if (!source) return result;
  return appendInto(*source, repeats, catalogue, options, progress, result);
}

QString ImportSource::placeOf(qint64 n) const { return u"εγγραφή %1"_s.arg(n); }

QString storedText(const QString& cell, int field) { return storedFieldText(cell, field); }
