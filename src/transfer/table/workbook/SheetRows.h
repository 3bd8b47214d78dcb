#pragma once

#include <QString>
#include <QStringList>

#include "transfer/FileFormats.h"
#include "transfer/table/TableReader.h"

class QXmlStreamReader;

// What the spreadsheet readers share: the rows of one sheet handed out one
// at a time with the sheet's own row numbers, the bounds that keep a hostile
// file from filling the memory, and the Greek messages naming the file.
//
// A row comes out with its trailing blank cells dropped (a blank row as one
// blank cell). Rows the file skips come out blank in their place; blank rows
// after the last row that holds something are the end of the sheet, however
// many the file repeats.
class SheetRows : public TableReader {
 public:
  static constexpr qint64 kMostColumns = 1 << 14;
  // The longest text a cell holds; longer texts are cut here (they are far
  // longer than any field anyway).
  static constexpr qsizetype kLongestCell = 32767;
  // Rows that a file gives as repeats of one row that holds something: a
  // few kilobytes would otherwise make a million records.
  static constexpr qint64 kMostRepeatedRows = 100000;
  // What a workbook's reading may hold beside the row it reads (shared
  // texts, number formats, relationships), in bytes, counted as Qt keeps
  // them: the rest of an import's memory budget is the reading itself.
  static constexpr qint64 kMostHeldBytes = qint64(192) << 20;

  bool next(QStringList& cells) final;
  int row() const final { return int(m_row); }
  QString error() const final { return m_error; }
  bool readFailed() const final { return m_readFailed; }
  QString seen() const final { return m_seen; }
  QStringList sheets() const override { return m_sheets; }
  // Set by the reader's opening, which reads the workbook's list of sheets.
  void setSheets(const QStringList& sheets) { m_sheets = sheets; }

  // The message for a file that cannot be opened; "«name»: reason".
  static QString cannotOpen(const QString& path, const QString& reason);
  static QString damaged(const QString& path, const QString& why);
  static QString tooBig(const QString& path, const QString& why);
  // The entry `entry` is no well-formed XML where `xml` stopped (or at
  // `place`, when given); a reading stopped by its bounds says why in its own words.
  static QString notXml(const QString& path, const QString& entry, const QXmlStreamReader& xml,
                        const QString& place = {});
  // The sheet of `names` that `sheet` names, its case aside as the
  // spreadsheet programs take it (the first for an empty name), or -1.
  static qsizetype chosenSheet(const QStringList& names, const QString& sheet);
  static bool sameSheet(const QString& name, const QString& sheet) {
    return name.compare(sheet, Qt::CaseInsensitive) == 0;
  }
  // The sheet asked for is not there: the message lists the sheets there are.
  static QString noSheet(const QString& path, const QString& sheet, const QStringList& sheets);
  // A number by its shortest text to 15 digits: integral numbers whole,
  // others with the decimal comma that Greek sheets show ("42", "3,5").
  static QString shortestNumber(double value);
  // A date as a Greek system shows it, day/month/year ("5/3/2026"), with its
  // time of day when it has one ("5/3/2026 08:30"); from ISO text
  // ("2026-03-05", "2026-03-05T08:30:00"), or `iso` itself when it is no
  // such text.
  static QString greekDate(const QString& iso);

 protected:
  // One row as the file stores it: the sheet row number it stands at (0 for
  // the row after the last one), how many times it repeats and its cells.
  struct Stored {
    qint64 number = 0;
    qint64 repeat = 1;
    QStringList cells;
  };
  // Names the format ("xlsx") and the sheet for seen() and the messages;
  // the format's list says how many rows its sheet holds.
  SheetRows(const QString& path, FileFormatId format, const QString& sheet);
  // The next stored row; false at the end or after fail().
  virtual bool nextStored(Stored& stored) = 0;
  bool fail(const QString& message, bool readFailed = false);
  const QString& path() const { return m_path; }
  qint64 mostRows() const { return m_mostRows; }

  // Builds a row from cells placed by column, repeats and gaps included,
  // without spending memory on blank cells.
  class Cells {
   public:
    explicit Cells(QStringList& cells) : m_cells(cells) { m_cells.clear(); }
    // Puts `text` in `repeat` cells from column `column` (0 for A); false
    // when a non-blank cell would lie beyond the last column, or the row
    // has more cells than a row has columns.
    bool put(qint64 column, const QString& text, qint64 repeat = 1);
    // The column after the last one put.
    qint64 end() const { return m_end; }

   private:
    QStringList& m_cells;
    qint64 m_end = 0;
    qint64 m_count = 0;
  };

 private:
  QString m_path;
  qint64 m_mostRows;
  QString m_seen;
  QStringList m_sheets;
  QString m_error;
  bool m_readFailed = false;
  bool m_failed = false;
  qint64 m_row = 0;         // the row handed out last
  qint64 m_lastStored = 0;  // the last sheet row read from the file
  qint64 m_blanks = 0;      // blank rows waiting for a row that holds something
  qint64 m_repeats = 0;     // times m_held is still to come
  qint64 m_repeated = 0;    // rows that holding something came as repeats
  qint64 m_storedRows = 0;  // rows as the file writes them
  QStringList m_held;
};

// Appends `text` to `cell` as far as a cell may hold, and one character
// more: a row with a cell longer than a cell may be is refused.
void appendToCell(QString& cell, QStringView text);
