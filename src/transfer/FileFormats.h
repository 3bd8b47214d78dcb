#pragma once

#include <QList>
#include <QString>
#include <QStringList>

// Every format the catalogue is read from or written to, each once; the
// tool's usage, the open and save dialogs' filters and the export's choice
// are built from this list. A new format is a row here and its reader or writer.
enum class FileFormatId { Csv, Xlsx, Ods, Xls, Marc21, MarcXml, Unimarc, Catalogue };

struct FileFormat {
  enum class Family { Table, Marc, Catalogue };
  FileFormatId id;
  Family family;
  QString name;          // on the command line
  QString shown;         // how the tool's words name its kind ("CSV")
  QStringList suffixes;  // of its files, without the dot; the first is the one written
  QString readLabel;     // in the open dialog; empty when not read as a format of its own
  QString writeLabel;    // in the save dialog; empty when not written
  qint64 sheetRows = 0;  // the rows one sheet holds, a header row among them; 0 for a format without sheets

  bool canRead() const { return !readLabel.isEmpty(); }
  bool canWrite() const { return !writeLabel.isEmpty(); }
  // "Πίνακας CSV ή κειμένου (*.csv *.txt)"; a written file takes its first suffix only.
  QString readFilter() const;
  QString writeFilter() const;
};

const QList<FileFormat>& fileFormats();
const FileFormat& fileFormat(FileFormatId id);
// The rows of the largest sheet any format holds: a plain table (CSV) read
// in is held to it too, so that it is never larger than a spreadsheet.
qint64 mostSheetRows();
// The formats written, in the order the save dialog offers them.
QList<FileFormat> writtenFormats();
// The open dialog's filters: everything read, each format read, any file.
QStringList openFilters();
