// RFC 4180 with a UTF-8 byte-order mark, so that spreadsheet programs read the Greek.
#include <algorithm>

#include "transfer/ExportWriter.h"
#include "transfer/FieldBytes.h"
#include "transfer/OutputFile.h"
#include "transfer/TableColumns.h"

namespace {

// Quoted when RFC 4180 asks for it, and when the text starts with a blank,
// which spreadsheet programs would otherwise drop.
bool needsQuotes(const char* data, int length) {
  if (length > 0 && data[0] == ' ') return true;
  return std::any_of(data, data + length, [](char c) { return c == '"' || c == ',' || c == '\r' || c == '\n'; });
}

void appendCell(QByteArray& out, const QByteArray& utf8) {
  if (!needsQuotes(utf8.constData(), int(utf8.size()))) {
    out.append(utf8);
    return;
  }
  out.append('"');
  for (char c : utf8) {
    if (c == '"') out.append('"');
    out.append(c);
  }
  out.append('"');
}

class CsvWriter : public ExportWriter {
 public:
  explicit CsvWriter(const QString& path) : m_out(path) {}

  bool begin(const std::vector<int>& fields) override {
    m_fields = fields;
    if (!m_out.open()) return failed();
    QByteArray& out = m_out.buffer();
    out.append("\xEF\xBB\xBF");
    const QStringList header = tableHeader(fields);
    for (qsizetype i = 0; i < header.size(); ++i) {
      if (i > 0) out.append(',');
      appendCell(out, header[i].toUtf8());
    }
    out.append("\r\n");
    return true;
  }

  bool write(qint32 number, const char* record) override {
    QByteArray& out = m_out.buffer();
    out.append(QByteArray::number(number));
    for (int field : m_fields) {
      out.append(',');
      const fieldbytes::Span text = fieldbytes::trimmed(record, field);
      if (needsQuotes(text.data, text.length)) {
        m_cell.clear();
        fieldbytes::appendUtf8(m_cell, text);
        appendCell(out, m_cell);
      } else {
        fieldbytes::appendUtf8(out, text);
      }
    }
    out.append("\r\n");
    return m_out.writeIfFull() || failed();
  }

  bool finish() override { return m_out.commit() || failed(); }

 private:
  bool failed() {
    m_error = m_out.error();
    return false;
  }

  OutputFile m_out;
  std::vector<int> m_fields;
  QByteArray m_cell;
};

}  // namespace

std::unique_ptr<ExportWriter> makeCsvWriter(const QString& path) { return std::make_unique<CsvWriter>(path); }
