#include "transfer/table/CsvReader.h"

#include <algorithm>
#include <utility>

#include "transfer/ReadingStop.h"

using namespace Qt::StringLiterals;

namespace {
constexpr qint64 kBlock = 1 << 20;
}

CsvReader::CsvReader(QIODevice& device, char separator) : m_device(device), m_separator(separator) {
  for (const char c : {separator, '"', '\r', '\n'}) m_special[uchar(c)] = true;
}

void CsvReader::readAsUtf16(QStringConverter::Encoding encoding) {
  m_utf16.emplace(encoding, QStringDecoder::Flag::Default);
}

// The next block, false at the end or on a failure.
bool CsvReader::refill() {
  m_pos = 0;
  if (readingStopped()) {
    m_error = u"η ανάγνωση σταμάτησε"_s;
    return false;
  }
  m_block.resize(kBlock);
  const qint64 got = m_device.read(m_block.data(), kBlock);
  m_block.resize(std::max<qint64>(got, 0));
  if (got <= 0) {
    m_readFailed = got < 0;
    // A half pair held back from the last block had no other half.
    if (got == 0 && m_utf16 && !m_heldHalf.isNull()) {
      m_block = QString(QChar::ReplacementCharacter).toUtf8();
      m_heldHalf = QChar();
      return true;
    }
    return false;
  }
  if (m_utf16) {
    if (!m_started && m_block.size() >= 2 && (m_block.startsWith("\xFF\xFE") || m_block.startsWith("\xFE\xFF")))
      m_block.remove(0, 2);
    m_block = wholePairs((*m_utf16)(m_block)).toUtf8();
  }
  if (!m_started) {
    m_started = true;
    if (m_block.startsWith("\xEF\xBB\xBF")) m_pos = 3;
  }
  return m_pos < m_block.size() || refill();
}

// UTF-8 has no form for half a surrogate pair (Qt would write '?'): a lone
// half becomes the replacement character, which no field takes, so that its
// row is refused where it stands. A first half at the end waits for the
// next block.
QString CsvReader::wholePairs(QString text) {
  if (!m_heldHalf.isNull()) text.prepend(std::exchange(m_heldHalf, QChar()));
  if (!text.isEmpty() && text.back().isHighSurrogate()) {
    m_heldHalf = text.back();
    text.chop(1);
  }
  for (qsizetype i = 0; i < text.size(); ++i) {
    if (text[i].isHighSurrogate() && i + 1 < text.size() && text[i + 1].isLowSurrogate())
      ++i;
    else if (text[i].isSurrogate())
      text[i] = QChar::ReplacementCharacter;
  }
  return text;
}

// A row past the bound: when a quoted cell is open, its quote is what went
// wrong, closed nowhere or so far on that it closes nothing of this row.
QString CsvReader::tooLongRow(bool inQuotes, bool atQuote) {
  if (!inQuotes)
    return u"σειρά %1: πάνω από %2 byte χωρίς αλλαγή γραμμής· δεν είναι γραμμή καταλόγου"_s.arg(m_row + 1).arg(
        kLongestRow);
  if (!atQuote && !quoteFollows()) return unclosedQuote();
  return u"σειρά %1: τα εισαγωγικά ενός κελιού κλείνουν μόνο μετά από %2 byte, όσα δεν έχει καμία γραμμή "
         "καταλόγου· μάλλον λείπουν εκεί που έπρεπε να κλείνουν"_s.arg(m_row + 1)
             .arg(kLongestRow);
}

// Whether a quote follows somewhere in the rest of the file, read without keeping it.
bool CsvReader::quoteFollows() {
  while (m_pos < m_block.size() || refill()) {
    if (m_block.indexOf('"', m_pos) >= 0) return true;
    m_pos = m_block.size();
  }
  return false;
}

QString CsvReader::unclosedQuote() const {
  return u"σειρά %1: τα εισαγωγικά ενός κελιού δεν κλείνουν ως το τέλος του αρχείου"_s.arg(m_row + 1);
}

