// RFC 4180 with a UTF-8 byte-order mark, so that spreadsheet programs read the Greek.
#include "transfer/export/CsvWriter.h"

#include <cstring>

#include "catalogue/CatalogueRecord.h"
#include "catalogue/Cp1253.h"
#include "catalogue/FieldBytes.h"
#include "transfer/export/ExportWriter.h"
#include "transfer/table/TableColumns.h"

namespace {

// The most a row can take: every byte three in UTF-8, every cell quoted, a
// ten-digit number, the commas and the line end.
constexpr qsizetype kMostPerRow = 3 * CatalogueRecord::kLength + 3 * CatalogueRecord::kFieldCount + 16;

// Writes one cell of Windows-1253 bytes as UTF-8; returns the end. Quoted
// when RFC 4180 asks for it, and when the text starts with a blank, which
// spreadsheet programs would otherwise drop. Written plain first; a cell
// that needs quotes (a comma in most names) is moved up to take them, and
// written again only when it holds a quote to double.
char* writeCell(char* out, fieldbytes::Span text) {
  bool special = false;
  char* plainEnd = fieldbytes::writeUtf8(out, text.data, text.length, &special);
  if (!special && !(text.length > 0 && text.data[0] == ' ')) return plainEnd;
  const char* end = text.data + text.length;
  if (!std::memchr(text.data, '"', size_t(text.length))) {
    std::memmove(out + 1, out, size_t(plainEnd - out));
    *out = '"';
    plainEnd[1] = '"';
    return plainEnd + 2;
  }
  *out++ = '"';
  for (const char* run = text.data; run < end;) {
    const char* quote = static_cast<const char*>(std::memchr(run, '"', size_t(end - run)));
    const char* stop = quote ? quote + 1 : end;
    out = fieldbytes::writeUtf8(out, run, int(stop - run));
    if (quote) *out++ = '"';
    run = stop;
  }
  *out++ = '"';
  return out;
}

class CsvWriter : public ExportWriter {
 public:
  using ExportWriter::ExportWriter;

  bool begin(const std::vector<int>& fields) override {
    m_fields = fields;
    QByteArray& out = m_out.buffer();
    out.append("\xEF\xBB\xBF");
    const QStringList header = tableHeader(fields);
    for (qsizetype i = 0; i < header.size(); ++i) {
      if (i > 0) out.append(',');
      const QByteArray name = cp1253::encode(header[i]);
      const qsizetype start = out.size();
      out.resize(start + kMostPerRow);
      out.resize(writeCell(out.data() + start, {name.constData(), int(name.size())}) - out.constData());
    }
    out.append("\r\n");
    return true;
  }

  bool write(qint32 number, const char* record) override {
    ++m_written;
    QByteArray& out = m_out.buffer();
    const qsizetype start = out.size();
    out.resize(start + kMostPerRow);
    char* p = out.data() + start;
    char digits[12];
    int n = 0;
    do digits[n++] = char('0' + number % 10);
    while ((number /= 10) > 0);
    while (n > 0) *p++ = digits[--n];
    for (int field : m_fields) {
      *p++ = ',';
      p = writeCell(p, fieldbytes::trimmed(record, field));
    }
    *p++ = '\r';
    *p++ = '\n';
    out.resize(p - out.constData());
    return m_out.writeIfFull() || outputFailed();
  }

  bool finish() override { return true; }

 private:
  std::vector<int> m_fields;
};

}  // namespace

std::unique_ptr<ExportWriter> makeCsvWriter(ExportOutput& out) { return std::make_unique<CsvWriter>(out); }
