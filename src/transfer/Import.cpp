#include "transfer/Import.h"

#include <QFile>
#include <QFileInfo>

#include "catalogue/CatalogueAppend.h"
#include "catalogue/CatalogueLock.h"
#include "transfer/ImportSource.h"
#include "transfer/TableColumns.h"

using namespace Qt::StringLiterals;

namespace {

constexpr char kByteOrderMark[] = "\xEF\xBB\xBF";

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
  return start.startsWith(kByteOrderMark) || startsWithHeader(start);
}

ImportResult failedWith(const QString& message, ImportResult::Status status = ImportResult::Status::Failed) {
  ImportResult result;
  result.status = status;
  result.messages = QStringList{message};
  return result;
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
  CatalogueFile file;
  if (!file.open(catalogue)) return failedWith(file.lastError().describe());
  CatalogueAppend append(file);
  if (!append.begin()) return failedWith(file.lastError().describe());
  bool writeFailed = false;
  const bool read = source.records(
      [&](const char* bytes) {
        writeFailed = !append.add(bytes);
        return !writeFailed;
      },
      result);
  if (writeFailed || (read && !append.commit())) return failedWith(file.lastError().describe());
  if (!read) {
    append.rollback();
    return result;
  }
  result.first = append.firstNumber();
  result.count = append.added();
  return result;
}

}  // namespace

ImportResult importIntoCatalogue(const QString& input, const QString& catalogue, const ImportOptions& options) {
  std::unique_ptr<ImportSource> source =
      looksLikeCsv(input) ? makeCsvSource(input, options) : makeCatalogueSource(input);
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