int CsvReader::get() {
  if (m_pos >= m_block.size() && !refill()) return -1;
  return static_cast<unsigned char>(m_block[m_pos++]);
}

bool CsvReader::readRow() {
  for (;;) {
    m_cells.clear();
    m_ends.clear();
    if (m_pos >= m_block.size() && !refill()) return false;
    qsizetype cellStart = 0;
    bool quoted = false;
    bool afterQuote = false;
    qsizetype length = 0;
    for (;;) {
      // The plain bytes up to the next one that means something, in one go.
      const char* from = m_block.constData() + m_pos;
      const char* end = m_block.constData() + m_block.size();
      const char* to = from;
      if (quoted)
        to = std::find(from, end, '"');
      else
        while (to < end && !m_special[uchar(*to)]) ++to;
      if (to > from) {
        if (afterQuote) {
          m_error = u"σειρά %1, κελί %2: κείμενο μετά τα εισαγωγικά που κλείνουν το κελί"_s.arg(m_row + 1).arg(
              m_ends.size() + 1);
          return false;
        }
        m_cells.insert(m_cells.end(), from, to);
        m_pos += to - from;
        length += to - from;
      }
      const int c = get();
      if (++length > kLongestRow) {
        m_error = tooLongRow(quoted, c == '"');
        return false;
      }
      if (quoted) {
        if (c < 0) {
          m_error = unclosedQuote();
          return false;
        }
        if (c != '"') {  // the cell went on into the next block
          m_cells.push_back(char(c));
          continue;
        }
        if (m_pos >= m_block.size() && !refill()) {
          quoted = false;
          afterQuote = true;
          continue;
        }
        if (m_block[m_pos] == '"') {
          ++m_pos;
          m_cells.push_back('"');
        } else {
          quoted = false;
          afterQuote = true;
        }
        continue;
      }
      if (c == m_separator || c == '\r' || c == '\n' || c < 0) {
        m_ends.append(qsizetype(m_cells.size()));
        cellStart = qsizetype(m_cells.size());
        afterQuote = false;
        if (c == m_separator) continue;
        if (c == '\r' && (m_pos < m_block.size() || refill()) && m_block[m_pos] == '\n') ++m_pos;
        break;
      }
      if (afterQuote) {
        m_error = u"σειρά %1, κελί %2: κείμενο μετά τα εισαγωγικά που κλείνουν το κελί"_s.arg(m_row + 1).arg(
            m_ends.size() + 1);
        return false;
      }
      if (c == '"' && qsizetype(m_cells.size()) == cellStart) {
        quoted = true;
        continue;
      }
      m_cells.push_back(char(c));
    }
    // A blank line is a row of the spreadsheet too, though it makes no record.
    ++m_row;
    if (m_ends.size() == 1 && m_cells.empty()) continue;
    return true;
  }
}

bool CsvReader::next(QList<QByteArrayView>& row) {
  row.clear();
  if (!readRow()) return false;
  qsizetype start = 0;
  for (const qsizetype end : m_ends) {
    row.append(QByteArrayView(m_cells.data() + start, end - start));
    start = end;
  }
  return true;
}

bool CsvReader::next(QList<QByteArray>& row) {
  QList<QByteArrayView> cells;
  row.clear();
  if (!next(cells)) return false;
  for (const QByteArrayView cell : cells) row.append(cell.toByteArray());
  return true;
}

QStringList firstLineCells(const QString& text, QChar separator) {
  QStringList cells{QString()};
  bool quoted = false;
  for (const QChar c : text) {
    if (c == u'"') {
      quoted = !quoted;
    } else if (!quoted && (c == u'\r' || c == u'\n')) {
      break;
    } else if (!quoted && c == separator) {
      cells.append(QString());
    } else {
      cells.last().append(c);
    }
  }
  return cells;
}
