// CSV as spreadsheet programs write it: the encoding and the separator are
// found from the start of the file.
#include "transfer/table/CsvTable.h"

#include <QStringDecoder>
#include <algorithm>
#include <array>
#include <cerrno>

#include "catalogue/Cp1253.h"
#include "catalogue/file/CatalogueFile.h"
#include "transfer/FileFormats.h"
#include "transfer/ReadingStop.h"
#include "transfer/table/CsvReader.h"
#include "transfer/table/TableColumns.h"
#include "transfer/table/TableReader.h"

using namespace Qt::StringLiterals;

namespace {

// What the encoding is found from: enough for many rows.
constexpr qint64 kSample = 1 << 16;

enum class Encoding { Utf8Bom, Utf8, Utf16LE, Utf16BE, Cp1253 };

// The bytes that tell UTF-8 from Windows-1253: from the first one beyond
// ASCII on, however far into the file (a list may begin with many rows of
// Latin titles).
QByteArray beyondAscii(QIODevice& file, QByteArray block) {
  for (;;) {
    const auto first = std::find_if(block.cbegin(), block.cend(), [](char c) { return uchar(c) >= 0x80; });
    if (first != block.cend()) return block.sliced(first - block.cbegin()) + file.read(kSample);
    block = file.read(kSample);
    if (block.isEmpty() || readingStopped()) return {};
  }
}

// A byte-order mark says it; otherwise text that reads as UTF-8 is UTF-8
// (Windows-1253's Greek letters seldom make valid UTF-8), and anything else
// is what Greek Excel saves as "CSV".
Encoding encodingOf(QIODevice& file, const QByteArray& start) {
  if (start.startsWith("\xEF\xBB\xBF")) return Encoding::Utf8Bom;
  if (start.startsWith("\xFF\xFE")) return Encoding::Utf16LE;
  if (start.startsWith("\xFE\xFF")) return Encoding::Utf16BE;
  QStringDecoder utf8(QStringDecoder::Utf8);
  const QString text = utf8(beyondAscii(file, start));
  return utf8.hasError() ? Encoding::Cp1253 : Encoding::Utf8;
}

QString encodingName(Encoding e) {
  switch (e) {
    case Encoding::Utf8Bom:
      return u"UTF-8 με BOM"_s;
    case Encoding::Utf8:
      return u"UTF-8"_s;
    case Encoding::Utf16LE:
      return u"UTF-16 LE"_s;
    case Encoding::Utf16BE:
      return u"UTF-16 BE"_s;
    case Encoding::Cp1253:
      break;
  }
  return u"Windows-1253"_s;
}

QString separatorName(char separator) {
  return separator == '\t' ? u"διαχωριστικό το Tab"_s : u"διαχωριστικό «%1»"_s.arg(QChar::fromLatin1(separator));
}

QString decodedStart(const QByteArray& start, Encoding e) {
  switch (e) {
    case Encoding::Utf16LE:
      return QStringDecoder(QStringDecoder::Utf16LE)(start.mid(2));
    case Encoding::Utf16BE:
      return QStringDecoder(QStringDecoder::Utf16BE)(start.mid(2));
    case Encoding::Cp1253:
      return cp1253::decode(start);
    case Encoding::Utf8Bom:
    case Encoding::Utf8:
      break;
  }
  return QString::fromUtf8(start);
}

// The separator under which the first line names the most catalogue columns;
// with none named (a file without a header), the one that makes the most
// cells; `;` first on a tie, as Greek Excel writes it.
char separatorOf(const QString& start) {
  char best = ';';
  std::pair<int, qsizetype> bestScore{-1, -1};
  for (const char separator : {';', '\t', ','}) {
    const QStringList cells = firstLineCells(start, QChar::fromLatin1(separator));
    int named = 0;
    for (const QString& cell : cells)
      if (columnField(cell) != kNoColumn) ++named;
    const std::pair<int, qsizetype> score{named, cells.size()};
    if (score > bestScore) {
      bestScore = score;
      best = separator;
    }
  }
  return best;
}

class CsvTable : public TableReader {
 public:
  // Reads `in` from where it stands.
  CsvTable(QIODevice& in, Encoding encoding, char separator)
      : m_reader(in, separator), m_encoding(encoding), m_separator(separator) {
    if (m_encoding == Encoding::Utf16LE) m_reader.readAsUtf16(QStringConverter::Utf16LE);
    if (m_encoding == Encoding::Utf16BE) m_reader.readAsUtf16(QStringConverter::Utf16BE);
  }

