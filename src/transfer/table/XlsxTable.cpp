// An xlsx sheet read row by row: the workbook and its relationships say
// where the sheet is, the shared strings and the number formats are read
// whole, the sheet itself is streamed.
//
// Numbers come in as the sheet shows them, within reason: whole numbers
// exactly ("42", not "42.0"), formats of zeros with their padding and
// decimals ("0000" shows 42 as "0042"), dates day/month/year and times as
// a Greek system shows them ("11/9/2024", "11/9/2024 08:30", "08:30"), every other number by its
// shortest text to 15 digits with a decimal comma ("3,5"), as a Greek sheet
// shows it. The text a format puts around the digits is not kept.
#include "transfer/table/XlsxTable.h"

#include <QDate>
#include <QDir>
#include <QHash>
#include <QRegularExpression>
#include <cmath>

#include "transfer/table/workbook/SheetRows.h"
#include "transfer/table/workbook/SheetXml.h"
#include "transfer/table/workbook/ZipEntries.h"

using namespace Qt::StringLiterals;

namespace {

struct Relation {
  QString type;
  QString target;  // the entry's name in the zip
};

// How a number of a given style shows.
struct NumberShape {
  enum class Kind { Shortest, Fixed, Date, DateTime, Time };
  Kind kind = Kind::Shortest;
  int digits = 1;
  int decimals = 0;
};

QString folderOf(const QString& entry) {
  const qsizetype slash = entry.lastIndexOf(u'/');
  return slash < 0 ? QString() : entry.left(slash + 1);
}

// What a text costs where Qt keeps it, with the slack of a growing list.
qint64 heldBy(const QString& text) { return 2 * qint64(sizeof(QString)) + (text.isEmpty() ? 0 : 18 + 2 * text.size()); }

// Counts what the reading holds; false, with `xml` stopped, past the budget.
bool hold(SheetXml& xml, qint64& held, qint64 bytes, const QString& path) {
  if ((held += bytes) <= SheetRows::kMostHeldBytes) return true;
  xml.raiseError(SheetRows::tooBig(
      path, u"τα κοινά κείμενα, οι μορφές αριθμών και οι σχέσεις των μερών του χρειάζονται πάνω από %1 MB μνήμης"_s.arg(
                SheetRows::kMostHeldBytes >> 20)));
  return false;
}

// Reads a whole entry as XML through `read`, which sees every element start
// and returns false to stop (having stopped `xml` with the reason).
template <typename Read>
bool readXml(ZipEntries& zip, const QString& path, const QString& entry, QString& error, Read read) {
  QIODevice* device = zip.stream(entry, error);
  if (!device) return false;
  SheetXml xml(device, path, entry);
  while (!xml.atEnd())
    if (xml.readNext() == QXmlStreamReader::StartElement && !read(xml)) break;
  error = zip.streamError(xml);
  return error.isEmpty();
}

// The relationships of the entry `owner` (an empty owner for the package's
// own), none when it has none; `error` set when they cannot be read.
QHash<QString, Relation> relationsOf(ZipEntries& zip, const QString& path, const QString& owner, qint64& held,
                                     QString& error) {
  const QString rels = folderOf(owner) + u"_rels/"_s + owner.mid(folderOf(owner).size()) + u".rels"_s;
  QHash<QString, Relation> relations;
  if (!zip.contains(rels)) return relations;
  readXml(zip, path, rels, error, [&](SheetXml& xml) {
    if (xml.name() != u"Relationship"_s) return true;
    const QXmlStreamAttributes a = xml.attributes();
    QString target = a.value(u"Target"_s).toString();
    target = target.startsWith(u'/') ? target.mid(1) : QDir::cleanPath(folderOf(owner) + target);
    const Relation relation{a.value(u"Type"_s).toString(), target};
    const QString id = a.value(u"Id"_s).toString();
    relations.insert(id, relation);
    return hold(xml, held, heldBy(id) + heldBy(relation.type) + heldBy(relation.target), path);
  });
  return relations;
}

QString targetOfType(const QHash<QString, Relation>& relations, QStringView type) {
  for (const Relation& r : relations)
    if (r.type.endsWith(type)) return r.target;
  return QString();
}

// Excel's escapes of characters that XML cannot hold ("_x000D_").
QString unescaped(QString text) {
  if (!text.contains(u"_x"_s)) return text;
  static const QRegularExpression escape(u"_x([0-9A-Fa-f]{4})_"_s);
  QString out;
  qsizetype from = 0;
  for (auto it = escape.globalMatch(text); it.hasNext();) {
    const QRegularExpressionMatch m = it.next();
    out += QStringView(text).mid(from, m.capturedStart() - from);
    out += QChar(char16_t(m.captured(1).toUShort(nullptr, 16)));
    from = m.capturedEnd();
  }
  out += QStringView(text).mid(from);
  return out;
}

// The text of a rich text element (a shared string, an inline string): its
// runs joined, the phonetic guides left out. Reads to the element's end.
QString richText(SheetXml& xml) {
  QString text;
  const QString element = xml.name().toString();
  while (!xml.atEnd()) {
    xml.readNext();
    if (xml.isEndElement() && xml.name() == element) break;
    if (!xml.isStartElement()) continue;
    if (xml.name() == u"rPh"_s || xml.name() == u"phoneticPr"_s)
      xml.skipCurrentElement();
    else if (xml.name() == u"t"_s)
      appendToCell(text, xml.readElementText());
  }
  return unescaped(text);
}

NumberShape builtInShape(int id) {
  using K = NumberShape::Kind;
  if (id == 1) return {K::Fixed, 1, 0};
  if (id == 2) return {K::Fixed, 1, 2};
  if ((id >= 14 && id <= 17) || (id >= 27 && id <= 31) || (id >= 34 && id <= 36) || (id >= 50 && id <= 58))
    return {K::Date, 0, 0};
  if (id == 22) return {K::DateTime, 0, 0};
  if ((id >= 18 && id <= 21) || (id >= 45 && id <= 47) || id == 32 || id == 33) return {K::Time, 0, 0};
  return {};
}

// A format code's first section reduced to what decides the shape: quoted
// text, escapes, colours and locales left out.
NumberShape shapeOfCode(const QString& code) {
  using K = NumberShape::Kind;
  QString plain;
  for (qsizetype i = 0; i < code.size(); ++i) {
    const QChar c = code[i];
    if (c == u';') break;
    if (c == u'"') {
      i = code.indexOf(u'"', i + 1);
      if (i < 0) break;
    } else if (c == u'\\' || c == u'_' || c == u'*') {
      ++i;
    } else if (c == u'[') {
      const qsizetype close = code.indexOf(u']', i);
      if (close < 0) break;
      // [h], [mm], [ss]: elapsed time.
      const QString inside = code.mid(i + 1, close - i - 1).toLower();
      if (!inside.isEmpty() && inside.count(inside[0]) == inside.size() && QStringView(u"hms").contains(inside[0]))
        plain += u'h';
      i = close;
    } else {
      plain += c.toLower();
    }
  }
  if (plain.contains(u"general"_s)) return {};
  static const QRegularExpression zeros(u"^(0+)(?:\\.(0+))?$"_s);
  if (const QRegularExpressionMatch m = zeros.match(plain); m.hasMatch())
    return {K::Fixed, int(m.capturedLength(1)), int(m.capturedLength(2))};
  const bool time = plain.contains(u'h') || plain.contains(u's');
  const bool date = plain.contains(u'y') || plain.contains(u'd') || (plain.contains(u'm') && !time);
  if (date) return {time ? K::DateTime : K::Date, 0, 0};
  if (time) return {K::Time, 0, 0};
  return {};
}

QString numberText(double value, const NumberShape& shape, bool date1904) {
  using K = NumberShape::Kind;
  if (!std::isfinite(value)) return SheetRows::shortestNumber(value);
  if (shape.kind == K::Fixed) {
    QString text = QString::number(std::fabs(value), 'f', shape.decimals);
    const qsizetype point = text.indexOf(u'.');
    text = text.rightJustified(text.size() - (point < 0 ? text.size() : point) + shape.digits, u'0');
    text.replace(u'.', u',');
    const bool zero = text.count(u'0') + text.count(u',') == text.size();
    return value < 0 && !zero ? u'-' + text : text;
  }
  if (shape.kind == K::Shortest || value < 0 || value >= 2958466) return SheetRows::shortestNumber(value);
  qint64 days = qint64(std::floor(value));
  qint64 seconds = std::llround((value - double(days)) * 86400);
  if (seconds >= 86400) {
    ++days;
    seconds -= 86400;
  }
  // The 1900 calendar counts a 29 February 1900 that never was.
  QDate base = date1904 ? QDate(1904, 1, 1) : days < 61 ? QDate(1899, 12, 31) : QDate(1899, 12, 30);
  const QString date = base.addDays(days).toString(u"d/M/yyyy"_s);
  const QString time = QTime(0, 0).addSecs(int(seconds)).toString(seconds % 60 ? u"HH:mm:ss"_s : u"HH:mm"_s);
  if (shape.kind == K::Date) return date;
  if (shape.kind == K::Time) return time;
  return date + u' ' + time;
}

// The column of a cell reference ("C5" → 2), -1 when it has none.
qint64 columnOf(QStringView reference) {
  qint64 column = 0;
  qsizetype i = 0;
  for (; i < reference.size() && reference[i] >= u'A' && reference[i] <= u'Z'; ++i)
    column = std::min<qint64>(column * 26 + (reference[i].unicode() - u'A' + 1), 2 * SheetRows::kMostColumns);
  return i == 0 ? -1 : column - 1;
}

class XlsxTable : public SheetRows {
 public:
  XlsxTable(const QString& path, const QString& sheet, std::unique_ptr<ZipEntries> zip, QIODevice* stream,
            const QString& entry, QStringList strings, QList<NumberShape> shapes, bool date1904)
      : SheetRows(path, FileFormatId::Xlsx, sheet),
        m_zip(std::move(zip)),
        m_xml(stream, path, entry),
        m_strings(std::move(strings)),
        m_shapes(std::move(shapes)),
        m_date1904(date1904) {}

