#pragma once

#include <QFileInfo>
#include <QList>
#include <QMap>
#include <QStringList>

#include "catalogue/file/CatalogueFile.h"
#include "import_command/CatalogueImportCommand.h"

// The import command's two steps answered from a script. Each import takes
// the next result; a Done one appends `books` to the open catalogue as the
// real import would (the codes after the last record, from 1 in an empty
// file), unless the progress box is cancelled first.
struct FakeImportEngine {
  ImportPreview shown;
  QList<ImportResult> results;
  QList<QStringList> books;
  QList<ImportOptions> imports;             // each import's options, in order
  QList<ImportOptions> previews;            // each preview's options, in order
  QMap<QString, ImportPreview> sheetShown;  // what another sheet shows

  ImportEngine engine() {
    return {[this](const QString&, const ImportOptions& options, const ImportProgress&) {
              previews.append(options);
              return options.sheet.isEmpty() || !sheetShown.contains(options.sheet) ? shown
                                                                                    : sheetShown.value(options.sheet);
            },
            [this](const QString&, CatalogueFile& file, const ImportOptions& options, const ImportProgress& progress) {
              imports.append(options);
              ImportResult result = results.isEmpty() ? ImportResult() : results.takeFirst();
              if (result.status != ImportResult::Status::Done) return result;
              if (progress && !progress(0, books.size())) {
                result.status = ImportResult::Status::Cancelled;
                return result;
              }
              result.first = QFileInfo(file.path()).size() == 0 ? 1 : file.recordCount() + 1;
              result.count = qint32(books.size());
              for (int i = 0; i < books.size(); ++i) {
                CatalogueRecord record = CatalogueRecord::blank();
                for (int f = 0; f < books[i].size(); ++f) record.setField(f, books[i][f]);
                file.write(result.first + i, record);
              }
              return result;
            }};
  }

  static ImportResult resultOf(ImportResult::Status status) {
    ImportResult result;
    result.status = status;
    return result;
  }
};
