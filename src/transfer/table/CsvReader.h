#pragma once

#include <QByteArray>
#include <QIODevice>
#include <QList>
#include <QStringDecoder>
#include <QStringList>
#include <array>
#include <optional>
#include <vector>

// Reads RFC 4180 rows from a device, a block at a time: cells separated by
// commas (or the separator given), rows ended by CR LF (or a lone LF or CR),
// quoted cells holding separators, line breaks and doubled quotes. Cells come
// out as the file's bytes, a leading UTF-8 byte-order mark dropped; a UTF-16
// file is read as UTF-8 when told so.
// The cells of the first line of `text` split at `separator`, quoted
// separators and line breaks kept inside their cells.
QStringList firstLineCells(const QString& text, QChar separator);

class CsvReader {
 public:
  // The longest row taken: far more than a catalogue row holds, even with
  // fields to cut, so that a file without line breaks cannot fill the memory.
  static constexpr qsizetype kLongestRow = 1 << 16;

  explicit CsvReader(QIODevice& device, char separator = ',');
  // Reads the rest of the device, after its byte-order mark, as UTF-16 in
  // `encoding` (Utf16LE or Utf16BE), turned into UTF-8.
  void readAsUtf16(QStringConverter::Encoding encoding);

  // The next row, false at the end or on an error. Blank lines are skipped.
  bool next(QList<QByteArray>& row);
  // The same without a copy: the cells stay valid until the next call.
  bool next(QList<QByteArrayView>& row);
  // The row just read, counted from 1 (the header) with blank lines: the row
  // a spreadsheet program shows.
  int row() const { return m_row; }
  // Empty unless the file is not valid CSV; then says where.
  const QString& error() const { return m_error; }
  bool readFailed() const { return m_readFailed; }

 private:
  bool refill();
  QString wholePairs(QString text);
  int get();
  bool readRow();
  QString tooLongRow(bool inQuotes, bool atQuote);
  bool quoteFollows();
  QString unclosedQuote() const;

  QIODevice& m_device;
  const char m_separator;
  std::array<bool, 256> m_special{};  // the separator, quote and line ends
  std::optional<QStringDecoder> m_utf16;
  QChar m_heldHalf;
  QByteArray m_block;
  qsizetype m_pos = 0;
  bool m_started = false;
  bool m_readFailed = false;
  int m_row = 0;
  QString m_error;
  // The row just read: its cells one after another, and where each ends.
  std::vector<char> m_cells;
  QList<qsizetype> m_ends;
};
