#pragma once

#include <gtest/gtest.h>

#include <QTemporaryDir>

#include "labels/LabelPages.h"
#include "platform/system/QtPrintSink.h"
#include "support/PdfReadBack.h"
#include "support/TestPlatform.h"

// Label pages printed as the program prints them (the Qt sink, to a PDF)
// and read back by poppler and zbar.
class LabelsTest : public ::testing::Test {
 protected:
  QString print(const DrawingJob& job) {
    QtPrintSink sink(dialogs, clock, QStringLiteral("Σ-Zelkor 3.2"), QtPrintSink::Destination::Pdf, dir.path());
    const DrawingResult result = sink.sendDrawing(job);
    EXPECT_TRUE(result.done);
    return result.pdf;
  }

  static LabelSheet preset(const char* name) { return *labelSheetNamed(QString::fromLatin1(name)); }

  // Labels with nothing but their codes.
  static QList<LabelText> codesOnly(const QList<qint32>& codes) {
    QList<LabelText> labels;
    for (qint32 code : codes) labels.append(LabelText{code, {}, {}, {}});
    return labels;
  }

  ScriptedDialogs dialogs;
  FixedClock clock;
  QTemporaryDir dir;
};
