// A compound file (the container of every xls) followed just far enough to
// read its workbook stream, and that stream's records walked for the sheet
// dimensions, the number formats and the numbers that show as dates. Every
// count and link is checked against the file's size, so that a hostile file
// costs no more than its own bytes.
#include "transfer/table/XlsDimensions.h"

#include <QByteArray>
#include <QFile>
#include <QHash>
#include <QList>
#include <algorithm>
#include <array>
#include <cstring>

#include "transfer/table/XlsSharedStrings.h"

namespace {

constexpr int kEntry = 128;  // a directory entry
// FreeXL's buffer for a record.
constexpr quint16 kLongestRecord = 8224;
// The cells whose row and column FreeXL takes for a sheet's extent when it
// has no dimensions: a number, a true or false, an RK number or a row of
// them, a text, a shared text.
constexpr std::array<quint16, 6> kCellTypes{0x0203, 0x0205, 0x027E, 0x00BD, 0x0204, 0x00FD};

quint32 u32(const QByteArray& bytes, qsizetype at) {
  if (at < 0 || at + 4 > bytes.size()) return 0xFFFFFFFF;
  const auto* b = reinterpret_cast<const uchar*>(bytes.constData() + at);
  return quint32(b[0]) | quint32(b[1]) << 8 | quint32(b[2]) << 16 | quint32(b[3]) << 24;
}

quint8 u8(const QByteArray& bytes, qsizetype at) { return at >= 0 && at < bytes.size() ? quint8(bytes[at]) : 0; }

quint16 u16(const QByteArray& bytes, qsizetype at) {
  if (at < 0 || at + 2 > bytes.size()) return 0xFFFF;
  const auto* b = reinterpret_cast<const uchar*>(bytes.constData() + at);
  return quint16(b[0] | b[1] << 8);
}

// The compound file as FreeXL walks it, each step checked first: it takes
// counts and links on trust, follows a chain until its end mark and no
// further, and looks for the workbook by name in the directory's first
// sector alone.
class CompoundFile {
 public:
  explicit CompoundFile(const QString& path) : m_file(path) {}

  // The header and the table of links: the sectors of the table listed
  // first in the header, then in a chain of their own of as many sectors as
  // the header counts.
  bool open() {
    if (!m_file.open(QIODevice::ReadOnly)) return false;
    m_header = m_file.read(512);
    const quint16 shift = u16(m_header, 0x1E);
    if (m_header.size() < 512 || (shift != 9 && shift != 12) || u16(m_header, 0x20) != 6) return false;
    m_sector = qsizetype(1) << shift;
    // The header fills the file's first sector, whatever its size.
    m_sectors = m_file.size() / m_sector - 1;
    if (m_sectors <= 0) return false;
    QList<quint32> tables;
    for (int i = 0; i < 109; ++i)
      if (const quint32 s = u32(m_header, 0x4C + 4 * i); s != kFree) tables.append(s);
    const quint32 count = u32(m_header, 0x48);
    QByteArray more;
    QList<bool> seen(m_sectors);
    quint32 read = 0;
    bool ended = false;
    quint32 next = kEnd;
    for (quint32 s = u32(m_header, 0x44); read < count && !ended; s = next) {
      if (s >= quint32(m_sectors) || seen[s] || !this->read(s, more)) return false;
      seen[s] = true;
      ++read;
      const qsizetype last = m_sector / 4 - 1;
      for (qsizetype i = 0; i < last && !ended; ++i) {
        const quint32 t = u32(more, 4 * i);
        ended = t == kEnd;
        if (!ended && t != kFree) tables.append(t);
      }
      next = u32(more, 4 * last);
      ended = ended || next == kEnd;
    }
    // FreeXL reads as many sectors as the header counts, an end mark or
    // not: past a chain's end it reads the header as one.
    if (read != count || (count > 0 && !ended && next != kFree)) return false;
    // FreeXL keeps some 32 bytes for every link: no more sectors of links
    // than a file of this size needs, with room to spare (a mini sector
    // holds 64 bytes).
    const qsizetype links = m_sector / 4;
    if (tables.size() > 2 * (m_sectors / links + 1) || u32(m_header, 0x40) > quint32(2 * (m_sectors / 16 + 1)))
      return false;
    QByteArray sector;
    for (const quint32 s : tables) {
      if (!this->read(s, sector)) return false;
      m_links += sector;
    }
    return true;
  }

