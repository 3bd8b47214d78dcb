#pragma once

#include <QString>
#include <QStringList>
#include <memory>

class QIODevice;

// One sheet of a spreadsheet, or a CSV file, read a row at a time as the
// text its cells show.
class TableReader {
 public:
  virtual ~TableReader() = default;
  // The next row, false at the end or on an error; a row of blank cells
  // comes out too (the import skips it).
  virtual bool next(QStringList& cells) = 0;
  // The row just read as the spreadsheet program numbers it (1 is the first).
  virtual int row() const = 0;
  // Empty unless the file is not what its type says; then where and why.
  virtual QString error() const = 0;
  virtual bool readFailed() const = 0;
  // What was found, for messages: "xlsx, φύλλο «Βιβλία»", "CSV, UTF-8, διαχωριστικό «;»".
  virtual QString seen() const = 0;
  // A workbook's sheets by name, in order; empty for a CSV file.
  virtual QStringList sheets() const { return {}; }
};

// The table `in` (by its content, then the name `path`), reading `sheet`
// (empty for the first); nullptr when it is no table (a catalogue file or
// MARC), or with `error` set when it is one that cannot be read. `in`, open
// and seekable, outlives the table; an xls workbook alone is read again by
// its name, since FreeXL opens files only by name.
std::unique_ptr<TableReader> openTable(QIODevice& in, const QString& path, const QString& sheet, QString& error);
