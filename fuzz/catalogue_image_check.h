#pragma once

// One property of the catalogue layer over any file image, shared by the
// fuzzer and the ordinary test run: open the image as the catalogue, read
// every record (record by record and by scan), work out the count, write every
// stored record back through its field texts, and require the same bytes.
// A torn tail record comes back filled with blanks to a whole record.
#include <QByteArray>
#include <QDir>
#include <QFile>
#include <QString>
#include <string>

#include "catalogue/file/CatalogueFile.h"
#include "catalogue/search/RecordScan.h"

inline std::string checkCatalogueImage(const QByteArray& image, const QString& dir) {
  constexpr qint64 L = CatalogueRecord::kLength;
  const QString path = QDir(dir).filePath(QString::fromLatin1(CatalogueFile::kFileName));
  {
    QFile f(path);
    if (!f.open(QIODevice::WriteOnly | QIODevice::Truncate) || f.write(image) != image.size())
      return "cannot write the image";
  }
  CatalogueFile file;
  if (!file.open(path)) return "open failed: " + file.lastError().describe().toStdString();
  if (file.recordCount() != CatalogueFile::recordCountForLength(image.size()) || file.recordCount() < 1)
    return "record count " + std::to_string(file.recordCount()) + " for " + std::to_string(image.size()) + " bytes";

  const qint32 stored = qint32((image.size() + L - 1) / L);
  QByteArray expected = image;
  if (expected.size() % L != 0) expected.append(QByteArray(L - expected.size() % L, ' '));
  RecordScan scan(file);
  for (qint32 n = 1; n <= stored + 1; ++n) {
    CatalogueRecord record;
    if (!file.read(n, record)) return "read failed at record " + std::to_string(n);
    const char* scanned = scan.record(n);
    if (n > stored) {
      if (record.isStored() || scanned) return "a record past the end reads as stored";
      break;
    }
    const QByteArray want = expected.mid((n - 1) * L, L);
    if (!record.isStored() || QByteArray(record.bytes(), L) != want) return "record " + std::to_string(n) + " misread";
    if (!scanned || QByteArray(scanned, L) != want) return "scan disagrees at record " + std::to_string(n);

    CatalogueRecord rewritten;
    for (int i = 0; i < CatalogueRecord::kFieldCount; ++i) rewritten.setField(i, record.field(i));
    if (!file.write(n, rewritten)) return "write failed: " + file.lastError().describe().toStdString();
  }
  file.close();

  QFile f(path);
  if (!f.open(QIODevice::ReadOnly)) return "cannot read the file back";
  if (f.readAll() != expected) return "the image changed after writing every record back";
  return std::string();
}
