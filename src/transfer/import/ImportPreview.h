#pragma once

#include <QList>
#include <QString>
#include <QStringList>

#include "transfer/import/Import.h"

// What an input holds, as the librarian's window shows it before importing.
struct ImportPreview {
  enum class Kind { Table, Records, Unreadable, Cancelled };
  Kind kind = Kind::Unreadable;
  // Unreadable: why, in Greek, naming the file; or what refused its records.
  QString error;
  QList<ImportReason> reasons;
  // The file type, encoding and separator found ("CSV, Windows-1253, διαχωριστικό «;»").
  QString seen;
  // Table: the first row's cells, whether they name columns, the field each
  // column goes to (as ImportOptions::columns), and the first rows of data.
  QStringList header;
  bool headerRecognised = false;
  QList<int> columns;
  QList<QStringList> rows;
  // Table: the file's own row numbers of the header and of `rows` (blank
  // rows are skipped, so they need not follow on), how many rows after the
  // header hold something, and the last of them when `rows` did not reach them.
  int headerNumber = 1;
  QList<int> rowNumbers;
  qint64 rowCount = 0;
  QList<QStringList> lastRows;
  QList<int> lastNumbers;
  // Table: rows that read as totals or notes, by number, with their text.
  QList<int> totalsNumbers;
  QStringList totalsTexts;
  // Table: a workbook's sheets, and the one read.
  QStringList sheets;
  QString sheet;
  // Records (MARC or another catalogue): how many there are.
  qint64 records = 0;
};
// `progress` is told the rows or records read so far (the total unknown);
// false stops the reading, and the preview is Cancelled.
ImportPreview previewImport(const QString& input, const ImportOptions& options, const ImportProgress& progress = {},
                            int rows = 8);
