// An ods sheet read row by row from the workbook's content.xml, streamed.
// A cell's paragraphs are the text the sheet shows, numbers and dates as
// its own formats show them, but dates in ISO form day/month/year. Repeated rows and cells are counted, not
// spread out, until something follows them.
#include "transfer/table/OdsTable.h"

#include <QFileInfo>

#include "transfer/table/workbook/SheetRows.h"
#include "transfer/table/workbook/SheetXml.h"
#include "transfer/table/workbook/ZipEntries.h"

using namespace Qt::StringLiterals;

namespace {

const QString kContent = u"content.xml"_s;
const QString kOffice = u"urn:oasis:names:tc:opendocument:xmlns:office:1.0"_s;
const QString kTable = u"urn:oasis:names:tc:opendocument:xmlns:table:1.0"_s;
const QString kText = u"urn:oasis:names:tc:opendocument:xmlns:text:1.0"_s;

qint64 repeatOf(const QXmlStreamAttributes& a, const QString& name) {
  const qint64 repeat = a.value(kTable, name).toLongLong();
  // Saturates: the sheet's rows and columns are counted against their bounds.
  static const qint64 kMostRepeat = mostSheetRows() * 4;
  return std::clamp<qint64>(repeat, 1, kMostRepeat);
}

// Characters of a paragraph: XML's line breaks and runs of blanks are one
// blank; the sheet's own blanks, tabs and line breaks are elements.
void appendCharacters(QString& cell, QStringView text) {
  QString plain;
  for (const QChar c : text) {
    const bool blank = c == u' ' || c == u'\n' || c == u'\r' || c == u'\t';
    if (blank && (plain.endsWith(u' ') || (plain.isEmpty() && cell.endsWith(u' ')))) continue;
    plain += blank ? u' ' : c;
  }
  appendToCell(cell, plain);
}

// The value a cell holds, for a cell written without its shown text.
QString valueText(const QXmlStreamAttributes& a) {
  const QStringView type = a.value(kOffice, u"value-type"_s);
  if (type == u"string"_s) return a.value(kOffice, u"string-value"_s).toString();
  if (type == u"boolean"_s) return a.value(kOffice, u"boolean-value"_s) == u"true"_s ? u"ΑΛΗΘΕΣ"_s : u"ΨΕΥΔΕΣ"_s;
  if (type == u"date"_s) return SheetRows::greekDate(a.value(kOffice, u"date-value"_s).toString());
  if (type == u"time"_s) return a.value(kOffice, u"time-value"_s).toString();
  bool ok = false;
  const double number = a.value(kOffice, u"value"_s).toDouble(&ok);
  return ok ? SheetRows::shortestNumber(number) : QString();
}

class OdsTable : public SheetRows {
 public:
  OdsTable(QIODevice& in, const QString& path, const QString& sheet, std::unique_ptr<ZipEntries> zip,
           std::unique_ptr<SheetXml> xml)
      : SheetRows(path, FileFormatId::Ods, sheet), m_in(in), m_zip(std::move(zip)), m_xml(std::move(xml)) {}

  // The rows are streamed, so the names of the sheets after this one are
  // read apart, when asked for.
  QStringList sheets() const override {
    QString error;
    std::unique_ptr<ZipEntries> zip = ZipEntries::open(m_in, path(), u"ods"_s, error);
    QIODevice* content = zip ? zip->stream(kContent, error) : nullptr;
    if (!content) return {};
    QXmlStreamReader xml(content);
    QStringList names;
    while (!xml.atEnd()) {
      if (xml.readNext() != QXmlStreamReader::StartElement || xml.name() != u"table"_s || xml.namespaceUri() != kTable)
        continue;
      names.append(xml.attributes().value(kTable, u"name"_s).toString());
      xml.skipCurrentElement();
    }
    return names;
  }

 protected:
  bool nextStored(Stored& stored) override {
    SheetXml& xml = *m_xml;
    while (!m_done && !xml.atEnd()) {
      xml.readNext();
      if (xml.isEndElement() && xml.name() == u"table"_s && xml.namespaceUri() == kTable) break;
      if (!xml.isStartElement()) continue;
      if (xml.name() == u"table-row"_s) return readRow(stored);
      // Columns, and anything else beside the rows; rows may stand in groups.
      if (xml.name() != u"table-header-rows"_s && xml.name() != u"table-row-group"_s && xml.name() != u"table-rows"_s)
        xml.skipCurrentElement();
    }
    m_done = true;
    return xmlFailed();
  }

