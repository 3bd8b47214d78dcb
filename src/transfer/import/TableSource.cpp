// Rows of a table (CSV or a spreadsheet's sheet): the columns named by the
// header row, or by position with --columns; the record-number column is
// ignored, missing fields are blank and blank rows make no record.
#include "transfer/import/TableSource.h"

#include <QFileInfo>
#include <algorithm>
#include <array>
#include <cerrno>
#include <cstring>

#include "catalogue/CatalogueRecord.h"
#include "catalogue/FieldLabels.h"
#include "catalogue/file/CatalogueFile.h"
#include "transfer/ReadingStop.h"
#include "transfer/import/FieldText.h"
#include "transfer/import/ImportSource.h"
#include "transfer/import/TableLayout.h"
#include "transfer/table/TableColumns.h"
#include "transfer/table/TableReader.h"

using namespace Qt::StringLiterals;

namespace {

class TableSource : public ImportSource {
 public:
  TableSource(std::unique_ptr<QIODevice> in, const QString& path, const ImportOptions& options,
              std::unique_ptr<TableReader> opened)
      : m_in(std::move(in)), m_path(path), m_options(options), m_opened(std::move(opened)) {}

  bool read(ImportResult& result, const Sink& each) override {
    m_rows.clear();
    const bool read = pass(result, each);
    // Whatever refused the file, the librarian sees how it was read.
    if (read && result.status == ImportResult::Status::Refused && !m_seen.isEmpty())
      result.refusals.listed.prepend(readAs());
    return read;
  }

  ImportReason readAs() const {
    ImportReason reason;
    reason.code = ImportReason::Code::ReadAs;
    reason.file = QFileInfo(m_path).fileName();
    reason.text = m_seen;
    return reason;
  }

  QString placeOf(qint64 n) const override {
    return n >= 1 && n <= qint64(m_rows.size()) ? u"σειρά %1"_s.arg(m_rows[size_t(n - 1)]) : u"εγγραφή %1"_s.arg(n);
  }

 private:
  // One reading of the table: every row checked and, while nothing was
  // refused, handed to `sink`; false when reading failed or `sink` said stop.
  bool pass(ImportResult& result, const Sink& sink) {
    // The table opened when the input's kind was told: a source is read once.
    const std::unique_ptr<TableReader> table = std::move(m_opened);
    if (!table) {
      result.refuse(u"το «%1» δεν είναι πίνακας"_s.arg(QFileInfo(m_path).fileName()));
      return true;
    }
    m_seen = table->seen();
    QStringList cells;
    bool more = nextFilledRow(*table, cells);
    if (!more) {
      if (!endOfTable(result, *table)) return false;
      // A table that stopped at its first row has said why.
      if (table->error().isEmpty()) refuse(result, u"το αρχείο δεν έχει γραμμές"_s);
      return true;
    }
    if (!layOut(cells, table->row(), result)) return true;
    if (m_headerRow) more = nextFilledRow(*table, cells);
    std::array<char, CatalogueRecord::kLength> record;
    for (; more; more = nextFilledRow(*table, cells)) {
      if (readingStopped()) return stoppedReading(result);
      if (leftOut(table->row())) continue;
      if (!convertRow(table->row(), cells, record, result)) continue;
      if (result.status != ImportResult::Status::Done) continue;
      m_rows.push_back(table->row());
      if (!sink(record.data())) return false;
    }
    return endOfTable(result, *table);
  }

  bool leftOut(int row) const {
    return (m_options.lastRow > 0 && row > m_options.lastRow) || m_options.leftOutRows.contains(row);
  }

  bool layOut(const QStringList& first, int row, ImportResult& result) {
    const TableLayout layout = tableLayout(first, m_options);
    m_columns = layout.columns;
    m_headerRow = layout.headerRow;
    if (!m_options.columns.isEmpty()) return true;
    ImportReason reason;
    reason.row = row;
    if (!layout.namesAny) {
      reason.code = ImportReason::Code::NoHeader;
      for (const QString& cell : first.first(std::min<qsizetype>(first.size(), 4)))
        reason.names.append(cell.trimmed().left(30));
    } else if (!layout.unknown.isEmpty()) {
      reason.code = ImportReason::Code::UnknownColumns;
      reason.names = layout.unknown;
    } else {
      return true;
    }
    result.refuse(reason);
    result.refuse(u"Οι στήλες που αναγνωρίζονται (με πεζά ή κεφαλαία, με ή χωρίς τόνους):"_s);
    for (const QString& line : acceptedColumnNames()) result.refuse(line);
    return false;
  }

  bool convertRow(int row, const QStringList& cells, std::array<char, CatalogueRecord::kLength>& record,
                  ImportResult& result) {
    for (qsizetype c = m_columns.size(); c < cells.size(); ++c)
      if (!isBlankCell(cells[c])) {
        ImportReason reason;
        reason.code = ImportReason::Code::ExtraCell;
        reason.row = row;
        reason.length = c + 1;
        reason.width = int(m_columns.size());
        result.refuse(reason);
        return false;
      }
    char* bytes = record.data();
    std::memset(bytes, ' ', record.size());
    bool ok = true;
    for (int field = 0; field < CatalogueRecord::kFieldCount; ++field) {
      QString joined;
      const QStringView text = fieldText(cells, field, joined);
      if (text.isEmpty()) continue;
      const FieldPlace where = [&] { return u"σειρά %1, στήλη «%2»: "_s.arg(row).arg(fieldLabel(field)); };
      ok = fitFieldBytes(text, field, m_options, where, result, bytes + CatalogueRecord::kOffset[field]) && ok;
    }
    return ok;
  }

  // The cell of the field's column, or the cells of its columns joined in `joined`.
  QStringView fieldText(const QStringList& cells, int field, QString& joined) const {
    QStringList parts;
    for (qsizetype c = 0; c < m_columns.size() && c < cells.size(); ++c)
      if (m_columns[c] == field) parts.append(cells[c]);
    joined = joinedCells(parts, field);
    return joined;
  }

  bool refuse(ImportResult& result, const QString& reason) {
    result.refuse(reason);
    return false;
  }

  // A reading stopped in a run of blank rows ends as cancelled, not refused.
  bool endOfTable(ImportResult& result, const TableReader& table) {
    if (readingStopped()) return stoppedReading(result);
    if (table.readFailed()) {
      result.fail(CatalogueError::of(CatalogueError::Operation::Read, m_path, EIO).describe());
      return false;
    }
    if (!table.error().isEmpty()) refuse(result, table.error());
    return true;
  }

  std::unique_ptr<QIODevice> m_in;
  QString m_path;
  ImportOptions m_options;
  std::unique_ptr<TableReader> m_opened;  // reading m_in
  QString m_seen;
  QList<int> m_columns;
  bool m_headerRow = false;
  std::vector<int> m_rows;  // the table row of each record handed on
};

}  // namespace

std::unique_ptr<ImportSource> makeTableSource(std::unique_ptr<QIODevice> in, const QString& path,
                                              const ImportOptions& options, std::unique_ptr<TableReader> opened) {
  return std::make_unique<TableSource>(std::move(in), path, options, std::move(opened));
}
