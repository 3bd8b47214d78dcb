#include <gtest/gtest.h>

#include "catalogue/file/CatalogueFile.h"
#include "editions/Edition.h"
#include "support/ImportTestFiles.h"
#include "support/PrintQString.h"
#include "support/RecordingImportEngine.h"
#include "support/TempCatalogue.h"
#include "support/TestPlatform.h"
#include "transfer/table/TableColumns.h"

using namespace Qt::StringLiterals;
using Kind = ScriptedDialogs::Entry::Kind;

namespace {

// The window's import with the real engine, on a catalogue of one book whose
// book number is written 0031.
class ImportCommandTest : public ::testing::Test {
 protected:
  void SetUp() override {
    cat.setRecords({{u"Ρίτσος, Γιάννης"_s, {}, u"Επιτάφιος"_s, {}, u"0031 Ποίηση"_s}});
    before = cat.bytes();
    ASSERT_TRUE(file.open(cat.path()));
  }
  void TearDown() override { EXPECT_EQ(tp.dialogs.pending(), 0) << "scripted answers left unused"; }

  CatalogueImporter::Added importNow() {
    return command.importCatalogue(file, tp.dialogs, Edition::librarian().productTitle());
  }
  QString csv(const QStringList& lines) { return writeGreekExcelCsv(inDir(u"βιβλία.csv"_s), lines); }
  QString utf8Csv(const QStringList& lines) { return writeUtf8Csv(inDir(u"λίστα.csv"_s), lines); }
  QString inDir(const QString& name) const { return cat.dir() + u'/' + name; }
  QString lastMessage() const { return tp.dialogs.messageTexts().value(tp.dialogs.messageTexts().size() - 1); }
  QString keptAsItWas() const { return u"Δεν προστέθηκε καμία εγγραφή· ο κατάλογος «Zelkor.dat» έμεινε όπως ήταν."_s; }

  TempCatalogue cat;
  QByteArray before;
  TestPlatform tp;
  CatalogueFile file;
  RecordingImportEngine engine;
  CatalogueImportCommand command{engine.engine()};
};

// A list with a 126-character title and a French name, as the librarian met it.
QStringList longAndAccented() {
  return {u"Τίτλος;Συγγραφέας"_s, QString(100, u'Α') + QString(26, u'Ω') + u";Σαιντ"_s,
          u"Ο μικρός πρίγκιπας;Saint-Exupéry, Antoine de"_s};
}

}  // namespace

