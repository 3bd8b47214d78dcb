// A compound file (the container of every xls) followed just far enough to
// read its workbook stream, and that stream's records walked for the sheet
// dimensions. Every count and link is checked against the file's size, so
// that a hostile file costs no more than its own bytes.
#include "transfer/table/XlsDimensions.h"

#include <QByteArray>
#include <QFile>
#include <QList>
#include <algorithm>

namespace {

constexpr quint32 kLastSector = 0xFFFFFFFA;  // above: end of chain, free and the like
constexpr int kEntry = 128;                  // a directory entry

quint32 u32(const QByteArray& bytes, qsizetype at) {
  if (at < 0 || at + 4 > bytes.size()) return 0xFFFFFFFF;
  const auto* b = reinterpret_cast<const uchar*>(bytes.constData() + at);
  return quint32(b[0]) | quint32(b[1]) << 8 | quint32(b[2]) << 16 | quint32(b[3]) << 24;
}

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

  // The stream named `name` (or `other`), whole.
  bool stream(const QString& name, const QString& other, QByteArray& bytes) {
    QByteArray directory;
    if (!chain(u32(m_header, 0x30), m_links, m_sector, directory)) return false;
    for (qsizetype at = 0; at + kEntry <= directory.size(); at += kEntry) {
      const int length = std::min<int>(u16(directory, at + 0x40), 64);
      const QString entry = QString::fromUtf16(reinterpret_cast<const char16_t*>(directory.constData() + at),
                                               std::max(length / 2 - 1, 0));
      if (directory[at + 0x42] != 2 || (entry != name && entry != other)) continue;
      const quint32 start = u32(directory, at + 0x74);
      const quint32 size = u32(directory, at + 0x78);
      if (size >= u32(m_header, 0x38)) {
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

}  // namespace

qint64 xlsClaimedCells(const QString& path) {
  CompoundFile file(path);
  QByteArray book;
  if (!file.open() || !file.stream(QStringLiteral("Workbook"), QStringLiteral("Book"), book)) return -1;
  // Records: a type, a length and that many bytes. A sheet's dimensions
  // give its last row and column, each one past the end.
  qint64 cells = 0;
  for (qsizetype at = 0; at + 4 <= book.size(); at += 4 + u16(book, at + 2)) {
    const quint16 type = u16(book, at);
    const quint16 length = u16(book, at + 2);
    if (type == 0x0200 && length >= 14)
      cells += qint64(u32(book, at + 8)) * u16(book, at + 14);
    else if ((type == 0x0200 || type == 0x0000) && length >= 8)
      cells += qint64(u16(book, at + 6)) * u16(book, at + 10);
  }
  return cells;
}
