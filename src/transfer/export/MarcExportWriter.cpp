// The catalogue for a library system, in MARC (MarcWriter). The field
// mapping is documented in docs/marc-mapping.md. Deleted records are left
// out, and so are records without a title, which are listed; the borrower
// field never travels: loans are not bibliographic data.
#include "transfer/export/MarcExportWriter.h"

#include "catalogue/FieldBytes.h"
#include "catalogue/RecordField.h"
#include "transfer/export/ExportWriter.h"
#include "transfer/marc/MarcWriter.h"

namespace {

// A MARC field holds one line: control characters (the title's line breaks
// among them) become one blank, and blanks around the text are dropped.
QString marcText(const char* record, int field) {
  const fieldbytes::Span span = fieldbytes::trimmed(record, field);
  QByteArray bytes;
  bytes.reserve(span.length);
  for (int i = 0; i < span.length; ++i) {
    const unsigned char c = static_cast<unsigned char>(span.data[i]);
    const bool control = c < 0x20 || c == 0x7F;
    if (control && (bytes.isEmpty() || bytes.endsWith(' '))) continue;
    bytes.append(control ? ' ' : char(c));
  }
  const QByteArray trimmed = bytes.trimmed();
  QByteArray utf8;
  fieldbytes::appendUtf8(utf8, trimmed.constData(), int(trimmed.size()));
  return QString::fromUtf8(utf8);
}

class MarcExportWriter : public ExportWriter {
 public:
  MarcExportWriter(ExportOutput& out, MarcStandard standard, MarcEncoding encoding, const MarcOptions& options)
      : ExportWriter(out), m_marc(standard, encoding, options) {}

  bool begin(const std::vector<int>&) override { return true; }

  bool write(qint32 number, const char* record) override {
    if (fieldbytes::isDeletionMark(record)) return true;
    QList<QString> fields;
    // The fields before the borrower describe the book.
    for (int i = 0; i < recordfield::kBorrower; ++i) fields.append(marcText(record, i));
    const MarcBook book = marcBook(fields);
    // A library system cannot hold a book without a title.
    if (book.title.isEmpty()) {
      m_leftOut.add(number);
      return true;
    }
    ++m_written;
    if (!m_marc.write(number, book, m_out.buffer())) {
      m_error = QStringLiteral("Η εγγραφή %1 δεν χωρά σε εγγραφή MARC.").arg(number);
      return false;
    }
    return m_out.writeIfFull() || outputFailed();
  }

  bool finish() override {
    m_marc.finish(m_out.buffer());
    return true;
  }

 private:
  MarcWriter m_marc;
};

}  // namespace

std::unique_ptr<ExportWriter> makeMarcWriter(ExportOutput& out, MarcStandard standard, MarcEncoding encoding,
                                             const MarcOptions& options) {
  return std::make_unique<MarcExportWriter>(out, standard, encoding, options);
}
