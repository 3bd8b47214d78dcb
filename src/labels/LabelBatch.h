#pragma once

#include <QList>
#include <QString>

#include "labels/SpineText.h"

class CatalogueFile;

// What one label shows.
struct LabelText {
  qint32 code = 0;  // the record's number, which the barcode holds
  SpineText spine;
  QString title;  // its first line; the label cuts it to fit
  QString school;
};

// The record's label, from its 350 bytes.
LabelText labelOf(qint32 code, const char* record, const QString& school);

// The labels of records `from` to `to` (both included; `to` past the end
// means to the end), deleted records left out and counted; at most `limit`
// labels when it is not negative.
struct LabelBatch {
  QList<LabelText> labels;
  int deleted = 0;
  qint32 last = 0;  // the last code read, 0 when none
  QString error;    // the Greek sentence naming the file and the reason; empty when all was read
};
LabelBatch readLabels(CatalogueFile& file, qint32 from, qint32 to, const QString& school, qsizetype limit = -1);

// The closing sentence: how many labels of which codes on how many sheets,
// and how many deleted records were left out.
QString labelsSummary(const LabelBatch& batch, int sheets);
