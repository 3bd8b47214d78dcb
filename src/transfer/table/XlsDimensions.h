#pragma once

#include <QString>

// What an xls workbook holds that FreeXL would pay dearly for, read before
// FreeXL opens it: FreeXL sets aside room for every cell the sheets claim,
// and spends time on each date in proportion to how far it lies from 1900.
struct XlsSurvey {
  enum class Result {
    Read,
    // The compound file cannot be followed to its workbook (a loop, a link
    // out of the file, a sector size no xls has).
    Damaged,
    // The workbook is too small to stand on its own in the file, as every
    // program that writes xls stores it; FreeXL finds no sheets in it.
    SmallWorkbook,
    // A text record of the workbook claims more characters than it holds
    // (FreeXL takes the count on trust and writes past its buffers).
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
};
XlsSurvey surveyXls(const QString& path);
