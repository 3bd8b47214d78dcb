#include "transfer/import/Import.h"

#include <QFile>
#include <QFileInfo>
#include <csignal>

#include "catalogue/file/CatalogueAppend.h"
#include "catalogue/file/CatalogueLock.h"
#include "catalogue/file/ImportJournal.h"
#include "transfer/ReadingStop.h"
#include "transfer/import/CatalogueSource.h"
#include "transfer/import/FieldText.h"
#include "transfer/import/ImportRepeats.h"
#include "transfer/import/ImportSource.h"
#include "transfer/import/MarcSource.h"
#include "transfer/import/TableSource.h"
#include "transfer/table/TableReader.h"

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
  result.failure = message;
  return result;
}

// After an unfinished import was undone, "as it was" would hide that the catalogue changed.
QString keptAsItWas(const QString& catalogue, bool undidUnfinished) {
  const QString name = QFileInfo(catalogue).fileName();
  if (undidUnfinished)
    return u"Ο κατάλογος «%1» είναι όπως ήταν πριν από την εισαγωγή που δεν είχε τελειώσει."_s.arg(name);
  return u"Ο κατάλογος «%1» έμεινε όπως ήταν."_s.arg(name);
}

// A write that failed was undone unless its journal stayed behind.
ImportResult writeFailed(const QString& error, const QString& catalogue, const QString& asItWas) {
  if (QFileInfo::exists(importjournal::pathFor(catalogue))) return failedWith(error);
  return failedWith(error + u"\n"_s + asItWas);
}

// Every 1024 records the window is told how far the import has come.
constexpr qint64 kProgressEvery = 1024;

// The source of `input`, told from one opening of the file; nullptr with
// `result` refused when it is the catalogue itself or a table that cannot be
// read, or failed when it does not open (a folder, pipe or device at once:
// reading a pipe would wait for ever), or cancelled when the reading was
// stopped while its kind was being told.
std::unique_ptr<ImportSource> sourceFor(const QString& input, const QString& catalogue, const ImportOptions& options,
                                        ImportResult& result) {
  ImportInput identified = identifyInput(input, options);
  if (identified.kind == ImportInput::Kind::Unopened) {
    result = failedWith(identified.error);
    return nullptr;
  }
  if (identified.file->isFileAt(catalogue)) {
    result.refuse(u"Η εισαγωγή δεν γίνεται από τον ίδιο τον κατάλογο «%1» στον εαυτό του: διαλέξτε άλλο αρχείο."_s.arg(
        QFileInfo(catalogue).fileName()));
    return nullptr;
  }
  switch (identified.kind) {
    case ImportInput::Kind::Marc:
      return makeMarcSource(std::move(identified.file), input, identified.marc, options);
    case ImportInput::Kind::Table:
      return makeTableSource(std::move(identified.file), input, options, std::move(identified.table));
    case ImportInput::Kind::Catalogue:
      return makeCatalogueSource(input);
    case ImportInput::Kind::Unreadable:
    case ImportInput::Kind::Unopened:
      break;
  }
  if (readingStopped())
    result = failedWith(keptAsItWas(catalogue, false), ImportResult::Status::Cancelled);
  else
    result.refuse(identified.error);
  return nullptr;
}