 protected:
  bool nextStored(Stored& stored) override {
    while (!m_done && !m_xml.atEnd()) {
      m_xml.readNext();
      if (m_xml.isEndElement() && m_xml.name() == u"sheetData"_s) break;
      if (m_xml.isStartElement() && m_xml.name() == u"row"_s) return readRow(stored);
    }
    m_done = true;
    return xmlFailed();
  }

 private:
  bool readRow(Stored& stored) {
    const QStringView r = m_xml.attributes().value(u"r"_s);
    if (!r.isEmpty()) {
      bool ok = false;
      stored.number = std::min<qint64>(r.toLongLong(&ok), mostRows() * 2);
      if (!ok || stored.number < 1) return fail(damaged(path(), u"σειρά με αριθμό «%1»"_s.arg(r)));
    }
    Cells cells(stored.cells);
    while (!m_xml.atEnd()) {
      m_xml.readNext();
      if (m_xml.isEndElement() && m_xml.name() == u"row"_s) return true;
      if (!m_xml.isStartElement() || m_xml.name() != u"c"_s) continue;
      const qint64 column = columnOf(m_xml.attributes().value(u"r"_s));
      QString text;
      if (!readCell(text)) return false;
      if (!cells.put(column < 0 ? cells.end() : column, text))
        return fail(tooBig(path(), u"η σειρά %1 έχει πάνω από %2 στήλες"_s.arg(stored.number).arg(kMostColumns)));
    }
    return xmlFailed();
  }