  enum class Found { Workbook, NoWorkbook, BadName };
  // The workbook stream, "Workbook" or "Book", found as FreeXL finds it:
  // the first entry of that name in the directory's first sector, whose
  // names FreeXL reads up to that entry as UTF-16. `entry` is the entry
  // (from 0) whose name cannot be read.
  Found workbook(quint32& start, quint32& size, int& entry) {
    QByteArray directory;
    if (!read(u32(m_header, 0x30), directory)) return Found::NoWorkbook;
    for (entry = 0; (entry + 1) * kEntry <= directory.size(); ++entry) {
      const qsizetype at = qsizetype(entry) * kEntry;
      QString name;
      if (!entryName(directory, at, name)) return Found::BadName;
      if (name == u"Workbook" || name == u"Book") {
        start = u32(directory, at + 0x74);
        size = u32(directory, at + 0x78);
        return Found::Workbook;
      }
    }
    return Found::NoWorkbook;
  }

  // The sectors of the chain from `first`, in order, up to its end mark.
  bool chain(quint32 first, QByteArray& bytes) {
    bytes.clear();
    QByteArray sector;
    const qsizetype most = m_links.size() / 4;
    qsizetype count = 0;
    for (quint32 s = first; s != kEnd; s = u32(m_links, 4 * qsizetype(s))) {
      if (++count > most || !read(s, sector)) return false;  // a loop, or a link out of the file
      bytes += sector;
    }
    return true;
  }

  qsizetype sectorSize() const { return m_sector; }
  // Whether FreeXL would look for a stream of `size` bytes in the mini stream.
  bool inMiniStream(quint32 size) const { return u32(m_header, 0x40) > 0 && size <= u32(m_header, 0x38); }

 private:
  static constexpr quint32 kEnd = 0xFFFFFFFE;
  static constexpr quint32 kFree = 0xFFFFFFFF;

  // An entry's name: a length in bytes (at most 32 UTF-16 units with the
  // closing zero) and that many bytes, read to its first zero. False for a
  // length no name has or a half of a UTF-16 pair alone, which FreeXL's
  // conversion refuses or reads past its buffer for.
  static bool entryName(const QByteArray& directory, qsizetype at, QString& name) {
    const quint16 length = u16(directory, at + 0x40);
    if (length > 64 || length % 2) return false;
    for (qsizetype i = 0; i < length / 2; ++i) {
      const char16_t unit = u16(directory, at + 2 * i);
      const bool high = QChar::isHighSurrogate(unit);
      const bool low = QChar::isLowSurrogate(unit);
      const bool paired = !name.isEmpty() && name.back().isHighSurrogate();
      if ((low && !paired) || (paired && !low) || (high && i + 1 == length / 2)) return false;
      name.append(QChar(unit));
    }
    if (const qsizetype zero = name.indexOf(QChar(0)); zero >= 0) name.truncate(zero);
    return true;
  }

  bool read(quint32 sector, QByteArray& bytes) {
    if (sector >= quint32(m_sectors) || !m_file.seek((qint64(sector) + 1) * m_sector)) return false;
    bytes = m_file.read(m_sector);
    return bytes.size() == m_sector;
  }