TEST_F(ImportCommandTest, ATableGoesThroughTheColumnChoiceAndTheBoxNamesTheCodesAdded) {
  QStringList lines{u"Τίτλος;Σημείωση;Συγγραφέας"_s};
  for (int i = 1; i <= 12; ++i) lines.append(u"Βιβλίο %1;Κέδρος %1;Συγγραφέας %1"_s.arg(i));
  const QString input = csv(lines);
  // The librarian moves the note column into the publication field.
  tp.dialogs.chooseToOpen(input).answerColumns(Dialogs::ColumnChoice{{{2}, {}, {0}, {1}, {}, {}}, true, {}, 0});
  tp.dialogs.answer(Dialogs::Answer::Ok);
  const CatalogueImporter::Added added = importNow();
  EXPECT_EQ(added.first, 2);
  EXPECT_EQ(added.count, 12);

  const QList<ScriptedDialogs::Entry> log = tp.dialogs.log();
  ASSERT_EQ(log.size(), 5);
  EXPECT_EQ(log[0].kind, Kind::OpenFile);
  EXPECT_EQ(log[0].title, u"Σ-Zelkor 3.2: Εισαγωγή καταλόγου"_s);
  EXPECT_EQ(log[0].text, cat.dir()) << "opens where the catalogue is";
  EXPECT_EQ(log[0].filters,
            (QStringList{u"Καταλόγοι και πίνακες (*.csv *.txt *.xlsx *.ods *.xls *.mrc *.xml *.dat)"_s,
                         u"Πίνακας CSV ή κειμένου (*.csv *.txt)"_s, u"Υπολογιστικό φύλλο Excel (*.xlsx)"_s,
                         u"Υπολογιστικό φύλλο OpenDocument (*.ods)"_s, u"Παλαιό υπολογιστικό φύλλο Excel (*.xls)"_s,
                         u"MARC21 ή UNIMARC για βιβλιοθήκες (*.mrc)"_s, u"MARCXML για βιβλιοθήκες (*.xml)"_s,
                         u"Κατάλογος (*.dat)"_s, u"Όλα τα αρχεία (*)"_s}));
  // The file is read, like the import, under a progress box beside the window.
  EXPECT_EQ(log[1].kind, Kind::Progress);
  EXPECT_EQ(log[1].text, u"Ανάγνωση του «βιβλία.csv»…"_s);
  EXPECT_EQ(log[2].kind, Kind::Columns);
  EXPECT_EQ(log[3].kind, Kind::Progress);
  EXPECT_EQ(log[3].text, u"Εισαγωγή από το «βιβλία.csv»…"_s);
  EXPECT_EQ(log[4].text, u"Προστέθηκαν 12 εγγραφές, με κωδικούς 2 έως 13."_s);
  EXPECT_EQ(log[4].icon, Dialogs::Icon::Information);
  EXPECT_EQ(log[4].title, u"Σ-Zelkor 3.2"_s);

  // The dialog was shown the proposal by field; the import got the choice by column.
  const Dialogs::ColumnsQuestion& asked = tp.dialogs.columnQuestions().first();
  EXPECT_EQ(asked.file, u"βιβλία.csv"_s);
  EXPECT_EQ(asked.seen, u"CSV, Windows-1253, διαχωριστικό «;»"_s);
  EXPECT_EQ(asked.columnsOfField, (QList<QList<int>>{{2}, {}, {0}, {}, {}, {}}));
  EXPECT_TRUE(asked.firstRowIsHeader);
  ASSERT_EQ(engine.imports.size(), 1);
  EXPECT_EQ(engine.imports[0].columns, (QList<int>{2, 3, 0}));
  EXPECT_EQ(engine.imports[0].firstRow, FirstRow::Header);
  EXPECT_FALSE(engine.imports[0].allowRepeats);
  EXPECT_FALSE(engine.imports[0].truncate);
  EXPECT_FALSE(engine.imports[0].foldAccents);
  EXPECT_EQ(file.recordCount(), 13);
  EXPECT_EQ(cat.fieldsOf(13)[3].trimmed(), u"Κέδρος 12"_s);
}

TEST_F(ImportCommandTest, AColumnNoFieldTookIsLeftOutUnlessItHoldsTheCodes) {
  const QString input = csv({u"Α/Α;Τίτλος;Συγγραφέας"_s, u"7;Ρωμιοσύνη;Ρίτσος"_s});
  tp.dialogs.chooseToOpen(input).answerColumns(Dialogs::ColumnChoice{{{}, {}, {1}, {}, {}, {}}, true, {}, 0});
  tp.dialogs.answer(Dialogs::Answer::Ok);
  importNow();
  ASSERT_EQ(engine.imports.size(), 1);
  EXPECT_EQ(engine.imports[0].columns, (QList<int>{kCodeColumn, 2, kNoColumn}));
  EXPECT_EQ(lastMessage(), u"Προστέθηκε 1 εγγραφή, με κωδικό 2."_s);
  EXPECT_EQ(cat.bytes(), before + recordWithFields({{}, {}, u"Ρωμιοσύνη"_s}));
}

TEST_F(ImportCommandTest, AListOfNoBooksSaysSo) {
  tp.dialogs.chooseToOpen(csv({u"Τίτλος;Συγγραφέας"_s})).acceptProposedColumns().answer(Dialogs::Answer::Ok);
  EXPECT_EQ(importNow().count, 0);
  EXPECT_EQ(lastMessage(), u"Δεν προστέθηκε καμία εγγραφή: το αρχείο δεν είχε βιβλία."_s);
  EXPECT_EQ(cat.bytes(), before);
}