  bool next(QStringList& cells) override {
    if (!m_error.isEmpty() || !m_reader.next(m_cells)) return false;
    if (row() > m_mostRows) {
      m_error = u"σειρά %1: ο πίνακας έχει πάνω από %2 σειρές, όσες χωρά ένα φύλλο"_s.arg(row()).arg(m_mostRows);
      return false;
    }
    // The caller's strings are written over in place: no allocation per cell.
    cells.resize(m_cells.size());
    for (qsizetype i = 0; i < m_cells.size(); ++i)
      if (!decode(m_cells[i], cells[i])) {
        m_error = u"σειρά %1, κελί %2: το κείμενο δεν είναι UTF-8, όπως οι πρώτες γραμμές του αρχείου"_s.arg(row()).arg(
            i + 1);
        return false;
      }
    return true;
  }

  int row() const override { return m_reader.row(); }
  QString error() const override { return m_error.isEmpty() ? m_reader.error() : m_error; }
  bool readFailed() const override { return m_reader.readFailed(); }
  QString seen() const override { return u"CSV, %1, %2"_s.arg(encodingName(m_encoding), separatorName(m_separator)); }

 private:
  bool decode(QByteArrayView bytes, QString& cell) {
    if (m_encoding == Encoding::Cp1253) {
      cell.resize(bytes.size());
      QChar* out = cell.data();
      for (const char b : bytes) *out++ = cp1253::decodeByte(uchar(b));
      return true;
    }
    return decodeUtf8(bytes, cell);
  }

  // UTF-8 written over `cell` (at most one UTF-16 unit a byte); false on a
  // malformed sequence. Qt's decoder, made for whole texts, costs more on
  // short cells than everything else the import does with them.
  static bool decodeUtf8(QByteArrayView bytes, QString& cell) {
    cell.resize(bytes.size());
    char16_t* const start = reinterpret_cast<char16_t*>(cell.data());
    char16_t* out = start;
    const auto* p = reinterpret_cast<const unsigned char*>(bytes.data());
    const auto* const end = p + bytes.size();
    const auto follows = [&](qsizetype n) {
      if (end - p <= n) return false;
      for (qsizetype i = 1; i <= n; ++i)
        if ((p[i] & 0xC0) != 0x80) return false;
      return true;
    };
    while (p < end) {
      const unsigned char b = *p;
      if (b < 0x80) {
        *out++ = b;
        ++p;
      } else if (b >= 0xC2 && b < 0xE0 && follows(1)) {
        *out++ = char16_t(((b & 0x1F) << 6) | (p[1] & 0x3F));
        p += 2;
      } else if (b >= 0xE0 && b < 0xF0 && follows(2)) {
        const char16_t u = char16_t(((b & 0x0F) << 12) | ((p[1] & 0x3F) << 6) | (p[2] & 0x3F));
        if (u < 0x800 || (u >= 0xD800 && u < 0xE000)) return false;
        *out++ = u;
        p += 3;
      } else if (b >= 0xF0 && b < 0xF5 && follows(3)) {
        const char32_t u = char32_t(((b & 0x07) << 18) | ((p[1] & 0x3F) << 12) | ((p[2] & 0x3F) << 6) | (p[3] & 0x3F));
        if (u < 0x10000 || u > 0x10FFFF) return false;
        *out++ = QChar::highSurrogate(u);
        *out++ = QChar::lowSurrogate(u);
        p += 4;
      } else {
        return false;
      }
    }
    cell.truncate(out - start);
    return true;
  }

  CsvReader m_reader;
  Encoding m_encoding;
  char m_separator;
  QList<QByteArrayView> m_cells;
  QString m_error;
  const qint64 m_mostRows = mostSheetRows();
};

}  // namespace

std::unique_ptr<TableReader> openCsvTable(QIODevice& in, const QString& path, QString& error) {
  error.clear();
  if (!in.seek(0)) {
    error = CatalogueError::of(CatalogueError::Operation::Read, path, EIO).describe();
    return nullptr;
  }
  const QByteArray start = in.read(kSample);
  const Encoding encoding = encodingOf(in, start);
  if (!in.seek(0)) {
    error = CatalogueError::of(CatalogueError::Operation::Read, path, EIO).describe();
    return nullptr;
  }
  return std::make_unique<CsvTable>(in, encoding, separatorOf(decodedStart(start, encoding)));
}
