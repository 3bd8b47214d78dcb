// The catalogue for a library system, written with YAZ: MARC21 or UNIMARC in
// ISO 2709, or MARC21 in MARCXML, all UTF-8. The field mapping is documented
// in docs/marc-mapping.md. Deleted records are left out, and so are records
// without a title, which are listed; the borrower field never travels:
// loans are not bibliographic data.
#include <yaz/marcdisp.h>
#include <yaz/wrbuf.h>

#include "transfer/ExportWriter.h"
#include "catalogue/FieldBytes.h"
#include "transfer/MarcFields.h"

namespace {

// The five fields that describe the book; the sixth is the borrower.
constexpr int kDescriptiveFields = 5;

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

class MarcWriter : public ExportWriter {
 public:
  MarcWriter(ExportOutput& out, MarcFlavour flavour, const MarcOptions& options)
      : ExportWriter(out), m_flavour(flavour), m_options(options), m_marc(yaz_marc_create()), m_buffer(wrbuf_alloc()) {
    if (!m_options.moment.isValid()) m_options.moment = QDateTime::currentDateTime();
    yaz_marc_xml(m_marc, flavour == MarcFlavour::MarcXml ? YAZ_MARC_MARCXML : YAZ_MARC_ISO2709);
    if (flavour == MarcFlavour::MarcXml) yaz_marc_enable_collection(m_marc);
  }
  ~MarcWriter() override {
    wrbuf_destroy(m_buffer);
    yaz_marc_destroy(m_marc);
  }

  bool begin(const std::vector<int>&) override { return true; }

  bool write(qint32 number, const char* record) override {
    if (fieldbytes::isDeletionMark(record)) return true;
    QList<QString> fields;
    for (int i = 0; i < kDescriptiveFields; ++i) fields.append(marcText(record, i));
    const MarcBook book = marcBook(fields);
    // A library system cannot hold a book without a title.
    if (book.title.isEmpty()) {
      m_leftOut.add(number);
      return true;
    }
    ++m_written;
    yaz_marc_reset(m_marc);
    MarcFields out(m_marc);
    if (m_flavour == MarcFlavour::Unimarc)
      addUnimarcFields(out, number, book, m_options);
    else
      addMarc21Fields(out, number, book, m_options);
    wrbuf_rewind(m_buffer);
    if (yaz_marc_write_mode(m_marc, m_buffer) != 0) {
      m_error = QStringLiteral("Η εγγραφή %1 δεν χωρά σε εγγραφή MARC.").arg(number);
      return false;
    }
    m_out.buffer().append(wrbuf_buf(m_buffer), qsizetype(wrbuf_len(m_buffer)));
    return m_out.writeIfFull() || outputFailed();
  }

  bool finish() override {
    wrbuf_rewind(m_buffer);
    yaz_marc_write_trailer(m_marc, m_buffer);
    m_out.buffer().append(wrbuf_buf(m_buffer), qsizetype(wrbuf_len(m_buffer)));
    return true;
  }

 private:
  MarcFlavour m_flavour;
  MarcOptions m_options;
  yaz_marc_t m_marc;
  WRBUF m_buffer;
};

}  // namespace

std::unique_ptr<ExportWriter> makeMarcWriter(ExportOutput& out, MarcFlavour flavour, const MarcOptions& options) {
  return std::make_unique<MarcWriter>(out, flavour, options);
}
