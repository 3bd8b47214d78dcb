// The catalogue for a library system, written with YAZ: MARC21 or UNIMARC in
// ISO 2709, or MARC21 in MARCXML, all UTF-8. The field mapping is documented
// in docs/marc-mapping.md. Deleted records are left out, and the borrower
// field never travels: loans are not bibliographic data.
#include <yaz/marcdisp.h>
#include <yaz/wrbuf.h>

#include "transfer/ExportWriter.h"
#include "transfer/FieldBytes.h"

namespace {

enum Field { kAuthor = 0, kOtherNames = 1, kTitle = 2, kPublication = 3, kBookNumber = 4 };

struct Mapping {
  const char* leader;
  const char* author;  // tag, indicators
  const char* authorIndicators;
  const char* title;
  const char* titleIndicators;
  char otherNamesCode;  // a subfield of the title field
  const char* publication;
  const char* bookNumber;
};

const Mapping kMarc21{"00000nam a22000003u 4500", "100", "1 ", "245", "00", 'c', "500", "653"};
const Mapping kUnimarc{"00000nam0 22000003n 450 ", "700", " 1", "200", "1 ", 'g', "300", "610"};

// A MARC field holds one line: control characters (the title's line breaks
// among them) become one blank, and blanks around the text are dropped.
QByteArray marcText(const char* record, int field) {
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
  return utf8;
}

class MarcWriter : public ExportWriter {
 public:
  MarcWriter(ExportOutput& out, MarcFlavour flavour)
      : ExportWriter(out),
        m_flavour(flavour),
        m_map(flavour == MarcFlavour::Unimarc ? kUnimarc : kMarc21),
        m_marc(yaz_marc_create()),
        m_buffer(wrbuf_alloc()) {
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
    ++m_written;
    yaz_marc_reset(m_marc);
    int indicatorLength, identifierLength, base, entry, starting, implementation;
    yaz_marc_set_leader(m_marc, m_map.leader, &indicatorLength, &identifierLength, &base, &entry, &starting,
                        &implementation);
    const QByteArray code = QByteArray::number(number);
    yaz_marc_add_controlfield(m_marc, "001", code.constData(), size_t(code.size()));
    const QByteArray author = marcText(record, kAuthor);
    const QByteArray title = marcText(record, kTitle);
    const QByteArray others = marcText(record, kOtherNames);
    // Fields go in tag order.
    const QByteArray publication = marcText(record, kPublication);
    const QByteArray bookNumber = marcText(record, kBookNumber);
    if (m_flavour == MarcFlavour::Unimarc) {
      addTitle(title, others);
      addField(m_map.publication, "  ", 'a', publication);
      addField(m_map.bookNumber, "  ", 'a', bookNumber);
      addField(m_map.author, m_map.authorIndicators, 'a', author);
    } else {
      addField(m_map.author, m_map.authorIndicators, 'a', author);
      addTitle(title, others, author.isEmpty() ? '0' : '1');
      addField(m_map.publication, "  ", 'a', publication);
      addField(m_map.bookNumber, "  ", 'a', bookNumber);
    }
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
  void addField(const char* tag, const char* indicators, char subfield, const QByteArray& text) {
    if (text.isEmpty()) return;
    yaz_marc_add_datafield(m_marc, tag, indicators, 2);
    addSubfield(subfield, text);
  }

  // The title, with the other names as its statement of responsibility.
  void addTitle(const QByteArray& title, const QByteArray& others, char firstIndicator = 0) {
    if (title.isEmpty() && others.isEmpty()) return;
    QByteArray indicators(m_map.titleIndicators);
    if (firstIndicator) indicators[0] = firstIndicator;
    yaz_marc_add_datafield(m_marc, m_map.title, indicators.constData(), 2);
    if (!title.isEmpty()) addSubfield('a', title);
    if (!others.isEmpty()) addSubfield(m_map.otherNamesCode, others);
  }

  void addSubfield(char code, const QByteArray& text) {
    const QByteArray data = code + text;
    yaz_marc_add_subfield(m_marc, data.constData(), size_t(data.size()));
  }

  MarcFlavour m_flavour;
  const Mapping& m_map;
  yaz_marc_t m_marc;
  WRBUF m_buffer;
};

}  // namespace

std::unique_ptr<ExportWriter> makeMarcWriter(ExportOutput& out, MarcFlavour flavour) {
  return std::make_unique<MarcWriter>(out, flavour);
}
