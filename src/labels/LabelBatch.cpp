#include "labels/LabelBatch.h"

#include <QRegularExpression>

#include "catalogue/Cp1253.h"
#include "catalogue/FieldBytes.h"
#include "catalogue/file/CatalogueFile.h"
#include "catalogue/search/RecordScan.h"

namespace {

QString fieldText(const char* record, int field) {
  const fieldbytes::Span f = fieldbytes::trimmed(record, field);
  return cp1253::decode(f.data, f.length);
}

QString firstLine(const QString& text) {
  const qsizetype end = text.indexOf(QRegularExpression(QStringLiteral("[\r\n]")));
  return (end < 0 ? text : text.left(end)).trimmed();
}

QString counted(qsizetype n, const QString& one, const QString& many) { return (n == 1 ? one : many).arg(n); }

}  // namespace

LabelText labelOf(qint32 code, const char* record, const QString& school) {
  using namespace recordfield;
  return LabelText{code, spineTextOf(fieldText(record, kAuthor), fieldText(record, kNumberAndSubject)),
                   firstLine(fieldText(record, kTitle)), school};
}

LabelBatch readLabels(CatalogueFile& file, qint32 from, qint32 to, const QString& school, qsizetype limit) {
  LabelBatch batch;
  RecordScan scan(file);
  const qint32 end = qMin(to, file.recordCount());
  for (qint32 n = qMax(from, 1); n <= end && batch.labels.size() != limit; ++n) {
    const char* record = scan.record(n);
    if (!record) break;
    batch.last = n;
    if (fieldbytes::isDeletionMark(record))
      ++batch.deleted;
    else
      batch.labels.append(labelOf(n, record, school));
  }
  if (scan.failed()) batch.error = file.lastError().describe();
  return batch;
}

QString labelsSummary(const LabelBatch& batch, int sheets) {
  using namespace Qt::StringLiterals;
  QString text = counted(batch.labels.size(), u"Τυπώθηκε %1 ετικέτα"_s, u"Τυπώθηκαν %1 ετικέτες"_s);
  if (!batch.labels.isEmpty())
    text += u" (κωδικοί %1 έως %2) σε "_s.arg(batch.labels.first().code).arg(batch.labels.last().code) +
            counted(sheets, u"%1 φύλλο"_s, u"%1 φύλλα"_s);
  text += u"."_s;
  if (batch.deleted > 0)
    text += u" "_s + counted(batch.deleted, u"Παραλείφθηκε %1 διαγραμμένη εγγραφή."_s,
                             u"Παραλείφθηκαν %1 διαγραμμένες εγγραφές."_s);
  return text;
}