  QFile m_file;
  QByteArray m_header;
  QByteArray m_links;
  qsizetype m_sector = 512;
  qsizetype m_sectors = 0;
};

// The last day the calendar of a sheet holds: 31 December 9999.
constexpr double kLastDay = 2958465;

// Whether a number format shows a date or a time: the built-in ones by
// their numbers, the others by a letter of a date or time outside quotes and
// brackets.
bool isDateFormat(int id, const QString& code) {
  if ((id >= 14 && id <= 22) || (id >= 27 && id <= 36) || (id >= 45 && id <= 47) || (id >= 50 && id <= 58)) return true;
  if (id < 164) return false;
  bool quoted = false;
  bool bracket = false;
  for (const QChar c : code) {
    if (c == u'"') quoted = !quoted;
    if (c == u'[') bracket = true;
    if (c == u']') bracket = false;
    if (!quoted && !bracket && QStringView(u"yYdDmMhHsS").contains(c)) return true;
  }
  return false;
}

// A format's text: a 16-bit count, a flag for 16-bit characters, the characters.
QString formatCode(const QByteArray& book, qsizetype at, qsizetype end) {
  const quint16 count = u16(book, at);
  if (at + 3 > end) return QString();
  const bool wide = book[at + 2] & 1;
  QString code;
  for (qsizetype i = 0; i < count; ++i) {
    const qsizetype p = at + 3 + i * (wide ? 2 : 1);
    if (p + (wide ? 2 : 1) > end) break;
    code += wide ? QChar(u16(book, p)) : QChar::fromLatin1(book[p]);
  }
  return code;
}

// An RK number: 30 bits of a double or of an integer, maybe hundredths.
double rkValue(quint32 rk) {
  double value = 0;
  if (rk & 2) {
    value = double(qint32(rk) >> 2);
  } else {
    const quint64 bits = quint64(rk & 0xFFFFFFFC) << 32;
    std::memcpy(&value, &bits, sizeof value);
  }
  return rk & 1 ? value / 100 : value;
}

double f64(const QByteArray& bytes, qsizetype at) {
  double value = 0;
  if (at + 8 <= bytes.size()) std::memcpy(&value, bytes.constData() + at, sizeof value);
  return value;
}

// Whether the text a record holds at `at` (after `countBytes` bytes of count
// and, in BIFF8, a byte of flags) lies within the record's `end`.
bool textFits(const QByteArray& book, qsizetype at, int countBytes, bool biff8, qsizetype end) {
  const qsizetype count = countBytes == 1 ? qsizetype(u8(book, at)) : qsizetype(u16(book, at));
  if (!biff8) return at + countBytes + count <= end;
  const quint8 flags = u8(book, at + countBytes);
  const qsizetype header = countBytes + 1 + (flags & 8 ? 2 : 0) + (flags & 4 ? 4 : 0);
  return at + header + count * (flags & 1 ? 2 : 1) <= end;
}

// FreeXL gives a sheet without dimensions the extent of its cells, and then
// sets aside room for the sheet it read last once for each such sheet: each
// sheet the workbook lists whose dimensions never came, its cells or not.
class SheetExtents {
 public:
  void listed() { ++m_listed; }
  void begin() {
    m_inSheet = true;
    m_declared = false;
    m_rows = m_columns = 0;
  }
  void dimensions(qint64 cells) {
    if (m_inSheet && !m_declared) ++m_declaredSheets;
    m_declared = true;
    m_largest = std::max(m_largest, cells);
  }
  void cell(quint16 row, quint16 column) {
    m_rows = std::max<qint64>(m_rows, row + 1);
    m_columns = std::max<qint64>(m_columns, column + 1);
  }
  void end() {
    if (m_inSheet && !m_declared) {
      ++m_undeclared;
      m_largest = std::max(m_largest, m_rows * m_columns);
    }
    m_inSheet = false;
  }
  // The cells FreeXL sets aside room for beyond the sheets' dimensions.
  qint64 cells() const { return std::max(m_undeclared, m_listed - m_declaredSheets) * m_largest; }

 private:
  bool m_inSheet = false;
  bool m_declared = false;
  qint64 m_rows = 0;
  qint64 m_columns = 0;
  qint64 m_largest = 0;
  qint64 m_undeclared = 0;
  qint64 m_listed = 0;
  qint64 m_declaredSheets = 0;
};

}  // namespace

