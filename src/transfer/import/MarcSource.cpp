// The records of a MARC file (MARC21 or UNIMARC, ISO 2709 or MARCXML) as
// catalogue records: each record's fields mapped back and fitted by the rules
// every import shares. A damaged file is refused where it breaks.
#include "transfer/import/MarcSource.h"

#include <QFileInfo>
#include <QIODevice>
#include <array>
#include <cerrno>
#include <cstring>

#include "catalogue/CatalogueRecord.h"
#include "catalogue/FieldLabels.h"
#include "catalogue/file/CatalogueFile.h"
#include "transfer/ReadingStop.h"
#include "transfer/import/FieldText.h"
#include "transfer/import/ImportSource.h"
#include "transfer/marc/MarcRecordReader.h"
#include "transfer/marc/MarcToCatalogue.h"

using namespace Qt::StringLiterals;

namespace {

// A MARC field holds one line: control characters become a blank; C1 marks
// (UNIMARC's non-sorting marks among them) go; accents are composed as the
// code page holds them.
QString oneLine(const QString& text) {
  QString line;
  line.reserve(text.size());
  for (const QChar c : text) {
    if (c.unicode() >= 0x80 && c.unicode() < 0xA0) continue;
    line.append(c.unicode() < 0x20 || c.unicode() == 0x7F ? QChar(u' ') : c);
  }
  return line.normalized(QString::NormalizationForm_C).trimmed();
}

class MarcSource : public ImportSource {
 public:
  MarcSource(std::unique_ptr<QIODevice> in, const QString& path, MarcEncoding encoding, const ImportOptions& options)
      : m_in(std::move(in)), m_path(path), m_encoding(encoding), m_options(options) {}

  bool read(ImportResult& result, const Sink& sink) override {
    if (!m_in->seek(0)) return failed(result, EIO);
    std::unique_ptr<MarcRecordReader> reader =
        m_encoding == MarcEncoding::MarcXml ? makeMarcXmlReader(*m_in) : makeIso2709Reader(*m_in);
    const QString type = m_encoding == MarcEncoding::MarcXml ? u"MARCXML"_s : u"MARC (ISO 2709)"_s;
    MarcRecord marc;
    QString error;
    qint64 number = 0;
    while (true) {
      if (readingStopped()) return stoppedReading(result);
      switch (reader->next(marc, error)) {
        case MarcRecordReader::Next::Record:
          break;
        case MarcRecordReader::Next::End:
          if (number == 0)
            result.refuse(u"το αρχείο %1 «%2» δεν έχει καμία εγγραφή"_s.arg(type, QFileInfo(m_path).fileName()));
          return true;
        case MarcRecordReader::Next::Damaged:
          result.refuse(u"το αρχείο %1 «%2» δεν διαβάζεται στην εγγραφή %3 (%4): %5"_s.arg(
              type, QFileInfo(m_path).fileName(), QString::number(number + 1), reader->position(), error));
          return true;
        case MarcRecordReader::Next::Failed:
          return failed(result, EIO);
      }
      ++number;
      std::array<char, CatalogueRecord::kLength> record;
      bool empty = true;
      if (!convert(number, marc, record.data(), empty, result) || result.status != ImportResult::Status::Done) continue;
      // A record with nothing for the catalogue (an authority record, say) makes no blank record.
      if (empty) {
        ImportReason skipped;
        skipped.code = ImportReason::Code::Skipped;
        skipped.place = which(number, marc) + u": "_s;
        result.notes.add(skipped);
      } else if (!sink(record.data())) {
        return false;
      }
    }
  }

 private:
  // The record by its place in the file and its own number.
  static QString which(qint64 number, const MarcRecord& marc) {
    const QString controlNumber = oneLine(marc.control(u"001"_s)).left(30);
    return controlNumber.isEmpty() ? u"εγγραφή MARC %1"_s.arg(number)
                                   : u"εγγραφή MARC %1 (001 «%2»)"_s.arg(number).arg(controlNumber);
  }

  // The record's fields as the catalogue stores them, written at `bytes`.
  bool convert(qint64 number, const MarcRecord& marc, char* bytes, bool& empty, ImportResult& result) {
    const QList<QString> fields = catalogueFieldsOf(marc);
    std::memset(bytes, ' ', CatalogueRecord::kLength);
    bool ok = true;
    for (int field = 0; field < fields.size(); ++field) {
      const QString text = oneLine(fields[field]);
      empty = empty && text.isEmpty();
      const FieldPlace where = [&] { return which(number, marc) + u", πεδίο «%1»: "_s.arg(fieldLabel(field)); };
      ok = fitFieldBytes(text, field, m_options, where, result, bytes + CatalogueRecord::kOffset[field]) && ok;
    }
    return ok;
  }

  bool failed(ImportResult& result, int error) {
    result.fail(CatalogueError::of(CatalogueError::Operation::Read, m_path, error != 0 ? error : EIO).describe());
    return false;
  }

  std::unique_ptr<QIODevice> m_in;
  QString m_path;
  MarcEncoding m_encoding;
  ImportOptions m_options;
};

}  // namespace

std::unique_ptr<ImportSource> makeMarcSource(std::unique_ptr<QIODevice> in, const QString& path, MarcEncoding encoding,
                                             const ImportOptions& options) {
  return std::make_unique<MarcSource>(std::move(in), path, encoding, options);
}
