#pragma once

#include <QByteArray>
#include <QFile>
#include <QString>
#include <QStringList>

#include "catalogue/CatalogueRecord.h"

// Whole-file helpers for the catalogue tests; they bypass the code under test.
inline QByteArray readAll(const QString& path) {
  QFile f(path);
  return f.open(QIODevice::ReadOnly) ? f.readAll() : QByteArray();
}

inline void writeAll(const QString& path, const QByteArray& bytes) {
  QFile f(path);
  if (f.open(QIODevice::WriteOnly | QIODevice::Truncate)) f.write(bytes);
}

// `count` records, each filled with a byte pattern of its own so that any
// misplaced byte shows.
inline QByteArray numberedRecords(int count) {
  QByteArray out;
  for (int n = 1; n <= count; ++n)
    for (int i = 0; i < 350; ++i) out.append(char(0x21 + (n * 7 + i) % 0xDE));
  return out;
}

// The 350 bytes of a record holding these fields, the others blank.
inline QByteArray recordWithFields(const QStringList& fields) {
  CatalogueRecord r = CatalogueRecord::blank();
  for (int i = 0; i < fields.size(); ++i) r.setField(i, fields[i]);
  return QByteArray(r.bytes(), CatalogueRecord::kLength);
}
