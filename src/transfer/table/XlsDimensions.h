#pragma once

#include <QString>

// What an xls workbook holds that FreeXL would pay dearly for, read before
// FreeXL opens it: FreeXL sets aside room for every cell the sheets claim,
// and spends time on each date in proportion to how far it lies from 1900.
// Every program that writes xls gives the workbook stream at least this
// many bytes, so that it never lies in the mini stream.
constexpr qint64 kSmallestXlsWorkbook = 4096;

struct XlsSurvey {
  enum class Result {
    Read,
    // The compound file cannot be followed to its workbook (a loop, a link
    // out of the file, a chain longer or shorter than counted, a sector
    // size no xls has, more sectors of links than the file needs).
    Damaged,
    // A name in the directory's first sector that no name is (too long, an
    // odd length, half a UTF-16 pair): FreeXL reads past its buffer for it
    // or calls it a code-page fault.
    BadDirectory,
    // No stream "Workbook" or "Book" where FreeXL looks for it, in the
    // directory's first sector: another document, or one locked by a password.
    NoWorkbook,
    // The workbook is too small to stand on its own in the file, as every
    // program that writes xls stores it; FreeXL finds no sheets in it.
    SmallWorkbook,
    // The stream does not begin as a workbook of Excel 5 to 2003 does.
    NotBiff,
    // A record of the workbook runs past the size the directory gives it,
    // into sectors its chain goes on to: FreeXL would read on past its
    // buffer.
    RunsOn,
    // A text record of the workbook claims more characters than it holds
    // (FreeXL takes the count on trust and reads past its buffers).
    TextOverrun,
  };
  Result result = Result::Damaged;
  // The cells the sheets' dimensions claim, summed over the sheets.
  qint64 claimedCells = 0;
  // Days from the calendar's start summed over the date cells.
  double dateDays = 0;
  // The first date cell out of the calendar (before 1900 or after 9999):
  // its row and column, from 0, and value; row -1 when there is none.
  qint64 badDateRow = -1;
  int badDateColumn = 0;
  double badDate = 0;
  // TextOverrun: where the record starts in the workbook stream.
  qint64 badTextAt = 0;
  // BadDirectory: the entry, from 0.
  int badEntry = 0;
  // The workbook stream's size as the directory gives it.
  qint64 workbookSize = 0;
};
XlsSurvey surveyXls(const QString& path);