XlsSurvey surveyXls(const QString& path) {
  XlsSurvey survey;
  CompoundFile file(path);
  if (!file.open()) return survey;
  quint32 start = 0;
  quint32 size = 0;
  switch (file.workbook(start, size, survey.badEntry)) {
    case CompoundFile::Found::Workbook:
      break;
    case CompoundFile::Found::NoWorkbook:
      survey.result = XlsSurvey::Result::NoWorkbook;
      return survey;
    case CompoundFile::Found::BadName:
      survey.result = XlsSurvey::Result::BadDirectory;
      return survey;
  }
  survey.workbookSize = size;
  if (size < kSmallestXlsWorkbook || file.inMiniStream(size)) {
    survey.result = XlsSurvey::Result::SmallWorkbook;
    return survey;
  }
  QByteArray book;
  if (!file.chain(start, book) || book.size() < qsizetype(size)) return survey;
  // FreeXL follows a chain to its end mark whatever the stream's size.
  const qsizetype sector = file.sectorSize();
  const bool runsOn = book.size() > (qsizetype(size) + sector - 1) / sector * sector;
  book.truncate(size);
  // Every workbook begins with the mark of BIFF5 (Excel 5 and 95) or BIFF8 (97 to 2003).
  if (u16(book, 0) != 0x0809 || u16(book, 2) < 2 || (u16(book, 4) != 0x0500 && u16(book, 4) != 0x0600)) {
    survey.result = XlsSurvey::Result::NotBiff;
    return survey;
  }
  const bool biff8 = u16(book, 4) == 0x0600;
  survey.result = XlsSurvey::Result::Read;
  QHash<int, QString> codes;
  QList<bool> dateStyles;  // by the style's number
  XlsSharedStrings strings;
  quint16 previous = 0;  // the last record other than a CONTINUE
  const auto number = [&](qsizetype at, int column, quint16 style, double value) {
    if (style >= dateStyles.size() || !dateStyles[style]) return;
    if (value >= 0 && value <= kLastDay) {
      survey.dateDays += value;
    } else if (survey.badDateRow < 0) {
      survey.badDateRow = u16(book, at);
      survey.badDateColumn = column;
      survey.badDate = value;
    }
  };
  // Records: a type, a length and that many bytes. A sheet's dimensions
  // give its last row and column, each one past the end. FreeXL's reading
  // ends at an empty record of type 0, or one longer than its buffer.
  bool crosses = false;  // a record begun within the stream's size and ended past it
  SheetExtents extents;
  for (qsizetype at = 0; at + 4 <= book.size(); at += 4 + u16(book, at + 2)) {
    const quint16 type = u16(book, at);
    const quint16 length = u16(book, at + 2);
    const qsizetype data = at + 4;
    const qsizetype end = std::min<qsizetype>(data + length, book.size());
    if ((type == 0 && length == 0) || length > kLongestRecord) break;
    crosses = data + length > book.size();
    const bool sharedStrings = type == 0x00FC || (type == 0x003C && previous == 0x00FC);
    if (type != 0x003C) previous = type;
    // The texts FreeXL converts: the shared ones, a cell's, a sheet's name, a number format.
    const bool fits = sharedStrings    ? strings.follow(book, data, length)
                      : type == 0x0204 ? textFits(book, data + 6, 2, biff8, end)
                      : type == 0x0085 ? textFits(book, data + 6, 1, biff8, end)
                      : type == 0x041E ? textFits(book, data + 2, biff8 ? 2 : 1, biff8, end)
                                       : true;
    if (!fits) {
      survey.result = XlsSurvey::Result::TextOverrun;
      survey.badTextAt = at;
      return survey;
    }
    if (type == 0x0809 && at > 0) extents.begin();
    if (type == 0x000A) extents.end();
    if (type == 0x0085) extents.listed();
    if (std::find(kCellTypes.begin(), kCellTypes.end(), type) != kCellTypes.end() && length >= 4)
      extents.cell(u16(book, data), u16(book, data + 2));
    if (type == 0x0200 && length >= 14) {
      const qint64 cells = qint64(u32(book, data + 4)) * u16(book, data + 10);
      survey.claimedCells += cells;
      extents.dimensions(cells);
    } else if ((type == 0x0200 || type == 0x0000) && length >= 8) {
      survey.claimedCells += qint64(u16(book, data + 2)) * u16(book, data + 6);
    } else if (type == 0x041E && length >= 5) {
      codes.insert(u16(book, data), formatCode(book, data + 2, end));
    } else if (type == 0x00E0 && length >= 4) {
      const int id = u16(book, data + 2);
      dateStyles.append(isDateFormat(id, codes.value(id)));
    } else if (type == 0x0203 && length >= 14) {
      number(data, u16(book, data + 2), u16(book, data + 4), f64(book, data + 6));
    } else if (type == 0x027E && length >= 10) {
      number(data, u16(book, data + 2), u16(book, data + 4), rkValue(u32(book, data + 6)));
    } else if (type == 0x00BD && length >= 6) {
      // A row's run of RK numbers: the first column, then a style and a number each.
      const int first = u16(book, data + 2);
      for (qsizetype i = 0; data + 4 + i * 6 + 6 <= end - 2; ++i)
        number(data, first + int(i), u16(book, data + 4 + i * 6), rkValue(u32(book, data + 6 + i * 6)));
    } else if (type == 0x0006 && length >= 14 && u16(book, data + 12) != 0xFFFF) {
      // A formula whose last result is a number.
      number(data, u16(book, data + 2), u16(book, data + 4), f64(book, data + 6));
    }
  }
  extents.end();
  survey.claimedCells += extents.cells();
  // FreeXL reads a record that crosses the stream's end on into the
  // sectors its chain goes on to, and loses count of its buffer's end.
  if (runsOn && crosses) survey.result = XlsSurvey::Result::RunsOn;
  return survey;
}
