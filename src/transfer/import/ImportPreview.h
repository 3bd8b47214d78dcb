#pragma once

#include <QList>
#include <QString>
#include <QStringList>

#include "transfer/import/Import.h"

// What an input holds, as the librarian's window shows it before importing.
struct ImportPreview {
  enum class Kind { Table, Records, Unreadable };
  Kind kind = Kind::Unreadable;
  // Unreadable: why, in Greek, naming the file.
  QString error;
  // The file type, encoding and separator found ("CSV, Windows-1253, διαχωριστικό «;»").
  QString seen;
  // Table: the first row's cells, whether they name columns, the field each
  // column goes to (as ImportOptions::columns), and the first rows of data.
  QStringList header;
  bool headerRecognised = false;
  QList<int> columns;
  QList<QStringList> rows;
  // Records (MARC or another catalogue): how many there are.
  qint64 records = 0;
};
ImportPreview previewImport(const QString& input, const ImportOptions& options, int rows = 8);
