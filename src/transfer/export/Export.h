#pragma once

#include <QString>
#include <QStringList>
#include <functional>
#include <optional>

#include "transfer/RecordList.h"
#include "transfer/marc/MarcOptions.h"

// The formats the catalogue goes out in.
enum class ExportFormat { Csv, Xlsx, Marc21, MarcXml, Unimarc };

struct ExportFormatInfo {
  ExportFormat format;
  QString name;    // on the command line
  QString suffix;  // of the file name, with the dot
  QString filter;  // in a save dialog
};
const QList<ExportFormatInfo>& exportFormats();
std::optional<ExportFormat> exportFormatNamed(const QString& name);

struct ExportOptions {
  ExportFormat format = ExportFormat::Csv;
  // The borrower column in csv and xlsx; MARC never carries it.
  bool borrowers = true;
  MarcOptions marc = {};
};

// Told now and then how many of the records are done; false cancels.
using ExportProgress = std::function<bool(qint64 done, qint64 total)>;

struct ExportResult {
  enum class Status { Done, Cancelled, Refused, Failed };
  Status status = Status::Done;
  qint64 records = 0;       // written to the output
  QString error;            // a Greek sentence naming the file and the reason
  RecordList leftOut = {};  // live records the format cannot carry (MARC: no title)
};

// Writes the catalogue at `catalogue` to `output`, which appears only when
// everything is written. Reads the catalogue and never writes it.
ExportResult exportCatalogue(const QString& catalogue, const QString& output, const ExportOptions& options,
                             const ExportProgress& progress = {});
