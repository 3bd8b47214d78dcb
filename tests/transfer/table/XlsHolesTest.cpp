// Xls files that lead FreeXL past its buffers or into wrong reasons, each
// refused first in Greek naming what is wrong, the catalogue as it was.
#include "RefusalFixture.h"

class XlsHolesTest : public RefusalTest {
 protected:
  // books.xls with its second sheet's record made the shared strings' first
  // record and the record after it one of their CONTINUE records: `strings`
  // after the two counts, then the continuation's bytes.
  QString sharedStrings(const QString& name, quint32 count, const QByteArray& strings, const QByteArray& more) {
    return changedXls(name, [&](QByteArray& bytes, qsizetype book) {
      const qsizetype sheet = recordOf(bytes, book, 0x0085, 1);
      const qsizetype next = sheet + 4 + 22;
      ASSERT_TRUE(strings.size() <= 14 && more.size() <= 4);
      put16(bytes, sheet, 0x00FC);
      put32(bytes, sheet + 4, count);
      put32(bytes, sheet + 8, count);
      bytes.replace(sheet + 12, strings.size(), strings);
      put16(bytes, next, 0x003C);
      bytes.replace(next + 4, more.size(), more);
    });
  }

  // The directory's entry n (from 0) of books.xls, whose first sector holds it.
  static qsizetype entry(const QByteArray& bytes, int n) {
    return 512 + 512 * qsizetype(quint8(bytes[0x30])) + 128 * n;
  }
};

TEST_F(XlsHolesTest, SharedStringsThatRunPastTheirRecordsAreRefusedBeforeFreeXlReadsPastItsBuffer) {
  // A string of 65,535 UTF-16 characters with five in its record and one and
  // a half in the next: FreeXL would copy 128 KB from a record of four bytes.
  sharedStrings(u"continued.xls"_s, 1, QByteArray("\xFF\xFF\x01", 3) + QByteArray(11, 'a'), QByteArray("\x01xyz", 4));
  refused(u"continued.xls"_s,
          u"μια εγγραφή κειμένου του βιβλίου εργασίας (στο byte 821 του) δηλώνει περισσότερους "
          "χαρακτήρες από όσους έχει"_s);
  // A string followed by a megabyte of formatting, which FreeXL would skip
  // from the start of the next record.
  sharedStrings(u"skipped.xls"_s, 2,
                QByteArray("\x01\x00\x04\x00\x00\x10\x00"
                           "A",
                           8),
                QByteArray("\x01\x00\x00A", 4));
  refused(u"skipped.xls"_s, u"(στο byte 821 του) δηλώνει περισσότερους χαρακτήρες"_s);
}

TEST_F(XlsHolesTest, DirectoryNamesThatAreNoNamesAreCalledADamagedDirectoryNotACodePage) {
  // A name of 49,858 bytes in an entry of 128: FreeXL would read past its
  // sector into the stack.
  changedXls(u"long-name.xls"_s, [](QByteArray& bytes, qsizetype) { put16(bytes, entry(bytes, 1) + 0x40, 0xC2C2); });
  refused(u"long-name.xls"_s, u"η καταχώριση 2 του πίνακα περιεχομένων του δεν έχει όνομα που διαβάζεται"_s);
  // The first half of a UTF-16 pair alone, once called a code page's fault.
  changedXls(u"half-pair.xls"_s, [](QByteArray& bytes, qsizetype) { put16(bytes, entry(bytes, 2) + 2, 0xD800); });
  refused(u"half-pair.xls"_s, u"η καταχώριση 3 του πίνακα περιεχομένων του δεν έχει όνομα που διαβάζεται"_s);
  EXPECT_FALSE(run({u"import"_s, file(u"half-pair.xls"_s), cat.path()}).err.contains(u"κωδικοσελίδα"_s));
}

TEST_F(XlsHolesTest, WorkbooksFreeXlCannotReadAreNamedForWhatIsWrong) {
  // A cell's text of no characters: FreeXL lets the workbook go and says all
  // went well, which once read as a file without sheets.
  changedXls(u"empty-text.xls"_s,
             [](QByteArray& bytes, qsizetype book) { put16(bytes, recordOf(bytes, book, 0x0204, 0) + 10, 0); });
  refused(u"empty-text.xls"_s, u"μια εγγραφή του βιβλίου εργασίας του δεν διαβάζεται"_s);
  // A workbook of a version FreeXL does not know.
  changedXls(u"version.xls"_s, [](QByteArray& bytes, qsizetype book) { put16(bytes, book + 4, 0x0700); });
  refused(u"version.xls"_s, u"δεν αρχίζει όπως ένα βιβλίο του Excel 5 έως 2003"_s);
}

