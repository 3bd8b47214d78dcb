#pragma once

#include <QList>
#include <QString>
#include <QStringList>
#include <functional>

#include "transfer/import/ImportReason.h"

class CatalogueFile;

// Whether the first row of a table names its columns.
enum class FirstRow { Auto, Header, Data };

struct ImportOptions {
  // Cut fields longer than their width instead of refusing the import.
  bool truncate = false;
  // Write a Latin letter with an accent that Windows-1253 lacks as the same
  // letter without it (é as e), noting each field so written, instead of
  // refusing the import.
  bool foldAccents = false;
  // Go on although book numbers repeat, in the file or against the catalogue.
  bool allowRepeats = false;
  // The sheet of a workbook to read; empty for the first.
  QString sheet;
  // The field of each column by position (a field number, kCodeColumn or
  // kNoColumn for a column left out); empty to take them from the header row.
  QList<int> columns;
  // With `columns`: Auto skips a first row whose cells all name columns.
  FirstRow firstRow = FirstRow::Auto;
  // Rows of a table that make no record, by the file's own row numbers:
  // those listed (totals or notes the librarian chose to leave out) and
  // those after `lastRow` (0 for none).
  QList<int> leftOutRows;
  int lastRow = 0;
};

struct ImportResult {
  // Repeats: nothing was written because book numbers repeat; `refusals`
  // lists them, and the import goes on only when asked with allowRepeats.
  enum class Status { Done, Refused, Repeats, Failed, Cancelled };
  Status status = Status::Done;
  // Refused or Repeats: each reason, naming the place and what was found there.
  ImportReasons refusals;
  // Done: the fields that were cut to fit.
  ImportReasons cuts;
  // Done: what else was done without refusing: records with nothing for the
  // catalogue left out, letters written without their accents.
  ImportReasons notes;
  // Failed or Cancelled: the one error, and that the catalogue is as it was.
  QString failure;
  // An earlier import that had not finished (killed, or the power failed)
  // was undone before this one began, whatever this one's status.
  bool undidUnfinished = false;
  qint32 first = 0;  // the record number of the first new record
  qint32 count = 0;

  // Refuses the import for `reason` (what was kept of a Done result goes).
  void refuse(const ImportReason& reason);
  void refuse(const QString& sentence) { refuse(ImportReason::said(sentence)); }
  void fail(const QString& error) {
    status = Status::Failed;
    failure = error;
  }
};

// Told now and then how many records are done, with `total` 0 while their
// number is not known (a table is read once, checked as it is written), and
// once more at the end with both the same, before the records are kept;
// false cancels, even then.
using ImportProgress = std::function<bool(qint64 done, qint64 total)>;

// Appends the rows of a table (CSV, xlsx, ods, xls), the records of a MARC
// file or those of another catalogue file to the catalogue, created when
// missing. The records are kept only when every one passed its checks and no
// book number repeats (unless allowed): a refused, repeating, failed or
// cancelled import leaves the catalogue as it was, byte for byte.
// A catalogue that an earlier import left unfinished (killed, or the power
// failed) is put back first, as its journal records, and the result says so.
ImportResult importIntoCatalogue(const QString& input, const QString& catalogue, const ImportOptions& options,
                                 const ImportProgress& progress = {});
// The same into a catalogue the caller holds open for editing under its lock
// (the librarian's window); Cancel through `progress` leaves it as it was.
ImportResult importIntoOpenCatalogue(const QString& input, CatalogueFile& catalogue, const ImportOptions& options,
                                     const ImportProgress& progress = {});

// For a signal handler: while an import is writing, asks it to stop at the
// next record and undo what it wrote, and returns true; otherwise false.
bool interruptImport(int signal);
// The signal that interrupted an import, or 0.
int importInterruptedBy();