// Reads the source once, checking each record and appending it to a
// catalogue open for editing while nothing was refused, then keeps the
// records only when everything passed and no book number repeats (or
// repeats are allowed). A refusal, repeats, a failure, a signal or Cancel
// put the catalogue back as it was, through the append's rollback and its
// journal; `asItWas` says so.
ImportResult appendInto(ImportSource& source, CatalogueFile& file, const ImportOptions& options,
                        const ImportProgress& progress, const QString& asItWas) {
  const QString catalogue = file.path();
  ImportRepeats repeats;
  // Repeats allowed, the catalogue's own book numbers are not needed.
  if (!options.allowRepeats && !repeats.readCatalogue(file)) return failedWith(file.lastError().describe());
  CatalogueAppend append(file);
  const WritingWindow writing;
  if (!append.begin()) return failedWith(file.lastError().describe());
  ImportResult result;
  bool addFailed = false;
  bool cancelled = false;
  const bool read = source.read(result, [&](const char* bytes) {
    if (g_interruptedBy != 0) return false;
    repeats.add(bytes);
    if (result.status != ImportResult::Status::Done) return true;
    addFailed = !append.add(bytes);
    if (addFailed) return false;
    if (progress && repeats.count() % kProgressEvery == 0 && !progress(repeats.count(), 0)) cancelled = true;
    return !cancelled;
  });
  cancelled = cancelled || readingStopped();
  if (addFailed) return writeFailed(file.lastError().describe(), catalogue, asItWas);
  if (!read || result.status != ImportResult::Status::Done || cancelled) {
    append.rollback();
    if (g_interruptedBy != 0) return writeFailed(u"Η εισαγωγή διακόπηκε πριν τελειώσει."_s, catalogue, asItWas);
    if (cancelled) return failedWith(asItWas, ImportResult::Status::Cancelled);
    return result;
  }
  if (const QList<ImportReason> repeated =
          options.allowRepeats ? QList<ImportReason>() : repeats.find([&](qint64 n) { return source.placeOf(n); });
      !repeated.isEmpty()) {
    append.rollback();
    ImportResult told;
    told.status = ImportResult::Status::Repeats;
    for (const ImportReason& reason : repeated) told.refusals.add(reason);
    return told;
  }
  // The last step is told before the records are kept, so that a Cancel
  // pressed after the last row still undoes them.
  if (progress && !progress(repeats.count(), repeats.count())) {
    append.rollback();
    return failedWith(asItWas, ImportResult::Status::Cancelled);
  }
  if (!append.commit()) return writeFailed(file.lastError().describe(), catalogue, asItWas);
  result.first = append.firstNumber();
  result.count = append.added();
  return result;
}

}  // namespace

void ImportResult::refuse(const ImportReason& reason) {
  if (status != Status::Refused) {
    cuts.clear();
    notes.clear();
  }
  status = Status::Refused;
  refusals.add(reason);
}

bool interruptImport(int signal) {
  if (!g_writing) return false;
  g_interruptedBy = signal;
  stopReading();
  return true;
}

int importInterruptedBy() { return g_interruptedBy; }

ImportResult importIntoCatalogue(const QString& input, const QString& catalogue, const ImportOptions& options,
                                 const ImportProgress& progress) {
  resumeReading();
  ImportResult result;
  const std::unique_ptr<ImportSource> source = sourceFor(input, catalogue, options, result);
  if (!source) return result;
  // The same lock as the librarian's program: never append under an editor.
  const bool existed = QFileInfo::exists(catalogue);
  CatalogueLock lock;
  switch (lock.acquire(catalogue)) {
    case CatalogueLock::Result::Acquired:
      break;
    case CatalogueLock::Result::HeldElsewhere:
      result.refuse(CatalogueLock::heldElsewhereMessage(QFileInfo(catalogue).fileName()));
      return result;
    case CatalogueLock::Result::Failed:
      return failedWith(CatalogueError::of(CatalogueError::Operation::Open, catalogue, lock.lastErrno()).describe());
  }
  int error = 0;
  const importjournal::Outcome unfinished = importjournal::finishInterrupted(catalogue, &error);
  if (unfinished == importjournal::Outcome::Failed)
    return failedWith(CatalogueError::of(CatalogueError::Operation::Write, catalogue, error).describe());
  const bool undone = unfinished == importjournal::Outcome::Undone;
  {
    CatalogueFile file;
    result = file.open(catalogue) ? appendInto(*source, file, options, progress, keptAsItWas(catalogue, undone))
                                  : failedWith(file.lastError().describe());
  }
  result.undidUnfinished = undone;
  // The lock creates a missing catalogue: one that an import left empty goes again.
  if (!existed && result.status != ImportResult::Status::Done && QFileInfo(catalogue).size() == 0)
    QFile::remove(catalogue);
  return result;
}

ImportResult importIntoOpenCatalogue(const QString& input, CatalogueFile& catalogue, const ImportOptions& options,
                                     const ImportProgress& progress) {
  resumeReading();
  ImportResult result;
  const std::unique_ptr<ImportSource> source = sourceFor(input, catalogue.path(), options, result);
  if (!source) return result;
  return appendInto(*source, catalogue, options, progress, keptAsItWas(catalogue.path(), false));
}
