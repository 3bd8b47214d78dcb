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
#include <cstring>

namespace {

constexpr quint32 kLastSector = 0xFFFFFFFA;  // above: end of chain, free and the like
constexpr int kEntry = 128;                  // a directory entry

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

class CompoundFile {
 public:
  explicit CompoundFile(const QString& path) : m_file(path) {}

  bool open() {
    if (!m_file.open(QIODevice::ReadOnly)) return false;
    m_header = m_file.read(512);
    const quint16 shift = u16(m_header, 0x1E);
    if (m_header.size() < 512 || (shift != 9 && shift != 12) || u16(m_header, 0x20) != 6) return false;
    m_sector = qsizetype(1) << shift;
    m_sectors = (m_file.size() - 512) / m_sector + 1;
    // The table of links, in sectors listed first in the header, then in a chain of its own.
    QList<quint32> tables;
    for (int i = 0; i < 109; ++i)
      if (const quint32 s = u32(m_header, 0x4C + 4 * i); s < kLastSector) tables.append(s);
    QByteArray more;
    qsizetype followed = 0;
    for (quint32 s = u32(m_header, 0x44); s < kLastSector; s = u32(more, m_sector - 4)) {
      if (++followed > m_sectors || !read(s, more)) return false;
      for (qsizetype i = 0; i + 4 < m_sector; i += 4)
        if (const quint32 t = u32(more, i); t < kLastSector) tables.append(t);
    }
    if (tables.size() > m_sectors) return false;
    QByteArray sector;
    for (const quint32 s : tables) {
      if (!read(s, sector)) return false;
      m_links += sector;
    }
    return true;
  }

  // The stream named `name` (or `other`), whole; `small` set when it lies
  // in the mini stream.
  bool stream(const QString& name, const QString& other, QByteArray& bytes, bool& small) {
    QByteArray directory;
    if (!chain(u32(m_header, 0x30), m_links, m_sector, directory)) return false;
    for (qsizetype at = 0; at + kEntry <= directory.size(); at += kEntry) {
      const int length = std::min<int>(u16(directory, at + 0x40), 64);
      const QString entry = QString::fromUtf16(reinterpret_cast<const char16_t*>(directory.constData() + at),
                                               std::max(length / 2 - 1, 0));
      if (directory[at + 0x42] != 2 || (entry != name && entry != other)) continue;
      const quint32 start = u32(directory, at + 0x74);
      const quint32 size = u32(directory, at + 0x78);
      small = size < u32(m_header, 0x38);
      if (!small) {
        if (!chain(start, m_links, m_sector, bytes)) return false;
      } else {
        // A small stream lies in the mini stream, which the root entry holds.
        QByteArray miniLinks;
        QByteArray mini;
        if (!chain(u32(m_header, 0x3C), m_links, m_sector, miniLinks) ||
            !chain(u32(directory, 0x74), m_links, m_sector, mini) || !chain(start, miniLinks, 64, bytes, &mini))
          return false;
      }
      if (bytes.size() < qsizetype(size)) return false;
      bytes.truncate(size);
      return true;
    }
    return false;
  }

 private:
  bool read(quint32 sector, QByteArray& bytes) {
    if (sector >= quint32(m_sectors) || !m_file.seek(512 + qint64(sector) * m_sector)) return false;
    bytes = m_file.read(m_sector);
    return bytes.size() == m_sector;
  }

  // The sectors of a chain of `links`, in order; of the file, or of `from`
  // when given (the mini stream).
  bool chain(quint32 first, const QByteArray& links, qsizetype size, QByteArray& bytes,
             const QByteArray* from = nullptr) {
    bytes.clear();
    QByteArray sector;
    const qsizetype most = links.size() / 4;
    qsizetype count = 0;
    for (quint32 s = first; s < kLastSector; s = u32(links, 4 * qsizetype(s))) {
      if (++count > most) return false;  // a loop
      if (from) {
        if ((qsizetype(s) + 1) * size > from->size()) return false;
        bytes += from->mid(qsizetype(s) * size, size);
      } else {
        if (!read(s, sector)) return false;
        bytes += sector;
      }
    }
    return true;
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

}  // namespace

XlsSurvey surveyXls(const QString& path) {
  XlsSurvey survey;
  CompoundFile file(path);
  QByteArray book;
  bool small = false;
  if (!file.open()) return survey;
  const bool read = file.stream(QStringLiteral("Workbook"), QStringLiteral("Book"), book, small);
  if (small) survey.result = XlsSurvey::Result::SmallWorkbook;
  if (!read || small) return survey;
  survey.result = XlsSurvey::Result::Read;
  QHash<int, QString> codes;
  QList<bool> dateStyles;  // by the style's number
  bool biff8 = true;
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
  // give its last row and column, each one past the end.
  for (qsizetype at = 0; at + 4 <= book.size(); at += 4 + u16(book, at + 2)) {
    const quint16 type = u16(book, at);
    const quint16 length = u16(book, at + 2);
    const qsizetype data = at + 4;
    const qsizetype end = std::min<qsizetype>(data + length, book.size());
    if (type == 0x0809 && length >= 2) biff8 = u16(book, data) >= 0x0600;
    // The texts FreeXL converts: a cell's, a sheet's name, a number format.
    const bool fits = type == 0x0204   ? textFits(book, data + 6, 2, biff8, end)
                      : type == 0x0085 ? textFits(book, data + 6, 1, biff8, end)
                      : type == 0x041E ? textFits(book, data + 2, biff8 ? 2 : 1, biff8, end)
                                       : true;
    if (!fits) {
      survey.result = XlsSurvey::Result::TextOverrun;
      survey.badTextAt = at;
      return survey;
    }
    if (type == 0x0200 && length >= 14) {
      survey.claimedCells += qint64(u32(book, data + 4)) * u16(book, data + 10);
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
  return survey;
}
