#include "catalogue_tool/LabelsCommand.h"

#include <QBuffer>
#include <QCommandLineParser>
#include <QFileInfo>
#include <QGuiApplication>
#include <QPdfWriter>
#include <QTextStream>
#include <limits>

#include "catalogue/file/CatalogueFile.h"
#include "catalogue/file/FileIo.h"
#include "labels/LabelPages.h"
#include "platform/system/TrueSizePages.h"
#include "transfer/OpenToRead.h"
#include "transfer/export/OutputFile.h"

using namespace Qt::StringLiterals;

namespace {

// The tool's exit statuses.
constexpr int kSuccess = 0;
constexpr int kRefused = 1;
constexpr int kFileError = 2;

const QString kCommand = u"labels"_s;

// Two numbers "A,B"; `whole` asks for positive whole numbers.
std::optional<QPointF> pairOf(const QString& text, bool whole) {
  const QStringList parts = text.split(u',');
  if (parts.size() != 2) return std::nullopt;
  bool okA = false;
  bool okB = false;
  if (whole) {
    const int a = parts[0].trimmed().toInt(&okA);
    const int b = parts[1].trimmed().toInt(&okB);
    if (!okA || !okB) return std::nullopt;
    return QPointF(a, b);
  }
  const double a = parts[0].trimmed().toDouble(&okA);
  const double b = parts[1].trimmed().toDouble(&okB);
  if (!okA || !okB || !qIsFinite(a) || !qIsFinite(b)) return std::nullopt;
  return QPointF(a, b);
}

std::optional<qint32> codeOf(const QString& text) {
  bool ok = false;
  const qint32 code = text.trimmed().toInt(&ok);
  if (!ok || code < 1) return std::nullopt;
  return code;
}

// The PDF in memory: the labels of a whole catalogue take a few megabytes.
bool writePdf(const DrawingJob& job, QByteArray& pdf) {
  QBuffer buffer(&pdf);
  buffer.open(QIODevice::WriteOnly);
  QPdfWriter writer(&buffer);
  writer.setCreator(u"Zelkor"_s);
  writer.setTitle(u"Ετικέτες"_s);
  return drawPagesAtTrueSize(writer, job) == DrawOutcome::Drawn;
}

}  // namespace

QList<QCommandLineOption> labelsToolOptions() {
  return {{u"from"_s, u"ο πρώτος κωδικός των ετικετών"_s, u"ΚΩΔΙΚΟΣ"_s},
          {u"to"_s, u"ο τελευταίος κωδικός (αλλιώς ως το τέλος)"_s, u"ΚΩΔΙΚΟΣ"_s},
          {u"start"_s, u"η πρώτη ελεύθερη ετικέτα του φύλλου"_s, u"ΣΕΙΡΑ,ΣΤΗΛΗ"_s},
          {u"offset"_s, u"μετακίνηση δεξιά,κάτω σε χιλιοστά"_s, u"X,Y"_s},
          {u"school"_s, u"το όνομα του σχολείου"_s, u"ΟΝΟΜΑ"_s}};
}

QStringList labelsToolOptionNames() { return {u"sheet"_s, u"from"_s, u"to"_s, u"start"_s, u"offset"_s, u"school"_s}; }

