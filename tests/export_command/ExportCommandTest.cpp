#include <gtest/gtest.h>

#include <QDir>
#include <QFile>

#include "editions/Edition.h"
#include "export_command/CatalogueExportCommand.h"
#include "support/TempCatalogue.h"
#include "support/TestPlatform.h"

using namespace Qt::StringLiterals;
using Kind = ScriptedDialogs::Entry::Kind;

namespace {

constexpr int kCsv = 0;
constexpr int kXlsx = 1;
constexpr int kMarc21 = 2;

class ExportCommandTest : public ::testing::Test {
 protected:
  void TearDown() override { EXPECT_EQ(tp.dialogs.pending(), 0) << "scripted answers left unused"; }
  bool exportNow() {
    return CatalogueExportCommand().exportCatalogue(cat.path(), tp.dialogs, Edition::librarian().productTitle());
  }
  QStringList filesHere() const { return QDir(cat.dir()).entryList(QDir::Files); }

  TempCatalogue cat;
  TestPlatform tp;
};

}  // namespace

TEST_F(ExportCommandTest, TheChosenFormatGetsItsSuffixAndTheUserIsToldWhereTheFileWent) {
  cat.setRecords({{u"Καζαντζάκης, Νίκος"_s}, {u"Σεφέρης, Γιώργος"_s}});
  tp.dialogs.choose(cat.dir() + u"/λίστα"_s, kXlsx).answer(Dialogs::Answer::Ok);
  EXPECT_TRUE(exportNow());

  const QList<ScriptedDialogs::Entry> log = tp.dialogs.log();
  ASSERT_EQ(log.size(), 3);
  EXPECT_EQ(log[0].kind, Kind::SaveFile);
  EXPECT_EQ(log[0].title, u"Σ-Zelkor 3.2: Εξαγωγή καταλόγου"_s);
  EXPECT_EQ(log[0].text, cat.dir() + u"/Zelkor.csv"_s);
  EXPECT_EQ(log[0].filters, (QStringList{u"Πίνακας CSV (*.csv)"_s, u"Υπολογιστικό φύλλο Excel (*.xlsx)"_s,
                                         u"MARC21 για βιβλιοθήκες (*.mrc)"_s, u"MARCXML για βιβλιοθήκες (*.xml)"_s,
                                         u"UNIMARC για βιβλιοθήκες (*.mrc)"_s}));
  EXPECT_EQ(log[1].kind, Kind::Progress);
  EXPECT_EQ(log[1].text, u"Εξαγωγή του καταλόγου στο «λίστα.xlsx»…"_s);
  EXPECT_EQ(log[2].text, u"Ο κατάλογος (2 εγγραφές) γράφτηκε στο αρχείο\r\n"_s +
                             QDir::toNativeSeparators(cat.dir() + u"/λίστα.xlsx"_s));
  EXPECT_EQ(log[2].icon, Dialogs::Icon::Information);
  EXPECT_EQ(log[2].title, u"Σ-Zelkor 3.2"_s);
  EXPECT_EQ(filesHere(), (QStringList{u"Zelkor.dat"_s, u"λίστα.xlsx"_s}));

  // A name typed with another format's suffix gets that format, not the filter's.
  tp.dialogs.choose(cat.dir() + u"/typed.XLSX"_s, kCsv).answer(Dialogs::Answer::Ok);
  EXPECT_TRUE(exportNow());
  QFile typed(cat.dir() + u"/typed.XLSX"_s);
  ASSERT_TRUE(typed.open(QIODevice::ReadOnly));
  EXPECT_EQ(typed.read(2), "PK") << "a zipped workbook";
}

TEST_F(ExportCommandTest, CancellingTheDialogOrTheProgressLeavesNoFile) {
  QList<QStringList> books;
  for (int i = 0; i < 5000; ++i) books.append({u"Συγγραφέας %1"_s.arg(i)});
  cat.setRecords(books);

  tp.dialogs.choose(QString(), -1);
  EXPECT_FALSE(exportNow());
  EXPECT_EQ(tp.dialogs.log().size(), 1);

  tp.dialogs.choose(cat.dir() + u"/list.csv"_s, kCsv).answer(Dialogs::Answer::Ok);
  tp.dialogs.cancelProgressAt(2);
  EXPECT_FALSE(exportNow());
  EXPECT_EQ(tp.dialogs.progressSteps(), (QList<qint64>{2048, 4096}));
  EXPECT_EQ(tp.dialogs.messageTexts(), QStringList{u"Η εξαγωγή ακυρώθηκε· το αρχείο «%1» δεν γράφτηκε."_s.arg(
                                           QDir::toNativeSeparators(cat.dir() + u"/list.csv"_s))});
  EXPECT_EQ(filesHere(), QStringList{u"Zelkor.dat"_s});
}

TEST_F(ExportCommandTest, AFileThatCannotBeWrittenOrTheCatalogueItselfIsRefusedWithTheReason) {
  cat.setRecords({{u"Ένα"_s}});
  const QByteArray before = cat.bytes();
  tp.dialogs.choose(cat.dir() + u"/missing/list.csv"_s, kCsv).answer(Dialogs::Answer::Ok);
  tp.dialogs.choose(cat.path(), kCsv).answer(Dialogs::Answer::Ok);
  EXPECT_FALSE(exportNow());
  EXPECT_FALSE(exportNow());
  const QList<ScriptedDialogs::Entry> boxes = tp.dialogs.messages();
  ASSERT_EQ(boxes.size(), 2);
  EXPECT_EQ(boxes[0].icon, Dialogs::Icon::Exclamation);
  EXPECT_EQ(boxes[0].text,
            u"Δεν ήταν δυνατή η εγγραφή στο αρχείο «list.csv»: το αρχείο ή ο φάκελός του δεν υπάρχει."_s);
  EXPECT_EQ(boxes[1].text, u"Η εξαγωγή δεν γίνεται πάνω στον ίδιο τον κατάλογο «Zelkor.dat»: διαλέξτε άλλο αρχείο."_s);
  EXPECT_EQ(cat.bytes(), before);
}

TEST_F(ExportCommandTest, TheBoxNamesTheRecordsThatMarcCouldNotCarry) {
  cat.setRecords({{u"Σεφέρης, Γιώργος"_s, {}, u"Ποιήματα"_s}, {u"Χωρίς τίτλο"_s}, {}});
  tp.dialogs.choose(cat.dir() + u"/list.mrc"_s, kMarc21).answer(Dialogs::Answer::Ok);
  EXPECT_TRUE(exportNow());
  EXPECT_EQ(tp.dialogs.messageTexts(),
            QStringList{u"Ο κατάλογος (1 εγγραφές) γράφτηκε στο αρχείο\r\n%1\r\nΔεν γράφτηκαν οι εγγραφές χωρίς "
                        u"τίτλο (2): 2-3."_s.arg(QDir::toNativeSeparators(cat.dir() + u"/list.mrc"_s))});
}
