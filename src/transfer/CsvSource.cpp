// Rows of a CSV file with the export's columns, recognised by their header
// names; the record-number column is ignored and missing fields are blank.
#include <QFileInfo>
#include <QStringDecoder>
#include <cerrno>

#include "catalogue/CatalogueFile.h"
#include "catalogue/CatalogueRecord.h"
#include "catalogue/FieldLabels.h"
#include "transfer/CsvReader.h"
#include "transfer/FieldText.h"
#include "transfer/ImportSource.h"
#include "transfer/TableColumns.h"

using namespace Qt::StringLiterals;

namespace {

class CsvSource : public ImportSource {
 public:
  CsvSource(const QString& path, const ImportOptions& options) : m_path(path), m_options(options) {}

  bool check(ImportResult& result) override {
    return pass(result, [](const char*) { return true; });
  }

  bool records(const Sink& sink, ImportResult& result) override {
    ImportResult again;
    if (!pass(again, sink)) {
      result = again;
      return false;
    }
    if (again.status == ImportResult::Status::Done) return true;
    result.status = ImportResult::Status::Failed;
    result.messages = QStringList{
        u"Το αρχείο «%1» άλλαξε κατά την εισαγωγή: ο κατάλογος έμεινε όπως ήταν."_s.arg(QFileInfo(m_path).fileName())};
    return false;
  }

 private:
  // One reading of the file: every row checked and, when it may be written,
  // handed to `sink`.
  bool pass(ImportResult& result, const Sink& sink) {
    QFile file(m_path);
    if (!file.open(QIODevice::ReadOnly)) return readFailed(result, errno);
    CsvReader reader(file);
    QList<QByteArray> row;
    if (!reader.next(row)) return endOfFile(result, reader) && refuse(result, u"το αρχείο δεν έχει επικεφαλίδα"_s);
    if (row.join(',').contains('\0') || row.value(0).startsWith("\xFF\xFE") || row.value(0).startsWith("\xFE\xFF"))
      return refuse(result,
                    u"το αρχείο είναι γραμμένο σε UTF-16· αποθηκεύστε το από το υπολογιστικό φύλλο ως "
                    "«CSV UTF-8» και δοκιμάστε ξανά"_s);
    if (!readHeader(row, result)) return true;
    while (reader.next(row)) {
      CatalogueRecord record = CatalogueRecord::blank();
      if (!convertRow(reader.row(), row, record, result)) continue;
      if (result.status == ImportResult::Status::Done && !sink(record.bytes())) return false;
    }
    return endOfFile(result, reader);
  }

  bool readHeader(const QList<QByteArray>& row, ImportResult& result) {
    m_columns.clear();
    for (const QByteArray& cell : row) {
      const QString name = QString::fromUtf8(cell).trimmed();
      const int field = columnField(name);
      if (field == kNoColumn) return refuse(result, u"σειρά 1: η στήλη «%1» δεν είναι στήλη του καταλόγου"_s.arg(name));
      if (field != kCodeColumn && m_columns.contains(field))
        return refuse(result, u"σειρά 1: η στήλη «%1» υπάρχει δύο φορές"_s.arg(name));
      m_columns.append(field);
    }
    return true;
  }

  bool convertRow(int rowNumber, const QList<QByteArray>& row, CatalogueRecord& record, ImportResult& result) {
    if (row.size() != m_columns.size())
      return refuse(
          result,
          u"σειρά %1: %2 κελιά, ενώ η επικεφαλίδα έχει %3"_s.arg(rowNumber).arg(row.size()).arg(m_columns.size()));
    bool ok = true;
    for (qsizetype c = 0; c < row.size(); ++c) {
      const int field = m_columns[c];
      if (field == kCodeColumn) continue;
      QString text;
      if (!convertCell(row[c], field, text, u"σειρά %1, στήλη «%2»: "_s.arg(rowNumber).arg(fieldLabel(field)), result))
        ok = false;
      else
        record.setField(field, text);
    }
    return ok;
  }

  bool convertCell(const QByteArray& cell, int field, QString& text, const QString& where, ImportResult& result) {
    QStringDecoder utf8(QStringDecoder::Utf8, QStringDecoder::Flag::Stateless);
    text = utf8(cell);
    if (utf8.hasError()) return refuse(result, where + u"το κείμενο δεν είναι UTF-8"_s);
    return fitField(text, field, m_options.truncate, where, result);
  }

  bool refuse(ImportResult& result, const QString& reason) {
    result.refuse(reason);
    return false;
  }

  bool endOfFile(ImportResult& result, const CsvReader& reader) {
    if (reader.readFailed()) return readFailed(result, EIO);
    if (!reader.error().isEmpty()) refuse(result, reader.error());
    return true;
  }

  bool readFailed(ImportResult& result, int error) {
    result.status = ImportResult::Status::Failed;
    result.messages =
        QStringList{CatalogueError::of(CatalogueError::Operation::Read, m_path, error != 0 ? error : EIO).describe()};
    return false;
  }

  QString m_path;
  ImportOptions m_options;
  QList<int> m_columns;
};

}  // namespace

std::unique_ptr<ImportSource> makeCsvSource(const QString& path, const ImportOptions& options) {
  return std::make_unique<CsvSource>(path, options);
}