TEST_F(ImportCommandTest, ThePreviewShowsACellWholeAndSaysInItsOwnWordsWhyItWouldNotGoIn) {
  tp.dialogs.chooseToOpen(utf8Csv(longAndAccented())).answerColumns(std::nullopt);
  importNow();
  const Dialogs::ColumnsQuestion& asked = tp.dialogs.columnQuestions().first();
  const Dialogs::PreviewCell title = asked.stored({asked.rows[0][0]}, 2);
  EXPECT_EQ(title.text, asked.rows[0][0]) << "previewed whole, not cut";
  EXPECT_EQ(title.problem,
            u"126 χαρακτήρες, ενώ το πεδίο χωρά 100· αν κοπεί, χάνεται το «%1»"_s.arg(QString(26, u'Ω')));
  const Dialogs::PreviewCell author = asked.stored({asked.rows[1][1]}, 0);
  EXPECT_EQ(author.problem,
            u"ο χαρακτήρας «é» δεν υπάρχει στην ελληνική γραφή του καταλόγου· χωρίς τόνο γράφεται «e»"_s);
  EXPECT_TRUE(asked.stored({asked.rows[1][0]}, 2).problem.isEmpty());
  EXPECT_TRUE(
      asked.stored({u"Ж"_s}, 2).problem.endsWith(u"ο χαρακτήρας «Ж» δεν υπάρχει στην ελληνική γραφή του καταλόγου"_s));
  EXPECT_EQ(cat.bytes(), before);
}

// What is too long or has a letter the catalogue cannot write is offered to
// be cut or written without accents, showing what goes; No keeps the
// catalogue; Yes stores what was shown, and the last box heads each list.
TEST_F(ImportCommandTest, TheWindowOffersToCutAndToDropAccentsAndTellsCutsAndNotesApart) {
  const QString input = utf8Csv(longAndAccented());
  tp.dialogs.chooseToOpen(input).acceptProposedColumns().answer(Dialogs::Answer::No).answer(Dialogs::Answer::Ok);
  EXPECT_EQ(importNow().count, 0);
  QList<ScriptedDialogs::Entry> boxes = tp.dialogs.messages();
  ASSERT_EQ(boxes.size(), 2);
  const QString offer =
      u"Αυτά τα κείμενα δεν χωρούν στο πεδίο τους· για να μπουν, κόβονται:\r\n"
      u"σειρά 2, στήλη «ΚΥΡΙΟΣ ΤΙΤΛΟΣ και ΥΠΟΤΙΤΛΟΣ ή [ΤΙΤΛΟΣ ΠΡΩΤΟΤΥΠΟΥ]»: 126 χαρακτήρες, ενώ το "
      u"πεδίο χωρά 100· αν κοπεί, χάνεται το «%1»\r\n\r\n"
      u"Αυτά τα γράμματα δεν υπάρχουν στην ελληνική γραφή του καταλόγου· για να μπουν, γράφονται "
      u"χωρίς τόνους:\r\n"
      u"σειρά 3, στήλη «ΣΥΓΓΡΑΦΕΑΣ - ΕΠΙΜΕΛΗΤΗΣ»: ο χαρακτήρας «é» δεν υπάρχει στην ελληνική γραφή "
      u"του καταλόγου· χωρίς τόνο γράφεται «e»\r\n\r\n"
      u"Να γίνει η εισαγωγή έτσι;"_s.arg(QString(26, u'Ω'));
  EXPECT_EQ(boxes[0].text, offer);
  EXPECT_EQ(boxes[0].defaultButton, Dialogs::Answer::No);
  EXPECT_EQ(boxes[1].text, keptAsItWas());
  EXPECT_EQ(cat.bytes(), before);

  tp.dialogs.clearLog();
  tp.dialogs.chooseToOpen(input).acceptProposedColumns().answer(Dialogs::Answer::Yes).answer(Dialogs::Answer::Ok);
  EXPECT_EQ(importNow().count, 2);
  ASSERT_EQ(engine.imports.size(), 3);
  EXPECT_TRUE(engine.imports[2].truncate && engine.imports[2].foldAccents);
  EXPECT_EQ(lastMessage(),
            u"Προστέθηκαν 2 εγγραφές, με κωδικούς 2 έως 3.\r\n\r\n"
            u"Κόπηκαν όσα δεν χωρούσαν:\r\n"
            u"σειρά 2, στήλη «ΚΥΡΙΟΣ ΤΙΤΛΟΣ και ΥΠΟΤΙΤΛΟΣ ή [ΤΙΤΛΟΣ ΠΡΩΤΟΤΥΠΟΥ]»: κόπηκε στους 100 "
            u"χαρακτήρες· χάθηκε το «%1»\r\n\r\n"
            u"Σημειώσεις:\r\n"
            u"σειρά 3, στήλη «ΣΥΓΓΡΑΦΕΑΣ - ΕΠΙΜΕΛΗΤΗΣ»: γράφτηκε «Saint-Exupery, Antoine de» αντί "
            u"«Saint-Exupéry, Antoine de»"_s.arg(QString(26, u'Ω')));
  EXPECT_EQ(cat.bytes(), before + recordWithFields({u"Σαιντ"_s, {}, QString(100, u'Α')}) +
                             recordWithFields({u"Saint-Exupery, Antoine de"_s, {}, u"Ο μικρός πρίγκιπας"_s}));
}

