// The records of another catalogue file, byte for byte.
#include "transfer/import/CatalogueSource.h"

#include <QFileInfo>
#include <cerrno>

#include "catalogue/CatalogueFile.h"
#include "catalogue/FieldBytes.h"
#include "catalogue/RecordScan.h"
#include "transfer/OpenToRead.h"
#include "transfer/import/ImportSource.h"

using namespace Qt::StringLiterals;

namespace {

class CatalogueSource : public ImportSource {
 public:
  explicit CatalogueSource(const QString& path) : m_path(path) {}

  bool read(ImportResult& result, const Sink& each) override {
    if (!open(result)) return false;
    const qint64 length = QFileInfo(m_path).size();
    if (length % CatalogueRecord::kLength != 0) {
      result.status = ImportResult::Status::Refused;
      result.messages = QStringList{
          u"Το αρχείο «%1» δεν είναι κατάλογος ή έχει μισή τελευταία εγγραφή: το μήκος του (%2 byte) δεν είναι "
          "πολλαπλάσιο των %3 byte. Δείτε το με «lomira-catalogue check»."_s.arg(QFileInfo(m_path).fileName())
              .arg(length)
              .arg(CatalogueRecord::kLength)};
      return true;
    }
    const qint32 count = qint32(length / CatalogueRecord::kLength);
    RecordScan scan(m_file);
    for (qint32 n = 1; n <= count; ++n) {
      const char* record = scan.record(n);
      if (!record) {
        result.status = ImportResult::Status::Failed;
        result.messages =
            QStringList{scan.failed() ? m_file.lastError().describe()
                                      : CatalogueError::of(CatalogueError::Operation::Read, m_path, EIO).describe()};
        return false;
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
    QStringList what;
    if (found & fieldbytes::kNul) what << u"μηδενικά byte (NUL)"_s;
    if (found & fieldbytes::kControl) what << u"χαρακτήρες ελέγχου"_s;
    if (found & fieldbytes::kUndefined) what << u"byte που η γραφή Windows-1253 δεν ορίζει"_s;
    result.refuse(u"εγγραφή %1 του «%2»: έχει %3 (δείτε τη με «lomira-catalogue check»)"_s.arg(n).arg(
        QFileInfo(m_path).fileName(), what.join(u", "_s)));
    return true;
  }

  bool open(ImportResult& result) {
    const QString error = openToRead(m_file, m_path);
    if (error.isEmpty()) return true;
    result.status = ImportResult::Status::Failed;
    result.messages = QStringList{error};
    return false;
  }

  QString m_path;
  CatalogueFile m_file;
};

}  // namespace

std::unique_ptr<ImportSource> makeCatalogueSource(const QString& path) {
  return std::make_unique<CatalogueSource>(path);
}
