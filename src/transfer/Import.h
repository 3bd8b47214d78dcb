#pragma once

#include <QString>
#include <QStringList>

struct ImportOptions {
  // Cut fields longer than their width instead of refusing the import.
  bool truncate = false;
};

struct ImportResult {
  enum class Status { Done, Refused, Failed };
  Status status = Status::Done;
  // Refused: each reason, naming the row, the column and the character.
  // Failed: the one error. Done: the fields that were cut, one line each.
  QStringList messages;
  qint32 first = 0;  // the record number of the first new record
  qint32 count = 0;
  // Only the first kMostMessages reasons or cuts are kept; the rest are counted.
  static constexpr qsizetype kMostMessages = 100;
  qint64 moreMessages = 0;

  // Refuses the import for `reason` (what was kept of a Done result goes).
  void refuse(const QString& reason);
  // A reason or a cut, kept while there is room.
  void add(const QString& message);
};

// Appends the rows of a CSV file (INPUT ending in ".csv", or starting with a
// UTF-8 byte-order mark) or the records of another catalogue file to the
// catalogue, created when missing. Everything is checked before anything is
// written; a refused or failed import leaves the catalogue as it was.
// A catalogue that an earlier import left unfinished (killed, or the power
// failed) is put back first, as its journal records.
ImportResult importIntoCatalogue(const QString& input, const QString& catalogue, const ImportOptions& options);

// For a signal handler: while an import is writing, asks it to stop at the
// next record and undo what it wrote, and returns true; otherwise false.
bool interruptImport(int signal);
// The signal that interrupted an import, or 0.
int importInterruptedBy();
