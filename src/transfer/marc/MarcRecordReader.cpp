#include "transfer/marc/MarcRecordReader.h"

#include <QFile>
#include <QStringList>
#include <QXmlStreamReader>

using namespace Qt::StringLiterals;

bool isMarcXmlElement(const QXmlStreamReader& xml, QStringView name) {
  static const QStringList kNamespaces{u"http://www.loc.gov/MARC21/slim"_s, u"info:lc/xmlns/marcxchange-v1"_s};
  return xml.name() == name && kNamespaces.contains(xml.namespaceUri().toString());
}

namespace {

QByteArray withoutBom(const QByteArray& start) { return start.startsWith("\xEF\xBB\xBF") ? start.mid(3) : start; }

enum class Root { Marc, Other, None };
// The first element of the XML at the start of a file: MARCXML's, another's,
// or none before the XML breaks or the start ends.
Root xmlRootOf(const QByteArray& start) {
  QXmlStreamReader xml(withoutBom(start));
  while (!xml.atEnd() && !xml.hasError()) {
    xml.readNext();
    if (xml.isStartElement())
      return isMarcXmlElement(xml, u"collection") || isMarcXmlElement(xml, u"record") ? Root::Marc : Root::Other;
  }
  return Root::None;
}

}  // namespace

std::optional<MarcEncoding> marcEncodingOf(QIODevice& file) {
  if (!file.seek(0)) return std::nullopt;
  QByteArray start = file.read(4096);
  if (isIso2709Leader(start)) {
    // The directory ends with the field terminator where the leader says the
    // data begin, and a record that the file holds whole ends with the record
    // terminator; a file that breaks off later in its first record is still
    // MARC, and damaged. No text file holds these two bytes.
    const int base = start.mid(12, 5).toInt();
    if (base > start.size()) start += file.read(base - start.size());
    if (base > start.size() || start[base - 1] != 0x1E) return std::nullopt;
    const qint64 length = start.left(5).toLongLong();
    if (file.size() < length) return MarcEncoding::Iso2709;
    char last = 0;
    return file.seek(length - 1) && file.getChar(&last) && last == 0x1D ? std::optional(MarcEncoding::Iso2709)
                                                                        : std::nullopt;
  }
  return xmlRootOf(start) == Root::Marc ? std::optional(MarcEncoding::MarcXml) : std::nullopt;
}

std::optional<MarcEncoding> marcFileLookOf(QIODevice& file, bool xmlName) {
  if (!file.seek(0)) return std::nullopt;
  const QByteArray start = file.read(4096);
  if (isIso2709Leader(start)) return MarcEncoding::Iso2709;
  // XML whose first element is another's is no MARC, however it is named.
  if (xmlRootOf(start) != Root::None) return std::nullopt;
  const QByteArray text = withoutBom(start).trimmed();
  if (!text.startsWith('<')) return std::nullopt;
  return xmlName || text.toLower().contains("marc") || text.contains("<record") ? std::optional(MarcEncoding::MarcXml)
                                                                                : std::nullopt;
}
