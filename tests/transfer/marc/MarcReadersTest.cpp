// The MARC readers read from memory: what the writer makes in each standard
// and encoding is told by its content and read back to the same book.
#include <gtest/gtest.h>

#include <QBuffer>

#include "transfer/marc/MarcRecordReader.h"
#include "transfer/marc/MarcToCatalogue.h"
#include "transfer/marc/MarcWriter.h"

using namespace Qt::StringLiterals;

namespace {

const QList<QString> kBook{u"Παπαδιαμάντης, Αλέξανδρος"_s, QString(), u"Η Φόνισσα"_s, u"Αθήνα, Εστία, 2010"_s,
                           u"42 Ελληνική πεζογραφία"_s};

QByteArray written(MarcStandard standard, MarcEncoding encoding, int copies) {
  MarcOptions options;
  options.moment = QDateTime(QDate(2026, 12, 8), QTime(9, 0));
  MarcWriter writer(standard, encoding, options);
  QByteArray out;
  for (int n = 1; n <= copies; ++n) EXPECT_TRUE(writer.write(n, marcBook(kBook), out));
  writer.finish(out);
  return out;
}

std::unique_ptr<MarcRecordReader> readerFor(MarcEncoding encoding, QIODevice& in) {
  return encoding == MarcEncoding::MarcXml ? makeMarcXmlReader(in) : makeIso2709Reader(in);
}

}  // namespace

TEST(MarcReaders, EachStandardAndEncodingIsToldAndReadBackFromMemory) {
  const std::pair<MarcStandard, MarcEncoding> forms[] = {{MarcStandard::Marc21, MarcEncoding::Iso2709},
                                                         {MarcStandard::Marc21, MarcEncoding::MarcXml},
                                                         {MarcStandard::Unimarc, MarcEncoding::Iso2709},
                                                         {MarcStandard::Unimarc, MarcEncoding::MarcXml}};
  for (const auto& [standard, encoding] : forms) {
    SCOPED_TRACE(int(standard) * 10 + int(encoding));
    QBuffer memory;
    memory.setData(written(standard, encoding, 2));
    memory.open(QIODevice::ReadOnly);
    ASSERT_EQ(marcEncodingOf(memory), std::optional(encoding));
    // Telling the kind leaves the device anywhere: the reader starts where it is put.
    memory.seek(0);
    const std::unique_ptr<MarcRecordReader> reader = readerFor(encoding, memory);
    MarcRecord record;
    QString error;
    for (int n = 0; n < 2; ++n) {
      ASSERT_EQ(reader->next(record, error), MarcRecordReader::Next::Record) << error.toStdString();
      const QList<QString> fields = catalogueFieldsOf(record);
      EXPECT_EQ(fields.value(2), kBook[2]);
      EXPECT_EQ(fields.value(4), kBook[4]);
    }
    EXPECT_EQ(reader->next(record, error), MarcRecordReader::Next::End);
  }
}

TEST(MarcReaders, ARecordCutShortIsDamagedAndOtherBytesAreNoMarc) {
  QByteArray whole = written(MarcStandard::Marc21, MarcEncoding::Iso2709, 2);
  QBuffer cut;
  cut.setData(whole.left(whole.size() - 10));
  cut.open(QIODevice::ReadOnly);
  ASSERT_EQ(marcEncodingOf(cut), std::optional(MarcEncoding::Iso2709));
  cut.seek(0);
  const std::unique_ptr<MarcRecordReader> reader = makeIso2709Reader(cut);
  MarcRecord record;
  QString error;
  EXPECT_EQ(reader->next(record, error), MarcRecordReader::Next::Record);
  EXPECT_EQ(reader->next(record, error), MarcRecordReader::Next::Damaged);
  EXPECT_FALSE(error.isEmpty());

  for (const QByteArray& other :
       {QByteArray("Τίτλος;Συγγραφέας\r\n"), QByteArray("<?xml version=\"1.0\"?><rows/>"), QByteArray(350, ' ')}) {
    QBuffer memory;
    memory.setData(other);
    memory.open(QIODevice::ReadOnly);
    EXPECT_EQ(marcEncodingOf(memory), std::nullopt) << other.toStdString();
  }
}
