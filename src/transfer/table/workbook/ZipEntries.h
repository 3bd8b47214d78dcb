#pragma once

#include <QByteArray>
#include <QIODevice>
#include <QString>
#include <memory>

class QXmlStreamReader;

// The entries of a zip file (an xlsx or ods workbook), read from a device
// (the input file, or a workbook in memory), one entry at a time. No entry
// gives more than its bound, whatever its header claims: a small file
// that would unpack to gigabytes is refused rather than read.
class ZipEntries {
 public:
  // 256 MB, far more than a school's sheet.
  static constexpr qint64 kMostEntryBytes = qint64(256) << 20;

  // The zip `in`, open and seekable, which outlives what is read from it and
  // is named `path` in messages; or nullptr with `error` the Greek sentence
  // saying why (`kind` names what the file should have been: "xlsx"). No
  // entry gives more than `mostEntryBytes`.
  static std::unique_ptr<ZipEntries> open(QIODevice& in, const QString& path, const QString& kind, QString& error,
                                          qint64 mostEntryBytes = kMostEntryBytes);
  ~ZipEntries();
  ZipEntries(const ZipEntries&) = delete;
  ZipEntries& operator=(const ZipEntries&) = delete;

  bool contains(const QString& name) const;
  // The whole entry `name`, or false with `error` set.
  bool read(const QString& name, QByteArray& bytes, QString& error);
  // The entry `name` as a stream, or nullptr with `error` set. Opening
  // another entry ends the stream. Errors while reading it come from
  // streamError().
  QIODevice* stream(const QString& name, QString& error);
  // Why the stream stopped early, naming the file; empty when it did not.
  QString streamError() const;
  bool streamReadFailed() const;
  // The same, or else why `xml`, reading the stream, stopped; empty when
  // neither stopped early.
  QString streamError(const QXmlStreamReader& xml) const;

 private:
  class Entry;
  struct Io;
  ZipEntries(const QString& path, std::unique_ptr<Io> io, void* zip, qint64 mostEntryBytes);
  bool start(const QString& name, QString& error);

  QString m_path;
  std::unique_ptr<Io> m_io;
  void* m_zip;
  qint64 m_most;
  std::unique_ptr<Entry> m_entry;
};
