// The records of another catalogue file, byte for byte.
#include "transfer/import/CatalogueSource.h"

#include <QFileInfo>
#include <cerrno>

#include "catalogue/FieldBytes.h"
#include "catalogue/file/CatalogueFile.h"
#include "catalogue/search/RecordScan.h"
#include "transfer/OpenToRead.h"
#include "transfer/ReadingStop.h"
#include "transfer/import/ImportSource.h"
#include "transfer/marc/MarcRecordReader.h"

using namespace Qt::StringLiterals;

namespace {

class CatalogueSource : public ImportSource {
 public:
  explicit CatalogueSource(const QString& path) : m_path(path) {}

  bool read(ImportResult& result, const Sink& each) override {
    if (!open(result)) return false;
    const qint64 length = QFileInfo(m_path).size();
    if (length % CatalogueRecord::kLength != 0) {
      ImportReason reason;
      reason.code = ImportReason::Code::NotCatalogue;
      reason.file = QFileInfo(m_path).fileName();
      reason.length = length;
      reason.width = CatalogueRecord::kLength;
      result.refuse(reason);
      return true;
    }
    const qint32 count = qint32(length / CatalogueRecord::kLength);
    RecordScan scan(m_file);
    int leaders = 0;
    for (qint32 n = 1; n <= count; ++n) {
      if (readingStopped()) return stoppedReading(result);
      const char* record = scan.record(n);
      if (!record) {
        result.fail(scan.failed() ? m_file.lastError().describe()
                                  : CatalogueError::of(CatalogueError::Operation::Read, m_path, EIO).describe());
        return false;
      }
      if (n <= 2 && (leaders += isIso2709Leader(QByteArray(record, 24))) == 2) {
        refuseMarcLeaders(result);
        return true;
      }
      if (refuseWhatTheCheckReports(n, record, result)) continue;
      if (result.status == ImportResult::Status::Done && !each(record)) return false;
    }
    return true;
  }

 private:
  // Records holding what the check reports (NUL, control or undefined bytes)
  // are no records: 350 bytes of anything would otherwise pass.
  bool refuseWhatTheCheckReports(qint32 n, const char* record, ImportResult& result) {
    const unsigned char found = fieldbytes::classesOf(record);
    if (found == 0) return false;
    ImportReason reason;
    reason.code = ImportReason::Code::RecordBytes;
    reason.row = n;
    reason.file = QFileInfo(m_path).fileName();
    if (found & fieldbytes::kNul) reason.names << u"μηδενικά byte (NUL)"_s;
    if (found & fieldbytes::kControl) reason.names << u"χαρακτήρες ελέγχου"_s;
    if (found & fieldbytes::kUndefined) reason.names << u"byte που η γραφή Windows-1253 δεν ορίζει"_s;
    result.refuse(reason);
    return true;
  }

  // A catalogue may hold a record whose first field looks like the start of
  // a MARC record; a file whose records all begin so is MARC that lost its
  // frame, and taking it would add garbage.
  void refuseMarcLeaders(ImportResult& result) {
    result.refuse(
        u"το «%1» δεν είναι κατάλογος: οι εγγραφές του αρχίζουν με την αρχή (leader) μιας εγγραφής MARC, "
        "αλλά δεν είναι σωστό αρχείο MARC"_s.arg(QFileInfo(m_path).fileName()));
  }

  bool open(ImportResult& result) {
    const QString error = openToRead(m_file, m_path);
    if (error.isEmpty()) return true;
    result.fail(error);
    return false;
  }

  QString m_path;
  CatalogueFile m_file;
};

}  // namespace

std::unique_ptr<ImportSource> makeCatalogueSource(const QString& path) {
  return std::make_unique<CatalogueSource>(path);
}
