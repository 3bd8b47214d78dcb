#pragma once

#include <QString>
#include <QStringList>
#include <functional>
#include <optional>

#include "transfer/FileFormats.h"
#include "transfer/RecordList.h"
#include "transfer/marc/MarcOptions.h"

// The format the catalogue goes out in: one that fileFormats() says it writes.
using ExportFormat = FileFormatId;
// The written format of this command-line name.
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
