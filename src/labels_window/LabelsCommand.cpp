#include "labels_window/LabelsCommand.h"

#include <QDir>

#include "catalogue/file/CatalogueFile.h"
#include "platform/Platform.h"

using namespace Qt::StringLiterals;

namespace {

// Where a PDF went, on a line of its own.
QString pdfLine(const DrawingResult& result) {
  if (result.pdf.isEmpty()) return QString();
  return u"\r\nΑρχείο: %1"_s.arg(QDir::toNativeSeparators(result.pdf));
}

LabelRequest remembered(const Settings& settings, qint32 recordCount) {
  LabelRequest r;
  r.from = qMin(settings.lastLabelCode() + 1, qMax(recordCount, 1));
  r.to = recordCount;
  r.layout.sheet = labelSheets().first();
  r.layout.offset = settings.labelOffset();
  r.school = settings.schoolName();
  return r;
}

// What the librarian chose that outlives the dialog; a choice not kept is
// said, since the next labels would start in the wrong place.
void keep(Platform& platform, const LabelRequest& request, qint32 lastCode, const QString& title) {
  bool kept = platform.settings.setLabelOffset(request.layout.offset);
  kept = platform.settings.setSchoolName(request.school) && kept;
  if (lastCode > 0) kept = platform.settings.setLastLabelCode(lastCode) && kept;
  if (!kept)
    platform.dialogs.notice(
        u"Οι ρυθμίσεις των ετικετών (μετατόπιση, σχολείο, τελευταίος κωδικός) δεν "
        u"αποθηκεύτηκαν· ισχύουν μόνο ως το κλείσιμο του προγράμματος."_s,
        title, Dialogs::Icon::Exclamation);
}

// Many sheets take a while to draw: a progress box counts them, and its
// Cancel drops the whole job.
DrawingResult printWithProgress(Platform& platform, DrawingJob job, const QString& title) {
  // Held by the job, which holds what it draws: the box closes with the job.
  const std::shared_ptr<Dialogs::Progress> progress = platform.dialogs.progress(u"Εκτύπωση των ετικετών…"_s, title);
  job.draw = [draw = job.draw, pages = job.pages, progress](QPainter& painter, int page) {
    return progress->advance(page, pages) && draw(painter, page);
  };
  return platform.printer.printDrawing(job);
}

}  // namespace

void LabelsCommand::printLabels(const QString& cataloguePath, Platform& platform, const QString& productTitle,
                                QWidget* parent) {
  const QString title = productTitle + u": Ετικέτες"_s;
  CatalogueFile file(platform.files.make());
  if (!file.open(cataloguePath, FileIo::Mode::ReadOnly)) {
    platform.dialogs.notice(file.lastError().describe(), title, Dialogs::Icon::Exclamation);
    return;
  }
  const auto preview = [&file](qint32 from, qint32 to, int limit) {
    return readLabels(file, from, to, QString(), limit).labels;
  };
  const auto calibrate = [&platform](const LabelLayout& layout) {
    platform.printer.printDrawing(calibrationJob(layout));
  };
  LabelsDialog dialog(remembered(platform.settings, file.recordCount()), file.recordCount(), preview, calibrate,
                      parent);
  const bool print = m_ask(dialog);
  const LabelRequest request = dialog.request();
  // A printer lined up with the calibration page stays lined up, printed or not.
  if (!print) {
    keep(platform, request, 0, title);
    return;
  }
  const LabelBatch batch = readLabels(file, request.from, request.to, request.school);
  if (!batch.error.isEmpty()) {
    platform.dialogs.notice(batch.error, title, Dialogs::Icon::Exclamation);
    return;
  }
  if (batch.labels.isEmpty()) {
    keep(platform, request, 0, title);
    platform.dialogs.notice(labelsSummary(batch, 0), title, Dialogs::Icon::Information);
    return;
  }
  const DrawingResult result = printWithProgress(platform, labelPagesJob(request.layout, batch.labels), title);
  if (!result.done) return;  // stopped, or the printer's own box has said why
  keep(platform, request, batch.last, title);
  platform.dialogs.notice(labelsSummary(batch, request.layout.pageCount(batch.labels.size())) + pdfLine(result), title,
                          Dialogs::Icon::Information);
}
