#include "transfer/CsvReader.h"

#include <algorithm>

using namespace Qt::StringLiterals;

namespace {
constexpr qint64 kBlock = 1 << 20;
}

CsvReader::CsvReader(QIODevice& device) : m_device(device) {}

int CsvReader::peek() {
  if (m_pos >= m_block.size()) {
    m_block.resize(kBlock);
    const qint64 got = m_device.read(m_block.data(), kBlock);
    m_block.resize(std::max<qint64>(got, 0));
    m_pos = 0;
    if (got <= 0) {
      m_readFailed = got < 0;
      return -1;
    }
    if (!m_started) {
      m_started = true;
      if (m_block.startsWith("\xEF\xBB\xBF")) m_pos = 3;
      if (m_pos >= m_block.size()) return peek();
    }
  }
  return static_cast<unsigned char>(m_block[m_pos]);
}

int CsvReader::get() {
  const int c = peek();
  if (c >= 0) ++m_pos;
  return c;
}

bool CsvReader::next(QList<QByteArray>& row) {
  for (;;) {
    row.clear();
    if (peek() < 0) return false;
    QByteArray cell;
    bool quoted = false;
    bool afterQuote = false;
    qsizetype length = 0;
    for (;;) {
      int c = get();
      if (++length > kLongestRow) {
        m_error = u"σειρά %1: πάνω από %2 byte χωρίς αλλαγή γραμμής· δεν είναι γραμμή καταλόγου"_s.arg(m_row + 1).arg(
            kLongestRow);
        return false;
      }
      if (quoted) {
        if (c < 0) {
          m_error = u"σειρά %1: τα εισαγωγικά ενός κελιού δεν κλείνουν ως το τέλος του αρχείου"_s.arg(m_row + 1);
          return false;
        }
        if (c == '"') {
          if (peek() == '"') {
            get();
            cell.append('"');
          } else {
            quoted = false;
            afterQuote = true;
          }
        } else {
          cell.append(char(c));
        }
        continue;
      }
      if (c == ',' || c == '\r' || c == '\n' || c < 0) {
        row.append(cell);
        cell.clear();
        afterQuote = false;
        if (c == ',') continue;
        if (c == '\r' && peek() == '\n') get();
        break;
      }
      if (afterQuote) {
        m_error =
            u"σειρά %1, κελί %2: κείμενο μετά τα εισαγωγικά που κλείνουν το κελί"_s.arg(m_row + 1).arg(row.size() + 1);
        return false;
      }
      if (c == '"' && cell.isEmpty()) {
        quoted = true;
        continue;
      }
      cell.append(char(c));
    }
    // A blank line is a row of the spreadsheet too, though it makes no record.
    ++m_row;
    if (row.size() == 1 && row[0].isEmpty()) continue;
    return true;
  }
}