TEST_F(ImportCommandTest, ManyCutsAreListedTenThenCountedInTheOfferAndInTheLastBox) {
  QStringList lines{u"Τίτλος"_s};
  for (int i = 0; i < 12; ++i) lines.append(QString(100, u'Α') + QString::number(i));
  tp.dialogs.chooseToOpen(csv(lines)).acceptProposedColumns().answer(Dialogs::Answer::Yes).answer(Dialogs::Answer::Ok);
  EXPECT_EQ(importNow().count, 12);
  const QList<ScriptedDialogs::Entry> boxes = tp.dialogs.messages();
  ASSERT_EQ(boxes.size(), 2);
  const QStringList offer = boxes[0].text.split(u"\r\n"_s);
  ASSERT_EQ(offer.size(), 14);
  EXPECT_EQ(offer[11], u"… και άλλες 2."_s);
  const QStringList told = boxes[1].text.split(u"\r\n"_s);
  ASSERT_EQ(told.size(), 14);
  EXPECT_EQ(told[2], u"Κόπηκαν όσα δεν χωρούσαν:"_s);
  EXPECT_EQ(told[13], u"… και άλλες 2."_s);
  EXPECT_EQ(cat.fieldsOf(13)[2], QString(100, u'Α'));
}

TEST_F(ImportCommandTest, OnlyWhatTheWindowCanMendIsOfferedAndARefusalIsWordedForTheWindow) {
  const QString input = utf8Csv({u"Τίτλος;Συγγραφέας"_s, QString(120, u'Α') + u";Чехов"_s});
  tp.dialogs.chooseToOpen(input).acceptProposedColumns().answer(Dialogs::Answer::Ok);
  EXPECT_EQ(importNow().count, 0);
  ASSERT_EQ(tp.dialogs.messages().size(), 1) << "a letter that cannot be written is no question";
  const QString said = lastMessage();
  EXPECT_TRUE(
      said.startsWith(u"Η εισαγωγή από το «λίστα.csv» δεν έγινε· ο κατάλογος «Zelkor.dat» έμεινε όπως ήταν:\r\n"
                      u"Το «λίστα.csv» διαβάστηκε ως CSV, UTF-8, διαχωριστικό «;».\r\n"
                      u"σειρά 2, στήλη «ΣΥΓΓΡΑΦΕΑΣ - ΕΠΙΜΕΛΗΤΗΣ»: ο χαρακτήρας «Ч» δεν υπάρχει στην ελληνική "
                      u"γραφή του καταλόγου\r\n"_s))
      << said.toStdString();
  for (const QString& toolWords : {u"--"_s, u"U+"_s, u"lomira-catalogue"_s})
    EXPECT_FALSE(said.contains(toolWords)) << said.toStdString();
  EXPECT_EQ(cat.bytes(), before);
}