LabelsToolOutcome runLabelsTool(const QCommandLineParser& parser, const QStringList& args, QTextStream& out,
                                QTextStream& err) {
  if (args.size() != 3) return u"το labels θέλει ΚΑΤΑΛΟΓΟ και ΑΡΧΕΙΟ"_s;
  if (!parser.isSet(u"sheet"_s)) return u"λείπει το --sheet"_s;
  std::optional<LabelSheet> sheet = labelSheetNamed(parser.value(u"sheet"_s));
  if (!sheet) {
    QStringList names;
    for (const LabelSheet& s : labelSheets()) names << s.name;
    return u"άγνωστο φύλλο «%1»· τα φύλλα: %2"_s.arg(parser.value(u"sheet"_s), names.join(u", "_s));
  }
  LabelLayout layout{*sheet, 0, {}};
  const std::optional<qint32> from = parser.isSet(u"from"_s) ? codeOf(parser.value(u"from"_s)) : qint32(1);
  const std::optional<qint32> to =
      parser.isSet(u"to"_s) ? codeOf(parser.value(u"to"_s)) : std::numeric_limits<qint32>::max();
  if (!from || !to) return u"οι κωδικοί του --from και του --to είναι αριθμοί από 1 και πάνω"_s;
  if (*to < *from) return u"το --to (%1) είναι πριν από το --from (%2)"_s.arg(*to).arg(*from);
  if (parser.isSet(u"start"_s)) {
    const std::optional<QPointF> start = pairOf(parser.value(u"start"_s), true);
    layout.start = start ? startIndex(*sheet, int(start->x()), int(start->y())) : -1;
    if (layout.start < 0)
      return u"το --start θέλει ΣΕΙΡΑ,ΣΤΗΛΗ μέσα στο φύλλο (σειρές 1 έως %1, στήλες 1 έως %2)"_s.arg(sheet->rows)
          .arg(sheet->columns);
  }
  if (parser.isSet(u"offset"_s)) {
    const std::optional<QPointF> offset = pairOf(parser.value(u"offset"_s), false);
    if (!offset) return u"το --offset θέλει δύο αριθμούς σε χιλιοστά, X,Y (π.χ. 1.5,-0.5)"_s;
    layout.offset = *offset;
  }
  const QString& cataloguePath = args[1];
  const QString& pdfPath = args[2];
  if (sameFile(cataloguePath, pdfPath)) {
    err << u"Το αρχείο «%1» είναι ο ίδιος ο κατάλογος· δώστε άλλο όνομα για τις ετικέτες."_s.arg(pdfPath) << '\n';
    return kRefused;
  }

  CatalogueFile file;
  if (const QString problem = openToRead(file, cataloguePath); !problem.isEmpty()) {
    err << problem << '\n';
    return kFileError;
  }
  const LabelBatch batch = readLabels(file, *from, *to, parser.value(u"school"_s));
  file.close();
  if (!batch.error.isEmpty()) {
    err << batch.error << '\n';
    return kFileError;
  }
  if (batch.labels.isEmpty()) {
    err << u"Δεν υπάρχουν βιβλία με κωδικούς από %1 έως %2 στον «%3»· δεν γράφτηκε τίποτα."_s.arg(*from)
               .arg(qMin(*to, file.recordCount()))
               .arg(QFileInfo(cataloguePath).fileName())
        << '\n';
    return kRefused;
  }
  const DrawingJob job = labelPagesJob(layout, batch.labels);
  QByteArray pdf;
  OutputFile output(pdfPath);
  if (!writePdf(job, pdf)) {
    err << u"Οι σελίδες των ετικετών δεν σχεδιάστηκαν."_s << '\n';
    return kFileError;
  }
  if (!output.open() || !(output.buffer().append(pdf), output.commit())) {
    err << output.error() << '\n';
    return kFileError;
  }
  out << labelsSummary(batch, job.pages) << u" Το αρχείο: «%1»."_s.arg(pdfPath) << '\n';
  return kSuccess;
}

std::unique_ptr<QCoreApplication> makeToolApplication(int& argc, char** argv) {
  for (int i = 1; i < argc; ++i)
    if (QString::fromLocal8Bit(argv[i]) == kCommand) {
      // A tool never shows a window: whatever the environment names, it
      // needs no screen, only the fonts (Windows' own platform has them).
#ifdef Q_OS_WIN
      qputenv("QT_QPA_PLATFORM", "windows");
#else
      qputenv("QT_QPA_PLATFORM", "offscreen");
#endif
      return std::make_unique<QGuiApplication>(argc, argv);
    }
  return std::make_unique<QCoreApplication>(argc, argv);
}