  // The text a cell shows; reads to the cell's end.
  bool readCell(QString& text) {
    const QXmlStreamAttributes a = m_xml.attributes();
    const QString type = a.value(u"t"_s).toString();
    const qsizetype style = a.value(u"s"_s).toLongLong();
    QString value;
    QString inlineText;
    while (!m_xml.atEnd()) {
      m_xml.readNext();
      if (m_xml.isEndElement() && m_xml.name() == u"c"_s) break;
      if (!m_xml.isStartElement()) continue;
      if (m_xml.name() == u"v"_s)
        appendToCell(value, m_xml.readElementText());
      else if (m_xml.name() == u"is"_s)
        inlineText = richText(m_xml);
      else
        m_xml.skipCurrentElement();
    }
    if (m_xml.hasError()) return xmlFailed();
    if (type == u"inlineStr"_s) {
      text = inlineText;
    } else if (value.isEmpty()) {
      text.clear();
    } else if (type == u"s"_s) {
      bool ok = false;
      const qsizetype index = value.toLongLong(&ok);
      if (!ok || index < 0 || index >= m_strings.size())
        return fail(damaged(path(), u"ένα κελί δείχνει το κοινό κείμενο %1, που δεν υπάρχει"_s.arg(value)));
      text = m_strings[index];
    } else if (type == u"b"_s) {
      text = value == u"1"_s ? u"ΑΛΗΘΕΣ"_s : u"ΨΕΥΔΕΣ"_s;
    } else if (type == u"str"_s || type == u"e"_s || type == u"d"_s) {
      text = unescaped(value);
    } else {
      bool ok = false;
      const double number = value.toDouble(&ok);
      const NumberShape shape = style >= 0 && style < m_shapes.size() ? m_shapes[style] : NumberShape();
      text = ok ? numberText(number, shape, m_date1904) : value;
    }
    return true;
  }

  // False, failing when the stream or its XML did.
  bool xmlFailed() {
    const QString stopped = m_zip->streamError(m_xml);
    return !stopped.isEmpty() && fail(stopped, m_zip->streamReadFailed());
  }