 private:
  bool readRow(Stored& stored) {
    SheetXml& xml = *m_xml;
    stored.repeat = repeatOf(xml.attributes(), u"number-rows-repeated"_s);
    Cells cells(stored.cells);
    while (!xml.atEnd()) {
      xml.readNext();
      if (xml.isEndElement() && xml.name() == u"table-row"_s) return true;
      if (!xml.isStartElement()) continue;
      const bool covered = xml.name() == u"covered-table-cell"_s;
      if (!covered && xml.name() != u"table-cell"_s) {
        xml.skipCurrentElement();
        continue;
      }
      const QXmlStreamAttributes a = xml.attributes();
      const qint64 repeat = repeatOf(a, u"number-columns-repeated"_s);
      QString text = readCell();
      if (xml.hasError()) break;
      // A cell hidden under a merged cell shows nothing.
      if (covered) text.clear();
      if (!cells.put(cells.end(), text, repeat))
        return fail(tooBig(path(), u"μια σειρά έχει πάνω από %1 στήλες"_s.arg(kMostColumns)));
    }
    return xmlFailed();
  }

  // The paragraphs of a cell, one line each; reads to the cell's end.
  QString readCell() {
    SheetXml& xml = *m_xml;
    const QXmlStreamAttributes a = xml.attributes();
    QString text;
    bool paragraphs = false;
    int depth = 0;
    while (!xml.atEnd()) {
      xml.readNext();
      if (xml.isEndElement() && depth-- == 0) break;
      if (xml.isCharacters() && depth > 0 && !xml.isWhitespace()) appendCharacters(text, xml.text());
      if (!xml.isStartElement()) continue;
      ++depth;
      const QStringView name = xml.name();
      if (name == u"p"_s || name == u"h"_s) {
        if (paragraphs) appendToCell(text, u"\n");
        paragraphs = true;
      } else if (name == u"s"_s) {
        const qint64 count = std::clamp<qint64>(xml.attributes().value(kText, u"c"_s).toLongLong(), 1, kLongestCell);
        appendToCell(text, QString(count, u' '));
      } else if (name == u"tab"_s) {
        appendToCell(text, u"\t");
      } else if (name == u"line-break"_s) {
        appendToCell(text, u"\n");
      } else if (name == u"annotation"_s || name == u"note"_s) {
        // Comments and notes are not what the cell shows.
        xml.skipCurrentElement();
        --depth;
      }
    }
    // A date a program wrote in ISO form comes in as a Greek system shows it.
    if (paragraphs && a.value(kOffice, u"value-type"_s) == u"date"_s) return greekDate(text);
    return paragraphs ? text : valueText(a);
  }

  bool xmlFailed() {
    const QString stopped = m_zip->streamError(*m_xml);
    return !stopped.isEmpty() && fail(stopped, m_zip->streamReadFailed());
  }

  QIODevice& m_in;
  std::unique_ptr<ZipEntries> m_zip;
  std::unique_ptr<SheetXml> m_xml;
  bool m_done = false;
};

}  // namespace

std::unique_ptr<TableReader> openOdsTable(QIODevice& in, const QString& path, const QString& sheet, QString& error) {
  std::unique_ptr<ZipEntries> zip = ZipEntries::open(in, path, u"ods"_s, error);
  if (!zip) return nullptr;
  // Its start is enough, however long a hostile one is.
  QByteArray mimetype;
  const bool named = zip->contains(u"mimetype"_s);
  if (named)
    if (QIODevice* device = zip->stream(u"mimetype"_s, error)) mimetype = device->read(200);
  if (error.isEmpty()) error = zip->streamError();
  if (error.isEmpty() && named && mimetype.trimmed() != "application/vnd.oasis.opendocument.spreadsheet") {
    error = u"Το αρχείο «%1» δεν είναι φύλλο εργασίας ods αλλά άλλο έγγραφο (%2)."_s.arg(
        QFileInfo(path).fileName(), QString::fromUtf8(mimetype.left(100)));
    return nullptr;
  }
  if (!error.isEmpty()) return nullptr;
  QIODevice* content = zip->stream(kContent, error);
  if (!content) return nullptr;

  // Up to the table asked for, passing over the others.
  auto xml = std::make_unique<SheetXml>(content, path, kContent);
  QStringList names;
  while (!xml->atEnd()) {
    if (xml->readNext() != QXmlStreamReader::StartElement || xml->name() != u"table"_s || xml->namespaceUri() != kTable)
      continue;
    const QString name = xml->attributes().value(kTable, u"name"_s).toString();
    if (sheet.isEmpty() || SheetRows::sameSheet(name, sheet))
      return std::make_unique<OdsTable>(in, path, name, std::move(zip), std::move(xml));
    names.append(name);
    xml->skipCurrentElement();
  }
  error = zip->streamError(*xml);
  if (error.isEmpty()) error = SheetRows::noSheet(path, sheet, names);
  return nullptr;
}
