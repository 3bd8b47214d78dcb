#pragma once

#include "SheetFixture.h"

// Imports of files made to harm the import, through the real tool: each
// refused in Greek, the catalogue as it was. Xls files are
// tests/data/books.xls changed byte by byte.
class RefusalTest : public SheetFixture {
 protected:
  void SetUp() override { cat.setBytes(before); }

  // Imports `name` with the real tool's wording: refused, the reason holding
  // `reason`, the catalogue untouched; what the tool said, for more checks.
  Run refused(const QString& name, const QString& reason, const QStringList& options = {}) {
    SCOPED_TRACE(name.toStdString());
    const Run r = run(QStringList{u"import"_s} + options + QStringList{file(name), cat.path()});
    EXPECT_EQ(r.status, 1) << r.out.toStdString() << r.err.toStdString();
    EXPECT_TRUE(r.err.startsWith(kKeptAsItWas)) << r.err.toStdString();
    EXPECT_TRUE(r.err.contains(reason)) << r.err.toStdString();
    EXPECT_EQ(cat.bytes(), before);
    return r;
  }

  // tests/data/books.xls changed by `change`, which gets the offset of its
  // workbook stream's first record (the stream lies whole in the file).
  template <typename Change>
  QString changedXls(const QString& name, Change change) {
    QByteArray bytes = ::readAll(QStringLiteral(LOMIRA_SOURCE_DIR "/tests/data/books.xls"));
    change(bytes, bytes.indexOf(QByteArray("\x09\x08\x10\x00", 4)));
    writeAll(file(name), bytes);
    return file(name);
  }
  static void put16(QByteArray& bytes, qsizetype at, quint16 value) {
    bytes[at] = char(value & 0xFF);
    bytes[at + 1] = char(value >> 8);
  }
  static void put32(QByteArray& bytes, qsizetype at, quint32 value) {
    put16(bytes, at, quint16(value & 0xFFFF));
    put16(bytes, at + 2, quint16(value >> 16));
  }
  // The offset of the n-th record of `type` from `at`.
  static qsizetype recordOf(const QByteArray& bytes, qsizetype at, quint16 type, int n) {
    for (; at + 4 <= bytes.size(); at += 4 + quint8(bytes[at + 2]) + 256 * quint8(bytes[at + 3]))
      if (quint8(bytes[at]) + 256 * quint8(bytes[at + 1]) == type && n-- == 0) return at;
    return -1;
  }

  const QByteArray before = rec({u"Υπάρχουσα"_s});
};