TEST_F(XlsHolesTest, AWorkbookWhoseLastRecordCrossesItsSizeIntoMoreSectorsIsRefused) {
  // The workbook's chain (sectors 3 to 11) goes on into four more at the
  // file's end; the last record claims 2,000 bytes from there.
  const auto longer = [](qsizetype last) {
    return [last](QByteArray& bytes, qsizetype book) {
      const qsizetype links = 512 + 512 * qsizetype(quint8(bytes[0x4C]));
      put32(bytes, links + 4 * 11, 13);
      for (quint32 s = 13; s < 16; ++s) put32(bytes, links + 4 * s, s + 1);
      put32(bytes, links + 4 * 16, 0xFFFFFFFE);
      bytes += QByteArray(4 * 512, '\0');
      put16(bytes, recordOf(bytes, book, 0x000A, 2) + 2, quint16(last));
    };
  };
  changedXls(u"crossing.xls"_s, longer(2000));
  refused(u"crossing.xls"_s,
          u"το βιβλίο εργασίας του συνεχίζει πέρα από το μέγεθος που δηλώνει ο πίνακας "
          "περιεχομένων του (4327 byte)"_s);
  // A chain longer than its stream alone is read as before.
  changedXls(u"longer.xls"_s, longer(0));
  EXPECT_EQ(run({u"import"_s, file(u"longer.xls"_s), cat.path()}).status, 0);
  EXPECT_EQ(cat.bytes().size(), 3 * CatalogueRecord::kLength);
}

TEST_F(XlsHolesTest, SheetsWithoutDimensionsCountTheRoomFreeXlSetsAsideForThem) {
  // Neither sheet gives its dimensions (their records made blank cells), and
  // the last has a cell at row and column 4096: FreeXL would set aside 256 MB
  // for that sheet once for each sheet, past the import's budget with two.
  changedXls(u"no-dimensions.xls"_s, [](QByteArray& bytes, qsizetype book) {
    for (qsizetype at; (at = recordOf(bytes, book, 0x0200, 0)) >= 0;) put16(bytes, at, 0x0201);
    const qsizetype cell = recordOf(bytes, book, 0x0204, 89);
    put16(bytes, cell + 4, 4095);
    put16(bytes, cell + 6, 4095);
  });
  refused(u"no-dimensions.xls"_s, u"είναι πολύ μεγάλο για εισαγωγή: τα φύλλα του έχουν πάνω από 16777216 κελιά"_s);
  // The same with the far cell in the first sheet and the second listed but
  // never begun: FreeXL counts the sheets the workbook lists.
  changedXls(u"listed.xls"_s, [](QByteArray& bytes, qsizetype book) {
    for (qsizetype at; (at = recordOf(bytes, book, 0x0200, 0)) >= 0;) put16(bytes, at, 0x0201);
    const qsizetype cell = recordOf(bytes, book, 0x0204, 0);
    put16(bytes, cell + 4, 4095);
    put16(bytes, cell + 6, 4095);
    put32(bytes, recordOf(bytes, book, 0x0809, 2), 0);
  });
  refused(u"listed.xls"_s, u"τα φύλλα του έχουν πάνω από 16777216 κελιά"_s);
}

TEST_F(XlsHolesTest, AWorkbookInSectorsOf4096BytesIsReadWhereItsSectorsLie) {
  // books.xls laid out again as Excel lays out large workbooks: the header
  // alone in a first sector of 4096 bytes, then the table of links, the
  // directory, the mini table, the mini stream and the workbook (once looked
  // for 3,584 bytes too early, and refused as damaged).
  const QByteArray book = ::readAll(QStringLiteral(LOMIRA_SOURCE_DIR "/tests/data/books.xls"));
  const auto u32 = [](const QByteArray& bytes, qsizetype at) {
    return quint32(quint8(bytes[at])) | quint32(quint8(bytes[at + 1])) << 8 | quint32(quint8(bytes[at + 2])) << 16 |
           quint32(quint8(bytes[at + 3])) << 24;
  };
  const auto sector = [&](quint32 s) { return book.mid(512 + 512 * qsizetype(s), 512); };
  const auto stream = [&](quint32 s, qsizetype size) {
    QByteArray bytes;
    for (; s != 0xFFFFFFFE && bytes.size() < size; s = u32(book, 512 + 512 * qsizetype(u32(book, 0x4C)) + 4 * s))
      bytes += sector(s);
    return bytes.left(size).leftJustified(size <= 4096 ? 4096 : 8192, '\0');
  };
  QByteArray entries = sector(u32(book, 0x30)) + QByteArray(4096 - 512, '\0');
  const QByteArray mini = stream(u32(entries, 0x74), u32(entries, 0x78));
  const QByteArray workbook = stream(u32(entries, 2 * 128 + 0x74), u32(entries, 2 * 128 + 0x78));
  put32(entries, 0x74, 3);
  put32(entries, 2 * 128 + 0x74, 4);
  QByteArray links(4096, '\xFF');
  for (const auto& [s, next] :
       {std::pair{0, 0xFFFFFFFD}, {1, 0xFFFFFFFE}, {2, 0xFFFFFFFE}, {3, 0xFFFFFFFE}, {4, 5}, {5, 0xFFFFFFFE}})
    put32(links, 4 * s, quint32(next));
  QByteArray made = book.left(512) + QByteArray(4096 - 512, '\0');
  put16(made, 0x1A, 4);
  put16(made, 0x1E, 12);
  for (const auto& [at, value] : {std::pair{0x28, 1u}, {0x2C, 1u}, {0x30, 1u}, {0x3C, 2u}, {0x40, 1u}, {0x4C, 0u}})
    put32(made, at, value);
  made += links + entries + (sector(u32(book, 0x3C)) + QByteArray(4096, '\xFF')).left(4096) + mini + workbook;
  writeAll(file(u"large.xls"_s), made);
  EXPECT_EQ(run({u"import"_s, file(u"large.xls"_s), cat.path()}).status, 0);
  EXPECT_EQ(cat.bytes().size(), 3 * CatalogueRecord::kLength);
}