TEST_F(ImportCommandTest, AfterARefusalTheSameFileKeepsTheColumnsChosenAndAnotherGetsItsOwn) {
  const QString input = utf8Csv({u"Τίτλος;Σημείωση;Συγγραφέας"_s, u"Ένα;Δύο;Чехов"_s});
  const Dialogs::ColumnChoice chosen{{{}, {2}, {0}, {1}, {}, {}}, true, {}, 0};
  tp.dialogs.chooseToOpen(input).answerColumns(chosen).answer(Dialogs::Answer::Ok);
  importNow();
  tp.dialogs.chooseToOpen(input).answerColumns(std::nullopt);
  importNow();
  tp.dialogs.chooseToOpen(csv({u"Τίτλος;Σημείωση;Συγγραφέας"_s})).answerColumns(std::nullopt);
  importNow();
  const QList<Dialogs::ColumnsQuestion>& asked = tp.dialogs.columnQuestions();
  ASSERT_EQ(asked.size(), 3);
  EXPECT_EQ(asked[0].columnsOfField, (QList<QList<int>>{{2}, {}, {0}, {}, {}, {}}));
  EXPECT_EQ(asked[1].columnsOfField, chosen.columnsOfField);
  EXPECT_EQ(asked[2].columnsOfField, asked[0].columnsOfField);
}

TEST_F(ImportCommandTest, ASkippedMarcRecordIsHeadedAsANoteNotACut) {
  const QString input = inDir(u"βιβλία.xml"_s);
  writeAll(input, marcXml(u"<record><leader>00000cam a2200000 i 4500</leader><datafield tag=\"245\" ind1=\"1\" "
                          u"ind2=\"0\"><subfield code=\"a\">Ρωμιοσύνη</subfield></datafield></record>"
                          u"<record><leader>00000nz  a2200000n  4500</leader>"
                          u"<controlfield tag=\"001\">auth1</controlfield></record>"_s)
                      .toUtf8());
  tp.dialogs.chooseToOpen(input).answer(Dialogs::Answer::Yes).answer(Dialogs::Answer::Ok);
  EXPECT_EQ(importNow().count, 1);
  EXPECT_EQ(lastMessage(),
            u"Προστέθηκε 1 εγγραφή, με κωδικό 2.\r\n\r\n"
            u"Σημειώσεις:\r\n"
            u"εγγραφή MARC 2 (001 «auth1»): δεν έχει κανένα πεδίο του καταλόγου και παραλείφθηκε"_s);
}

TEST_F(ImportCommandTest, MarcOrACatalogueIsConfirmedByItsCountAndNoAddsNothing) {
  QByteArray records;
  for (int i = 0; i < 25; ++i) records += recordWithFields({u"Συγγραφέας %1"_s.arg(i)});
  writeAll(inDir(u"άλλος.dat"_s), records);
  tp.dialogs.chooseToOpen(inDir(u"άλλος.dat"_s)).answer(Dialogs::Answer::No);
  EXPECT_EQ(importNow().count, 0);
  const QList<ScriptedDialogs::Entry> boxes = tp.dialogs.messages();
  ASSERT_EQ(boxes.size(), 1);
  EXPECT_EQ(boxes[0].text,
            u"Το αρχείο «άλλος.dat» (κατάλογος) έχει 25 εγγραφές. Να προστεθούν στο τέλος του καταλόγου;"_s);
  EXPECT_EQ(boxes[0].buttons, Dialogs::Buttons::YesNo);
  EXPECT_EQ(boxes[0].icon, Dialogs::Icon::Question);
  EXPECT_TRUE(engine.imports.isEmpty());
}

