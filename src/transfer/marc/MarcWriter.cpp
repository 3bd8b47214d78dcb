#include "transfer/marc/MarcWriter.h"

#include <yaz/marcdisp.h>
#include <yaz/wrbuf.h>

#include "transfer/marc/Marc21Fields.h"
#include "transfer/marc/UnimarcFields.h"

namespace {

// The fields of one record, made in YAZ's record.
class YazFields : public MarcFields {
 public:
  explicit YazFields(yaz_marc_t marc) : m_marc(marc) {}

  void leader(const char* leader) override {
    int indicatorLength, identifierLength, base, entry, starting, implementation;
    yaz_marc_set_leader(m_marc, leader, &indicatorLength, &identifierLength, &base, &entry, &starting, &implementation);
  }

  void control(const char* tag, const QString& data) override {
    if (data.isEmpty()) return;
    const QByteArray utf8 = data.toUtf8();
    yaz_marc_add_controlfield(m_marc, tag, utf8.constData(), size_t(utf8.size()));
  }

  void field(const char* tag, const char* indicators, const Subfields& subfields) override {
    bool any = false;
    for (const auto& [code, text] : subfields) {
      if (text.isEmpty()) continue;
      if (!any) yaz_marc_add_datafield(m_marc, tag, indicators, 2);
      any = true;
      const QByteArray data = code + text.toUtf8();
      yaz_marc_add_subfield(m_marc, data.constData(), size_t(data.size()));
    }
  }

 private:
  yaz_marc_t m_marc;
};

}  // namespace

struct MarcWriter::Yaz {
  yaz_marc_t marc = yaz_marc_create();
  WRBUF buffer = wrbuf_alloc();
  ~Yaz() {
    wrbuf_destroy(buffer);
    yaz_marc_destroy(marc);
  }
};

MarcWriter::MarcWriter(MarcStandard standard, MarcEncoding encoding, const MarcOptions& options)
    : m_standard(standard), m_options(options), m_yaz(std::make_unique<Yaz>()) {
  if (!m_options.moment.isValid()) m_options.moment = QDateTime::currentDateTime();
  yaz_marc_xml(m_yaz->marc, encoding == MarcEncoding::MarcXml ? YAZ_MARC_MARCXML : YAZ_MARC_ISO2709);
  if (encoding == MarcEncoding::MarcXml) yaz_marc_enable_collection(m_yaz->marc);
}

MarcWriter::~MarcWriter() = default;

bool MarcWriter::write(qint32 number, const MarcBook& book, QByteArray& out) {
  yaz_marc_reset(m_yaz->marc);
  YazFields fields(m_yaz->marc);
  if (m_standard == MarcStandard::Unimarc)
    addUnimarcFields(fields, number, book, m_options);
  else
    addMarc21Fields(fields, number, book, m_options);
  wrbuf_rewind(m_yaz->buffer);
  if (yaz_marc_write_mode(m_yaz->marc, m_yaz->buffer) != 0) return false;
  out.append(wrbuf_buf(m_yaz->buffer), qsizetype(wrbuf_len(m_yaz->buffer)));
  return true;
}

void MarcWriter::finish(QByteArray& out) {
  wrbuf_rewind(m_yaz->buffer);
  yaz_marc_write_trailer(m_yaz->marc, m_yaz->buffer);
  out.append(wrbuf_buf(m_yaz->buffer), qsizetype(wrbuf_len(m_yaz->buffer)));
}
