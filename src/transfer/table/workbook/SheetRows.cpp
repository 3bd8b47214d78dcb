#include "transfer/table/workbook/SheetRows.h"

#include <QFileInfo>
#include <QRegularExpression>
#include <QXmlStreamReader>
#include <cmath>

#include "transfer/ReadingStop.h"
#include "transfer/XmlProblem.h"

using namespace Qt::StringLiterals;

namespace {

bool blank(const QStringList& cells) {
  for (const QString& cell : cells)
    if (!cell.isEmpty()) return false;
  return true;
}

QString fileName(const QString& path) { return QFileInfo(path).fileName(); }

}  // namespace

SheetRows::SheetRows(const QString& path, FileFormatId format, const QString& sheet)
    : m_path(path),
      m_mostRows(fileFormat(format).sheetRows),
      m_seen(u"%1, φύλλο «%2»"_s.arg(fileFormat(format).shown, sheet)) {}

bool SheetRows::next(QStringList& cells) {
  for (;;) {
    if (m_failed) return false;
    if (m_repeats > 0 && m_blanks > 0) {
      --m_blanks;
      ++m_row;
      cells = QStringList{QString()};
      return true;
    }
    if (m_repeats > 0) {
      --m_repeats;
      ++m_row;
      cells = m_held;
      return true;
    }
    Stored stored;
    if (!nextStored(stored)) return false;
    // More rows written out than a sheet has is no sheet, blank or not.
    if (++m_storedRows > m_mostRows) return fail(tooBig(m_path, u"το φύλλο έχει πάνω από %1 σειρές"_s.arg(m_mostRows)));
    const qint64 at = stored.number > 0 ? stored.number : m_lastStored + 1;
    if (at <= m_lastStored)
      return fail(damaged(m_path, u"η σειρά %1 του φύλλου βρίσκεται μετά τη σειρά %2"_s.arg(at).arg(m_lastStored)));
    const qint64 repeat = std::max<qint64>(stored.repeat, 1);
    m_blanks += at - m_lastStored - 1;
    // Saturates: only a row that holds something is checked against the bound.
    m_lastStored = std::min(at + repeat - 1, m_mostRows * 4);
    if (blank(stored.cells)) {
      m_blanks = std::min(m_blanks + repeat, m_mostRows * 4);
      continue;
    }
    if (at + repeat - 1 > m_mostRows)
      return fail(tooBig(m_path, u"το φύλλο έχει πάνω από %1 σειρές"_s.arg(m_mostRows)));
    for (const QString& cell : stored.cells)
      if (cell.size() > kLongestCell)
        return fail(damaged(
            m_path, u"σειρά %1: ένα κελί έχει κείμενο πάνω από %2 χαρακτήρες, όσους χωρά ένα κελί"_s.arg(at).arg(
                        kLongestCell)));
    if ((m_repeated += repeat - 1) > kMostRepeatedRows)
      return fail(tooBig(m_path,
                         u"σειρά %1: το αρχείο δίνει σειρές ως επαναλήψεις (αυτή %2 φορές) που θα έκαναν "
                         "πάνω από %3 εγγραφές· αν είναι σωστές, γράψτε τες σε ένα νέο αρχείο"_s.arg(at)
                             .arg(repeat)
                             .arg(kMostRepeatedRows)));
    while (!stored.cells.isEmpty() && stored.cells.last().isEmpty()) stored.cells.removeLast();
    m_held = std::move(stored.cells);
    m_repeats = repeat;
  }
}

bool SheetRows::fail(const QString& message, bool readFailed) {
  m_failed = true;
  m_readFailed = readFailed;
  m_error = message;
  return false;
}

bool SheetRows::Cells::put(qint64 column, const QString& text, qint64 repeat) {
  // No row holds more cells than columns, blank or not.
  if (++m_count > kMostColumns) return false;
  if (column < m_end) column = m_end;
  m_end = column + repeat;
  if (text.isEmpty()) return true;
  if (m_end > kMostColumns) return false;
  while (m_cells.size() < column) m_cells.append(QString());
  for (qint64 i = 0; i < repeat; ++i) m_cells.append(text);
  return true;
}

QString SheetRows::cannotOpen(const QString& path, const QString& reason) {
  return u"Δεν ήταν δυνατή η ανάγνωση του αρχείου «%1»: %2."_s.arg(fileName(path), reason);
}

QString SheetRows::damaged(const QString& path, const QString& why) {
  return u"Το αρχείο «%1» είναι κατεστραμμένο: %2."_s.arg(fileName(path), why);
}

QString SheetRows::tooBig(const QString& path, const QString& why) {
  return u"Το αρχείο «%1» είναι πολύ μεγάλο για εισαγωγή: %2."_s.arg(fileName(path), why);
}

QString SheetRows::notXml(const QString& path, const QString& entry, const QXmlStreamReader& xml,
                          const QString& place) {
  if (xml.error() == QXmlStreamReader::CustomError) return xml.errorString();
  return damaged(path, u"το μέρος «%1» δεν είναι σωστό XML στη %2: %3"_s.arg(
                           entry, place.isEmpty() ? xmlPlace(xml) : place, xmlProblem(xml)));
}

QString SheetRows::noSheet(const QString& path, const QString& sheet, const QStringList& sheets) {
  QStringList quoted;
  for (const QString& name : sheets) quoted.append(u"«%1»"_s.arg(name));
  if (quoted.isEmpty()) return u"Το αρχείο «%1» δεν έχει κανένα φύλλο με πίνακα."_s.arg(fileName(path));
  return u"Το αρχείο «%1» δεν έχει φύλλο «%2»· τα φύλλα του είναι: %3."_s.arg(fileName(path), sheet,
                                                                              quoted.join(u", "_s));
}

qsizetype SheetRows::chosenSheet(const QStringList& names, const QString& sheet) {
  if (sheet.isEmpty()) return names.isEmpty() ? -1 : 0;
  for (qsizetype i = 0; i < names.size(); ++i)
    if (sameSheet(names[i], sheet)) return i;
  return -1;
}

QString SheetRows::shortestNumber(double value) {
  if (std::isfinite(value) && value == std::trunc(value) && std::fabs(value) < 1e15)
    return QString::number(qint64(value));
  // 15 digits, as many as the spreadsheet programs keep: 0.1 + 0.2 is "0,3".
  return QString::number(value, 'g', 15).replace(u'.', u',');
}

QString SheetRows::greekDate(const QString& iso) {
  static const QRegularExpression form(u"^(\\d{4}-\\d{2}-\\d{2})(?:[T ](\\d{2}):(\\d{2})(?::(\\d{2}))?)?$"_s);
  const QRegularExpressionMatch match = form.match(iso);
  const QDate date = QDate::fromString(match.captured(1), Qt::ISODate);
  if (!date.isValid()) return iso;
  QString text = date.toString(u"d/M/yyyy"_s);
  if (match.hasCaptured(2)) text += u' ' + match.captured(2) + u':' + match.captured(3);
  if (match.hasCaptured(4) && match.captured(4) != u"00"_s) text += u':' + match.captured(4);
  return text;
}

void appendToCell(QString& cell, QStringView text) {
  cell.append(text.left(std::max<qsizetype>(SheetRows::kLongestCell + 1 - cell.size(), 0)));
}
