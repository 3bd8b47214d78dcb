#pragma once

#include <QByteArray>
#include <QIODevice>
#include <QList>

// Reads RFC 4180 rows from a device, a block at a time: cells separated by
// commas, rows ended by CR LF (or a lone LF or CR), quoted cells holding
// commas, line breaks and doubled quotes. Cells come out as the file's bytes,
// a leading UTF-8 byte-order mark dropped.
class CsvReader {
 public:
  // The longest row taken: far more than a catalogue row holds, even with
  // fields to cut, so that a file without line breaks cannot fill the memory.
  static constexpr qsizetype kLongestRow = 1 << 16;

  explicit CsvReader(QIODevice& device);

  // The next row, false at the end or on an error. Blank lines are skipped.
  bool next(QList<QByteArray>& row);
  // The row just read, counted from 1 (the header) with blank lines: the row
  // a spreadsheet program shows.
  int row() const { return m_row; }
  // Empty unless the file is not valid CSV; then says where.
  const QString& error() const { return m_error; }
  bool readFailed() const { return m_readFailed; }

 private:
  int get();
  int peek();

  QIODevice& m_device;
  QByteArray m_block;
  qsizetype m_pos = 0;
  bool m_started = false;
  bool m_readFailed = false;
  int m_row = 0;
  QString m_error;
};