  std::unique_ptr<ZipEntries> m_zip;
  SheetXml m_xml;
  QStringList m_strings;
  QList<NumberShape> m_shapes;
  bool m_date1904;
  bool m_done = false;
};

QList<NumberShape> readShapes(ZipEntries& zip, const QString& path, const QString& entry, qint64& held,
                              QString& error) {
  QHash<int, QString> codes;
  QList<NumberShape> shapes;
  bool inCellXfs = false;
  readXml(zip, path, entry, error, [&](SheetXml& xml) {
    const QXmlStreamAttributes a = xml.attributes();
    if (xml.name() == u"numFmt"_s) {
      const QString code = a.value(u"formatCode"_s).toString();
      codes.insert(a.value(u"numFmtId"_s).toInt(), code);
      if (!hold(xml, held, heldBy(code) + 16, path)) return false;
    }
    if (xml.name() == u"cellStyleXfs"_s || xml.name() == u"cellXfs"_s) inCellXfs = xml.name() == u"cellXfs"_s;
    if (xml.name() == u"xf"_s && inCellXfs) {
      const int id = a.value(u"numFmtId"_s).toInt();
      shapes.append(codes.contains(id) ? shapeOfCode(codes[id]) : builtInShape(id));
      return hold(xml, held, 2 * qint64(sizeof(NumberShape)), path);
    }
    return true;
  });
  return shapes;
}

QStringList readStrings(ZipEntries& zip, const QString& path, const QString& entry, qint64& held, QString& error) {
  QStringList strings;
  readXml(zip, path, entry, error, [&](SheetXml& xml) {
    if (xml.name() != u"si"_s) return true;
    strings.append(richText(xml));
    return hold(xml, held, heldBy(strings.last()), path);
  });
  return strings;
}

}  // namespace

std::unique_ptr<TableReader> openXlsxTable(QIODevice& in, const QString& path, const QString& sheet, QString& error) {
  std::unique_ptr<ZipEntries> zip = ZipEntries::open(in, path, u"xlsx"_s, error);
  if (!zip) return nullptr;
  qint64 held = 0;
  const QHash<QString, Relation> package = relationsOf(*zip, path, QString(), held, error);
  if (!error.isEmpty()) return nullptr;
  QString book = targetOfType(package, u"/officeDocument");
  if (book.isEmpty()) book = u"xl/workbook.xml"_s;
  const QHash<QString, Relation> relations = relationsOf(*zip, path, book, held, error);
  if (!error.isEmpty()) return nullptr;

  QStringList names;
  QStringList entries;
  bool date1904 = false;
  const bool read = readXml(*zip, path, book, error, [&](SheetXml& xml) {
    const QXmlStreamAttributes a = xml.attributes();
    if (xml.name() == u"workbookPr"_s)
      date1904 = a.value(u"date1904"_s) == u"1"_s || a.value(u"date1904"_s) == u"true"_s;
    if (xml.name() != u"sheet"_s) return true;
    // The relationship's id, whichever prefix its namespace has.
    for (const QXmlStreamAttribute& attribute : a) {
      const Relation r = relations.value(attribute.value().toString());
      if (attribute.name() == u"id"_s && !attribute.namespaceUri().isEmpty() && r.type.endsWith(u"/worksheet"_s)) {
        names.append(a.value(u"name"_s).toString());
        entries.append(r.target);
        if (!hold(xml, held, heldBy(names.last()) + heldBy(r.target), path)) return false;
      }
    }
    return true;
  });
  if (!read) return nullptr;
  const qsizetype chosen = SheetRows::chosenSheet(names, sheet);
  if (chosen < 0) {
    error = SheetRows::noSheet(path, sheet, names);
    return nullptr;
  }

  QList<NumberShape> shapes;
  if (const QString styles = targetOfType(relations, u"/styles"); !styles.isEmpty() && zip->contains(styles)) {
    shapes = readShapes(*zip, path, styles, held, error);
    if (!error.isEmpty()) return nullptr;
  }
  QStringList strings;
  if (const QString shared = targetOfType(relations, u"/sharedStrings"); !shared.isEmpty() && zip->contains(shared)) {
    strings = readStrings(*zip, path, shared, held, error);
    if (!error.isEmpty()) return nullptr;
  }
  QIODevice* stream = zip->stream(entries[chosen], error);
  if (!stream) return nullptr;
  auto table = std::make_unique<XlsxTable>(path, names[chosen], std::move(zip), stream, entries[chosen],
                                           std::move(strings), std::move(shapes), date1904);
  table->setSheets(names);
  return table;
}
