#include <gtest/gtest.h>

#include "catalogue/CatalogueRecord.h"

using namespace Qt::StringLiterals;

namespace {

QByteArray bytesOf(const CatalogueRecord& r) { return QByteArray(r.bytes(), CatalogueRecord::kLength); }

QByteArray fieldBytes(const CatalogueRecord& r, int i) {
  return bytesOf(r).mid(CatalogueRecord::kOffset[i], CatalogueRecord::kWidth[i]);
}

QString padded(const QString& text, int width) { return text.leftJustified(width, u' ', true); }

TEST(CatalogueRecord, ARecordWithNothingStoredHasEmptyFieldsButBlankBytes) {
  const CatalogueRecord r;
  EXPECT_FALSE(r.isStored());
  for (int i = 0; i < CatalogueRecord::kFieldCount; ++i) {
    EXPECT_TRUE(r.field(i).isEmpty()) << i;
  }
  EXPECT_EQ(bytesOf(r), QByteArray(350, ' '));
  EXPECT_FALSE(CatalogueRecord::fromBytes("", 0).isStored());
}

TEST(CatalogueRecord, BlankAndDeletionMarkRecords) {
  const CatalogueRecord blank = CatalogueRecord::blank();
  EXPECT_TRUE(blank.isStored());
  EXPECT_EQ(bytesOf(blank), QByteArray(350, ' '));
  EXPECT_EQ(blank.field(2), QString(100, u' '));

  const CatalogueRecord deleted = CatalogueRecord::deletionMark();
  QByteArray expected;
  for (int width : CatalogueRecord::kWidth) expected += "~~~" + QByteArray(width - 3, ' ');
  EXPECT_EQ(bytesOf(deleted), expected);
  EXPECT_EQ(deleted.field(5), padded(u"~~~"_s, 50));
}

TEST(CatalogueRecord, SetFieldCutsToWidthPadsWithBlanksAndKeepsLeadingBlanks) {
  CatalogueRecord r;
  r.setField(1, u"  Μετάφραση"_s);
  EXPECT_TRUE(r.isStored());
  EXPECT_EQ(r.field(0), QString(50, u' '));
  EXPECT_EQ(r.field(1), padded(u"  Μετάφραση"_s, 50));

  const QString sixty = u"Α"_s.repeated(30) + u"β"_s.repeated(30);
  r.setField(3, sixty);
  EXPECT_EQ(r.field(3), sixty.left(50));
  EXPECT_EQ(bytesOf(r).mid(250, 1), QByteArray(" "));  // field 5 untouched

  const QString title = u"Τ"_s.repeated(100);
  r.setField(2, title);
  EXPECT_EQ(r.field(2), title);
  EXPECT_EQ(fieldBytes(r, 2), QByteArray(100, '\xD4'));

  r.setField(4, u"Шкаф"_s);
  EXPECT_EQ(fieldBytes(r, 4), "????" + QByteArray(46, ' '));
}

TEST(CatalogueRecord, PartialBytesAreFilledWithBlanks) {
  const CatalogueRecord r = CatalogueRecord::fromBytes("\xC1\xC2\xC3", 3);
  EXPECT_TRUE(r.isStored());
  EXPECT_EQ(r.field(0), padded(u"ΑΒΓ"_s, 50));
  EXPECT_EQ(bytesOf(r), "\xC1\xC2\xC3" + QByteArray(347, ' '));
}

TEST(CatalogueRecord, EveryByteValueAtEveryPositionReadsBackIdentically) {
  for (int b = 0; b < 256; ++b) {
    QByteArray raw(350, ' ');
    for (int pos = 0; pos < 350; ++pos) raw[pos] = char((b + pos) & 0xFF);
    const CatalogueRecord read = CatalogueRecord::fromBytes(raw.constData(), int(raw.size()));
    CatalogueRecord rewritten;
    for (int i = 0; i < CatalogueRecord::kFieldCount; ++i) rewritten.setField(i, read.field(i));
    ASSERT_EQ(bytesOf(rewritten), raw) << "starting byte " << b;
  }
}

}  // namespace
