#pragma once

#include <QByteArray>
#include <QFile>
#include <QString>

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
