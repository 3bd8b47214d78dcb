// An xls sheet (Excel 97-2003 and older) read through FreeXL, which reads
// the whole workbook on opening. FreeXL gives no number formats: whole
// numbers come in whole, other numbers by their shortest text, dates
// day/month/year as a Greek system shows them.
#include "transfer/table/XlsTable.h"

#include <freexl.h>

#include <QFile>
#include <QFileInfo>

#include "transfer/table/SheetRows.h"
#include "transfer/table/XlsDimensions.h"

using namespace Qt::StringLiterals;

namespace {

// As many cells as one full sheet of the format holds, some 256 MB in FreeXL.
constexpr qint64 kMostCells = qint64(65536) * 256;
// FreeXL holds the whole workbook in memory: 256 MB, far more than a school's sheet.
constexpr qint64 kMostWorkbookBytes = qint64(256) << 20;

// What FreeXL's error code means to the librarian.
QString freexlError(const QString& path, int code) {
  const QString name = QFileInfo(path).fileName();
  switch (code) {
    case FREEXL_FILE_NOT_FOUND:
      return SheetRows::cannotOpen(path, u"το αρχείο δεν υπάρχει ή δεν ανοίγει"_s);
    case FREEXL_INSUFFICIENT_MEMORY:
      return SheetRows::tooBig(path, u"δεν χωρά στη μνήμη"_s);
    case FREEXL_INVALID_CFBF_HEADER:
    case FREEXL_CFBF_INVALID_SIGNATURE:
      return u"Το αρχείο «%1» δεν είναι αρχείο xls του Excel."_s.arg(name);
    case FREEXL_BIFF_WORKBOOK_NOT_FOUND:
      return u"Το αρχείο «%1» δεν έχει βιβλίο εργασίας xls: είναι άλλο έγγραφο ή είναι κλειδωμένο με κωδικό."_s.arg(
          name);
    case FREEXL_UNSUPPORTED_CHARSET:
    case FREEXL_INVALID_CHARACTER:
      return SheetRows::damaged(path, u"τα κείμενά του είναι σε κωδικοσελίδα που δεν διαβάζεται"_s);
    default:
      return SheetRows::damaged(path, u"η δομή του δεν διαβάζεται (FreeXL, σφάλμα %1)"_s.arg(code));
  }
}

class XlsTable : public SheetRows {
 public:
  XlsTable(const QString& path, const QString& sheet, const void* book, unsigned rows, unsigned short columns)
      : SheetRows(path, u"xls"_s, sheet), m_book(book), m_rows(rows), m_columns(columns) {}
  ~XlsTable() override { freexl_close(m_book); }
  XlsTable(const XlsTable&) = delete;
  XlsTable& operator=(const XlsTable&) = delete;

 protected:
  bool nextStored(Stored& stored) override {
    if (m_next >= m_rows) return false;
    stored.number = qint64(m_next) + 1;
    Cells cells(stored.cells);
    for (unsigned short c = 0; c < m_columns; ++c) {
      FreeXL_CellValue value{};
      const int got = freexl_get_cell_value(m_book, m_next, c, &value);
      if (got != FREEXL_OK) return fail(freexlError(path(), got));
      cells.put(c, textOf(value));
    }
    ++m_next;
    return true;
  }

 private:
  static QString textOf(const FreeXL_CellValue& value) {
    switch (value.type) {
      case FREEXL_CELL_INT:
        return QString::number(value.value.int_value);
      case FREEXL_CELL_DOUBLE:
        return shortestNumber(value.value.double_value);
      case FREEXL_CELL_DATE:
      case FREEXL_CELL_DATETIME:
        return greekDate(QString::fromUtf8(value.value.text_value));
      case FREEXL_CELL_TEXT:
      case FREEXL_CELL_SST_TEXT:
      case FREEXL_CELL_TIME: {
        QString text;
        appendToCell(text, QString::fromUtf8(value.value.text_value));
        return text;
      }
      default:
        return QString();
    }
  }

  const void* m_book;
  unsigned m_rows;
  unsigned short m_columns;
  unsigned m_next = 0;
};

}  // namespace

std::unique_ptr<TableReader> openXlsTable(const QString& path, const QString& sheet, QString& error) {
  const QFileInfo info(path);
  if (!info.exists()) {
    error = SheetRows::cannotOpen(path, u"το αρχείο ή ο φάκελός του δεν υπάρχει"_s);
    return nullptr;
  }
  if (info.size() > kMostWorkbookBytes) {
    error = SheetRows::tooBig(path, u"ξεπερνά τα %1 MB"_s.arg(kMostWorkbookBytes >> 20));
    return nullptr;
  }
  QFile file(path);
  if (!file.open(QIODevice::ReadOnly)) {
    error = SheetRows::cannotOpen(path, u"δεν επιτρέπεται ή δεν γίνεται το άνοιγμά του"_s);
    return nullptr;
  }
  // Every xls is a compound document, which begins so.
  if (file.read(8) != QByteArrayLiteral("\xD0\xCF\x11\xE0\xA1\xB1\x1A\xE1")) {
    error = freexlError(path, FREEXL_INVALID_CFBF_HEADER);
    return nullptr;
  }
  file.close();
  // FreeXL opens the file by its 8-bit name: on Windows the system's code
  // page must be able to spell it.
  const QByteArray name = QFile::encodeName(path);
  // On opening, FreeXL sets aside room for every cell the sheets claim: a
  // small file claiming full sheets would take gigabytes.
  if (xlsClaimedCells(path) > kMostCells) {
    error = SheetRows::tooBig(path, u"τα φύλλα του έχουν πάνω από %1 κελιά"_s.arg(kMostCells));
    return nullptr;
  }
  const void* book = nullptr;
  const int opened = freexl_open(name.constData(), &book);
  auto close = [&book] {
    if (book) freexl_close(book);
    return nullptr;
  };
  if (opened != FREEXL_OK) {
    error = freexlError(path, opened);
    return close();
  }
  unsigned int value = 0;
  if (freexl_get_info(book, FREEXL_BIFF_PASSWORD, &value) == FREEXL_OK && value == FREEXL_BIFF_OBFUSCATED) {
    error = u"Το αρχείο «%1» είναι κλειδωμένο με κωδικό: αποθηκεύστε το χωρίς κωδικό και δοκιμάστε ξανά."_s.arg(
        info.fileName());
    return close();
  }
  unsigned int count = 0;
  freexl_get_info(book, FREEXL_BIFF_SHEET_COUNT, &count);
  QStringList names;
  for (unsigned short i = 0; i < count; ++i) {
    const char* name = nullptr;
    if (freexl_get_worksheet_name(book, i, &name) != FREEXL_OK || !name) break;
    names.append(QString::fromUtf8(name));
  }
  const qsizetype chosen = SheetRows::chosenSheet(names, sheet);
  if (chosen < 0) {
    error = SheetRows::noSheet(path, sheet, names);
    return close();
  }
  unsigned rows = 0;
  unsigned short columns = 0;
  const int selected = freexl_select_active_worksheet(book, static_cast<unsigned short>(chosen));
  if (selected != FREEXL_OK || freexl_worksheet_dimensions(book, &rows, &columns) != FREEXL_OK) {
    error = freexlError(path, selected != FREEXL_OK ? selected : FREEXL_BIFF_UNSELECTED_SHEET);
    return close();
  }
  auto table = std::make_unique<XlsTable>(path, names[chosen], book, rows, columns);
  table->setSheets(names);
  return table;
}