TEST_F(ImportCommandTest, RepeatedBookNumbersAreListedAsTheFileHoldsThemNoSaysSoAndYesGoesOn) {
  QStringList lines{u"Τίτλος;Βιβλιάριθμος"_s, u"Νέο;0031"_s};
  for (int i = 0; i < 11; ++i) lines.append(u"Αντίτυπο %1;0040"_s.arg(i));
  const QString input = csv(lines);
  tp.dialogs.chooseToOpen(input).acceptProposedColumns().answer(Dialogs::Answer::No).answer(Dialogs::Answer::Ok);
  EXPECT_EQ(importNow().count, 0);
  QList<ScriptedDialogs::Entry> boxes = tp.dialogs.messages();
  ASSERT_EQ(boxes.size(), 2);
  EXPECT_EQ(boxes[0].defaultButton, Dialogs::Answer::No);
  const QStringList lines0 = boxes[0].text.split(u"\r\n"_s);
  ASSERT_EQ(lines0.size(), 13);
  EXPECT_EQ(lines0[0], u"Αυτοί οι αριθμοί βιβλίων υπάρχουν ήδη στον κατάλογο ή επαναλαμβάνονται στο αρχείο:"_s);
  EXPECT_EQ(lines0[1], u"σειρά 2: ο βιβλιάριθμος 0031 υπάρχει ήδη στον κατάλογο, στην εγγραφή με κωδικό 1"_s);
  EXPECT_EQ(lines0[2], u"σειρά 4: ο βιβλιάριθμος 0040 δίνεται ήδη πιο πάνω (σειρά 3)"_s);
  EXPECT_EQ(lines0[11], u"… και άλλες 1."_s);
  EXPECT_EQ(lines0[12], u"Να προστεθούν τα βιβλία και έτσι;"_s);
  EXPECT_EQ(boxes[1].text, keptAsItWas());
  EXPECT_EQ(cat.bytes(), before);

  tp.dialogs.clearLog();
  tp.dialogs.chooseToOpen(input).acceptProposedColumns().answer(Dialogs::Answer::Yes).answer(Dialogs::Answer::Ok);
  EXPECT_EQ(importNow().count, 12);
  ASSERT_EQ(engine.imports.size(), 3);
  EXPECT_TRUE(engine.imports[2].allowRepeats);
  EXPECT_EQ(engine.imports[2].columns, engine.imports[1].columns) << "the librarian's choice holds for the retry";
  EXPECT_EQ(lastMessage(), u"Προστέθηκαν 12 εγγραφές, με κωδικούς 2 έως 13."_s);
  EXPECT_EQ(cat.fieldsOf(2)[4].trimmed(), u"0031"_s);
}

TEST_F(ImportCommandTest, EveryOtherEndSaysWhyInTheWindowsWordsAndThatNothingWasAdded) {
  QStringList many{u"Τίτλος"_s};
  for (int i = 0; i < 3000; ++i) many.append(u"Βιβλίο %1"_s.arg(i));
  writeAll(inDir(u"μισός.dat"_s), recordWithFields({u"Α"_s}) + "xyz");
  writeAll(inDir(u"χαλασμένος.dat"_s), QByteArray(1, '\x01') + QByteArray(349, ' '));
  writeAll(inDir(u"βιβλία.xlsx"_s), QByteArray("PK\x03\x04").leftJustified(400, '\0'));
  struct Case {
    QString input;
    bool table;
    QString said;
  };
  const QList<Case> cases{
      {csv(many), true, u"Η εισαγωγή ακυρώθηκε· δεν προστέθηκε καμία εγγραφή στον κατάλογο."_s},
      {inDir(u"μισός.dat"_s), false,
       u"Το αρχείο «μισός.dat» δεν είναι κατάλογος ή έχει μισή τελευταία εγγραφή: το μήκος του (353 byte) δεν είναι "
       u"πολλαπλάσιο των 350 byte."_s},
      {inDir(u"χαλασμένος.dat"_s), false,
       u"εγγραφή 1 του «χαλασμένος.dat»: έχει χαρακτήρες ελέγχου, που ο κατάλογος δεν δέχεται"_s},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.said.toStdString());
    tp.dialogs.clearLog();
    tp.dialogs.cancelProgressAt(1, 2);  // the import's box, after the reading's
    tp.dialogs.chooseToOpen(c.input);
    if (c.table) tp.dialogs.acceptProposedColumns();
    tp.dialogs.answer(Dialogs::Answer::Ok);
    EXPECT_EQ(importNow().count, 0);
    ASSERT_EQ(tp.dialogs.messages().size(), 1);
    EXPECT_EQ(tp.dialogs.messages()[0].text, c.said);
    EXPECT_EQ(tp.dialogs.messages()[0].icon, c.table ? Dialogs::Icon::Information : Dialogs::Icon::Exclamation);
    EXPECT_EQ(cat.bytes(), before);
  }
  tp.dialogs.cancelProgressAt(0);
  tp.dialogs.chooseToOpen(inDir(u"βιβλία.xlsx"_s)).answer(Dialogs::Answer::Ok);
  EXPECT_EQ(importNow().count, 0);
  EXPECT_TRUE(lastMessage().contains(u"βιβλία.xlsx"_s)) << lastMessage().toStdString();
  EXPECT_EQ(cat.bytes(), before);
}
