// An xls sheet (Excel 97-2003 and older) read through FreeXL, which reads
// the whole workbook on opening. FreeXL gives no number formats: whole
// numbers come in whole, other numbers by their shortest text, dates
// day/month/year as a Greek system shows them.
#include "transfer/table/XlsTable.h"

#include <freexl.h>

#include <QFile>
#include <QFileInfo>
#include <algorithm>

#include "transfer/table/XlsDimensions.h"
#include "transfer/table/workbook/SheetRows.h"

using namespace Qt::StringLiterals;

namespace {

// As many cells as one full sheet of the format holds, 264 MB in FreeXL
// (measured), and a file of at most half the import's memory budget.
constexpr qint64 kMostCells = qint64(65536) * 256;
// FreeXL holds the whole workbook in memory, beside 16 bytes a claimed cell:
// 128 MB, far more than a school's sheet.
constexpr qint64 kMostWorkbookBytes = qint64(128) << 20;
// FreeXL's opening spends time on a date in proportion to its distance from
// 1900, some 0.7 ns a day (2147483000, 1.6 s): 2,000 million days, as many
// as 44,000 dates of today or 676 of 31/12/9999, take it about 1.5 s.
constexpr double kMostDateDays = 2e9;

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
      return SheetRows::damaged(path, u"τα κείμενά του είναι σε κωδικοσελίδα που δεν διαβάζεται"_s);
    case FREEXL_INVALID_CHARACTER:
      return SheetRows::damaged(path, u"ένα κείμενό του έχει χαρακτήρες που δεν διαβάζονται (μετατροπή κειμένου)"_s);
    case FREEXL_BIFF_INVALID_BOF:
      return SheetRows::damaged(path,
                                u"το βιβλίο εργασίας του δεν αρχίζει όπως ένα βιβλίο του Excel 5 έως 2003 "
                                "(χωρίς εγγραφή BOF)"_s);
    default:
      return SheetRows::damaged(path, u"η δομή του δεν διαβάζεται (FreeXL, σφάλμα %1)"_s.arg(code));
  }
}

// The column's letters as the sheet shows them ("A", "AB").
QString columnName(int column) {
  QString name;
  for (int c = column + 1; c > 0; c = (c - 1) / 26) name.prepend(QChar(u'A' + (c - 1) % 26));
  return name;
}

// True when FreeXL may open the workbook at `path`: one whose structure
// cannot be followed as FreeXL follows it, or would lead FreeXL past its
// buffers (XlsDimensions.h), whose sheets claim more cells than one full sheet
// (FreeXL sets aside room for each on opening: a small file would take
// gigabytes), or whose dates lie beyond the calendar or are so many that
// FreeXL would be reading them for minutes, is refused first.
bool surveyed(const QString& path, QString& error) {
  const XlsSurvey survey = surveyXls(path);
  switch (survey.result) {
    case XlsSurvey::Result::Read:
      break;
    case XlsSurvey::Result::Damaged:
      error = SheetRows::damaged(path,
                                 u"η δομή του αρχείου xls δεν διαβάζεται· τα μέρη του δεν οδηγούν στα φύλλα του "
                                 "(οι αλυσίδες των τομέων του κάνουν κύκλο, βγαίνουν έξω από το αρχείο ή δεν "
                                 "συμφωνούν με το πλήθος που δηλώνουν)"_s);
      return false;
    case XlsSurvey::Result::BadDirectory:
      error = SheetRows::damaged(path,
                                 u"η καταχώριση %1 του πίνακα περιεχομένων του δεν έχει όνομα που διαβάζεται "
                                 "(κατάλογος του σύνθετου αρχείου xls)"_s.arg(survey.badEntry + 1));
      return false;
    case XlsSurvey::Result::NoWorkbook:
      error = freexlError(path, FREEXL_BIFF_WORKBOOK_NOT_FOUND);
      return false;
    case XlsSurvey::Result::SmallWorkbook:
      error = SheetRows::damaged(
          path,
          u"το βιβλίο εργασίας του είναι αποθηκευμένο όπως κανένα πρόγραμμα δεν το αποθηκεύει (%1)· ανοίξτε "
          "το και αποθηκεύστε το ξανά"_s.arg(survey.workbookSize < kSmallestXlsWorkbook
                                                 ? u"κάτω από %1 byte"_s.arg(kSmallestXlsWorkbook)
                                                 : u"%1 byte στο μικρό ρεύμα του αρχείου"_s.arg(survey.workbookSize)));
      return false;
    case XlsSurvey::Result::NotBiff:
      error = freexlError(path, FREEXL_BIFF_INVALID_BOF);
      return false;
    case XlsSurvey::Result::RunsOn:
      error = SheetRows::damaged(path,
                                 u"το βιβλίο εργασίας του συνεχίζει πέρα από το μέγεθος που δηλώνει ο πίνακας "
                                 "περιεχομένων του (%1 byte)"_s.arg(survey.workbookSize));
      return false;
    case XlsSurvey::Result::TextOverrun:
      error = SheetRows::damaged(path,
                                 u"μια εγγραφή κειμένου του βιβλίου εργασίας (στο byte %1 του) δηλώνει περισσότερους "
                                 "χαρακτήρες από όσους έχει"_s.arg(survey.badTextAt));
      return false;
  }
  if (survey.claimedCells > kMostCells) {
    error = SheetRows::tooBig(path, u"τα φύλλα του έχουν πάνω από %1 κελιά"_s.arg(kMostCells));
  } else if (survey.badDateRow >= 0) {
    error = SheetRows::damaged(
        path, u"το κελί %1%2 έχει ημερομηνία έξω από το ημερολόγιο (%3)"_s.arg(columnName(survey.badDateColumn))
                  .arg(survey.badDateRow + 1)
                  .arg(SheetRows::shortestNumber(survey.badDate)));
  } else if (survey.dateDays > kMostDateDays) {
    error = SheetRows::tooBig(path,
                              u"έχει τόσες ημερομηνίες που η ανάγνωσή τους ως xls θα κρατούσε πολύ ώρα· "
                              "αποθηκεύστε το ως xlsx ή ods και δοκιμάστε ξανά"_s);
  }
  return error.isEmpty();
}

class XlsTable : public SheetRows {
 public:
  XlsTable(const QString& path, const QString& sheet, const void* book, unsigned rows, unsigned short columns)
      : SheetRows(path, FileFormatId::Xls, sheet), m_book(book), m_rows(rows), m_columns(columns) {}
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
  if (!surveyed(path, error)) return nullptr;
  const void* book = nullptr;
  const int opened = freexl_open(name.constData(), &book);
  auto close = [&book] {
    if (book) freexl_close(book);
    return nullptr;
  };
  // FreeXL gives no reason for a record it could not read: it lets the
  // workbook go and says all went well.
  if (opened != FREEXL_OK || !book) {
    error = opened != FREEXL_OK ? freexlError(path, opened)
                                : SheetRows::damaged(path,
                                                     u"μια εγγραφή του βιβλίου εργασίας του δεν διαβάζεται "
                                                     "(FreeXL σταμάτησε σε αυτήν)"_s);
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
