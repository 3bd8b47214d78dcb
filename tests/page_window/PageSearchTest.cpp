// The seven page searches: their texts, how matches fill pages of eight, the
// page-full and last-records questions, and the captions each ending leaves.
#include "PageWindowFixture.h"

using namespace Qt::StringLiterals;

namespace {

using Answer = Dialogs::Answer;
const QString kPageCaption = u"Σ-Zelkor 3.2: Παρουσίαση Πολλαπλών Εγγραφών"_s;
const QString kPageFull = u"Θέλετε να Εκτυπώσω τις Εγγραφές "_s;
const QString kLastRecords = u"Να Εκτυπώσω τις Τελευταίες Εγγραφές "_s;

TEST_F(PageWindowTest, EverySearchAsksItsTextAndReportsNotFoundOnAnEmptyCatalogue) {
  struct Row {
    const char* menu;
    QString prompt;
    QString title;
    QString notFound;
  };
  const QList<Row> rows{
      {"mnuEpo", u"Βρες Συγγραφέα ή Επιμελητή:"_s, u"Σ-Zelkor 3.2: Αναζήτηση Συγγραφέα/Επιμελητή"_s,
       u"Ο Συγγραφέας/Επιμελητής ΑΡΧΑΙΑ δεν Βρέθηκε"_s},
      {"mnuOno", u"Βρες Μεταφραστή ή Διασκευαστή ή Εικονογράφο ή Συντάκτη Προλόγου/Εισαγωγής:"_s,
       u"Σ-Zelkor 3.2: Αναζήτηση Άλλου Ονόματος"_s, u"Το Όνομα ΑΡΧΑΙΑ δεν Βρέθηκε"_s},
      {"mnuTitlos", u"Βρες Κείμενο:"_s, u"Σ-Zelkor 3.2: Αναζήτηση Τίτλου"_s, u"Το Κείμενο ΑΡΧΑΙΑ δεν Βρέθηκε"_s},
      {"mnuAlloi", u"Βρες Εκδοτικό Στοιχείο:"_s, u"Σ-Zelkor 3.2: Αναζήτηση Εκδοτικού Στοιχείου:"_s,
       u"Το Εκδοτικό Στοιχείο ΑΡΧΑΙΑ δεν Βρέθηκε"_s},
      {"mnuEkdot", u"Βρες Βιβλιάριθμο ή Θέμα:"_s, u"Σ-Zelkor 3.2: Αναζήτηση Βιβλιάριθμου ή Θέματος:"_s,
       u" Ο Αριθμός ή το Θέμα ΑΡΧΑΙΑ δεν Βρέθηκε"_s},
      {"mnuNo", u"Βρες Δανειζόμενο:"_s, u"Σ-Zelkor 3.2: Αναζήτηση Δανειζόμενου"_s,
       u"Ο Δανειζόμενος ΑΡΧΑΙΑ δεν Βρέθηκε"_s},
      {"mnuAuthorTitle", u"Βρες Κείμενο σε Συγγραφέα/Άλλο Όνομα/Τίτλο:"_s, u"Σ-Zelkor 3.2: Αναζήτηση Κειμένου"_s,
       u"Το Κείμενο ΑΡΧΑΙΑ δεν Βρέθηκε"_s},
  };
  cat.setBytes({});
  frmMulti& w = load();
  for (const Row& row : rows) {
    tp.dialogs.clearLog();
    tp.dialogs.type(u"ΑΡΧΑΙΑ"_s).answer(Answer::Ok);
    trigger(row.menu);
    const auto& log = tp.dialogs.log();
    ASSERT_EQ(log.size(), 2) << row.menu;
    EXPECT_EQ(log[0].kind, ScriptedDialogs::Entry::Kind::Input);
    EXPECT_EQ(log[0].text, row.prompt);
    EXPECT_EQ(log[0].title, row.title);
    EXPECT_EQ(log[1].text, row.notFound);
    EXPECT_EQ(log[1].title, u"Σ-Zelkor 3.2"_s);
    EXPECT_EQ(log[1].icon, Dialogs::Icon::Information);
    EXPECT_EQ(log[1].buttons, Dialogs::Buttons::Ok);
    EXPECT_EQ(log[1].caption, progressCaption(1, 1)) << "the pass past the end shows the count reached";
    EXPECT_EQ(w.windowTitle(), kPageCaption);
  }
}

TEST_F(PageWindowTest, CancelledOrEmptyInputLeavesABlankPageAndTheCaption) {
  cat.setRecords(books(3));
  frmMulti& w = load();
  tp.dialogs.type(u"Τίτλος"_s).answer(Answer::Cancel);
  trigger("mnuTitlos");
  ASSERT_EQ(w.rowCount(), 3);

  tp.dialogs.type({});
  trigger("mnuEpo");
  EXPECT_TRUE(w.surface().runs().isEmpty());
  EXPECT_EQ(w.rowCount(), 0);
  EXPECT_EQ(w.pageBuffer()[0][0], QString());
  EXPECT_EQ(w.windowTitle(), kPageCaption);
}

TEST_F(PageWindowTest, OneMatchInTheMiddleIsAskedAboutAfterTheWholeScan) {
  cat.setRecords(books(5));
  frmMulti& w = load();
  tp.dialogs.type(u"Τίτλος 3"_s).answer(Answer::No);
  trigger("mnuTitlos");
  const auto boxes = tp.dialogs.messages();
  ASSERT_EQ(boxes.size(), 1);
  EXPECT_EQ(boxes[0].text, kLastRecords);
  EXPECT_EQ(boxes[0].title, u"Σ-Zelkor 3.2"_s);
  EXPECT_EQ(boxes[0].icon, Dialogs::Icon::Question);
  EXPECT_EQ(boxes[0].buttons, Dialogs::Buttons::YesNoCancel);
  EXPECT_EQ(boxes[0].defaultButton, Answer::Yes);
  EXPECT_EQ(boxes[0].caption, progressCaption(5, 5));
  EXPECT_EQ(shownRecords(), QList<int>{3});
  EXPECT_EQ(w.currentRecord(), 3);
  EXPECT_EQ(w.windowTitle(), kPageCaption);
  EXPECT_TRUE(tp.sink.jobs.isEmpty());
}

TEST_F(PageWindowTest, AMatchOnTheLastRecordIsAskedAboutAtOnce) {
  cat.setRecords(books(5));
  frmMulti& w = load();
  tp.dialogs.type(u"Τίτλος 5"_s).answer(Answer::Yes);
  trigger("mnuTitlos");
  ASSERT_EQ(tp.dialogs.messages().size(), 1);
  EXPECT_EQ(tp.dialogs.messages()[0].caption, recordCaption(5, 5));
  ASSERT_EQ(tp.sink.jobs.size(), 1);
  EXPECT_EQ(tp.sink.jobs[0].pages[0].last(), u"Διερεύνηση Τίτλου: Σελίδα  1"_s);
  EXPECT_TRUE(w.surface().runs().isEmpty());
  EXPECT_EQ(w.rowCount(), 0);
  EXPECT_EQ(w.windowTitle(), kPageCaption);
}

TEST_F(PageWindowTest, EightMatchesFillAPageThenTheLastRecordsQuestionComesForAnEmptyOne) {
  cat.setRecords(books(8));
  frmMulti& w = load();
  tp.dialogs.type(u"Τίτλος"_s).answer(Answer::Yes).answer(Answer::Yes);
  trigger("mnuTitlos");
  const auto boxes = tp.dialogs.messages();
  ASSERT_EQ(boxes.size(), 2);
  EXPECT_EQ(boxes[0].text, kPageFull);
  EXPECT_EQ(boxes[0].icon, Dialogs::Icon::Question);
  EXPECT_EQ(boxes[0].buttons, Dialogs::Buttons::YesNoCancel);
  EXPECT_EQ(boxes[0].caption, recordCaption(8, 8));
  EXPECT_EQ(boxes[1].text, kLastRecords);
  EXPECT_EQ(boxes[1].caption, progressCaption(8, 8));

  ASSERT_EQ(tp.sink.jobs.size(), 2) << "each page is a job of its own";
  const QStringList full = tp.sink.jobs[0].pages.value(0);
  const QStringList empty = tp.sink.jobs[1].pages.value(0);
  EXPECT_EQ(full[printedLine(8, 2)].trimmed(), u"Τίτλος 8"_s);
  EXPECT_EQ(full.last(), u"Διερεύνηση Τίτλου: Σελίδα  1"_s);
  EXPECT_EQ(empty[printedLine(8, 2)], QString());
  EXPECT_EQ(empty.last(), u"Διερεύνηση Τίτλου: Σελίδα  2"_s);
  EXPECT_EQ(w.pageNumber(), 2);
  EXPECT_EQ(w.windowTitle(), kPageCaption);
}

TEST_F(PageWindowTest, TheNinthMatchStartsAFreshPageAfterNo) {
  cat.setRecords(books(9));
  frmMulti& w = load();
  tp.dialogs.type(u"Τίτλος"_s).answer(Answer::No).answer(Answer::Cancel);
  trigger("mnuTitlos");
  const auto boxes = tp.dialogs.messages();
  ASSERT_EQ(boxes.size(), 2);
  EXPECT_EQ(boxes[0].text, kPageFull);
  EXPECT_EQ(boxes[1].text, kLastRecords);
  EXPECT_EQ(boxes[1].caption, recordCaption(9, 9));
  EXPECT_TRUE(tp.sink.jobs.isEmpty());
  EXPECT_EQ(shownRecords(), QList<int>{9});
  EXPECT_EQ(w.surface().runs().first().line, 0);
  EXPECT_EQ(w.rowCount(), 1);
  EXPECT_TRUE(w.pageBuffer()[0][2].endsWith(u"= 9"_s));
  EXPECT_EQ(w.pageBuffer()[1][0], QString());
  EXPECT_EQ(w.windowTitle(), kPageCaption);
}

TEST_F(PageWindowTest, SeventeenMatchesPrintThreeNumberedPages) {
  cat.setRecords(books(17));
  load();
  tp.dialogs.type(u"Συγγραφέας"_s).answer(Answer::Yes).answer(Answer::Yes).answer(Answer::Yes);
  trigger("mnuEpo");
  ASSERT_EQ(tp.sink.jobs.size(), 3);
  EXPECT_EQ(tp.sink.jobs[1].pages[0][printedLine(1, 2)].trimmed(), u"Τίτλος 9"_s);
  EXPECT_EQ(tp.sink.jobs[2].pages[0][printedLine(1, 2)].trimmed(), u"Τίτλος 17"_s);
  EXPECT_EQ(tp.sink.jobs[2].pages[0][printedLine(2, 2)], QString());
  EXPECT_EQ(tp.sink.jobs[2].pages[0].last(), u"Διερεύνηση Συγγραφέα/Επιμελητή: Σελίδα  3"_s);
}

TEST_F(PageWindowTest, CancelAtPageFullKeepsTheEightAndStopsTheScan) {
  cat.setRecords(books(12));
  frmMulti& w = load();
  tp.dialogs.type(u"Τίτλος"_s).answer(Answer::Cancel);
  trigger("mnuTitlos");
  ASSERT_EQ(tp.dialogs.messages().size(), 1);
  EXPECT_EQ(shownRecords(), (QList<int>{1, 2, 3, 4, 5, 6, 7, 8}));
  EXPECT_EQ(w.surface().lineText(31), QString(110, u'_')) << "the eighth record ends on line 32";
  EXPECT_EQ(w.rowCount(), 8);
  EXPECT_EQ(w.currentRecord(), 8);
  EXPECT_EQ(w.windowTitle(), recordCaption(8, 12));
  EXPECT_TRUE(tp.sink.jobs.isEmpty());

  // Print then prints the eight with the heading then stored: none yet.
  trigger("mnuPrint");
  ASSERT_EQ(tp.sink.jobs.size(), 1);
  EXPECT_EQ(tp.sink.jobs[0].pages[0][printedLine(8, 2)].trimmed(), u"Τίτλος 8"_s);
  EXPECT_EQ(tp.sink.jobs[0].pages[0].last(), u" Σελίδα  1"_s);
  EXPECT_EQ(w.windowTitle(), recordCaption(8, 12)) << "printing leaves the caption";
}

TEST_F(PageWindowTest, FourFieldSearchFindsPublicationDataAndShowsARecordOnce) {
  cat.setRecords({
      {u"Ρίτσος"_s, {}, u"Ρωμιοσύνη"_s, u"Αθήνα: Κέδρος"_s},
      {u"Σεφέρης"_s, {}, u"Ημερολόγιο Καταστρώματος"_s, u"Αθήνα: Ίκαρος"_s},
      {u"Ίκαρος ο ποιητής"_s, u"Ίκαρος"_s, u"Ίκαρος και Δαίδαλος"_s, u"Ίκαρος"_s},
  });
  frmMulti& w = load();
  tp.dialogs.type(u"Κέδρος"_s).answer(Answer::Ok);
  trigger("mnuTitlos");
  EXPECT_EQ(tp.dialogs.messageTexts(), QStringList{u"Το Κείμενο Κέδρος δεν Βρέθηκε"_s});

  tp.dialogs.clearLog();
  tp.dialogs.type(u"Κέδρος"_s).answer(Answer::No);
  trigger("mnuAuthorTitle");
  EXPECT_EQ(shownRecords(), QList<int>{1});

  tp.dialogs.clearLog();
  tp.dialogs.type(u"Ίκαρος"_s).answer(Answer::No);
  trigger("mnuAuthorTitle");
  EXPECT_EQ(shownRecords(), (QList<int>{2, 3}));
  EXPECT_EQ(w.rowCount(), 2);
}

TEST_F(PageWindowTest, SearchesCompareExactCharactersIncludingPadSpaces) {
  cat.setRecords({{u"ΚΑΒΑΦΗΣ"_s}, {u"Καβάφης"_s}, {u"Καβαφης"_s}});
  load();
  tp.dialogs.type(u"Καβάφης"_s).answer(Answer::No);
  trigger("mnuEpo");
  EXPECT_EQ(shownRecords(), QList<int>{2});

  tp.dialogs.type(u"Καβαφης  "_s).answer(Answer::No);
  trigger("mnuEpo");
  EXPECT_EQ(shownRecords(), QList<int>{3});
}

TEST_F(PageWindowTest, OnlyThePublicationSearchEmptiesTheHeadingAndEverySearchRestartsTheCount) {
  cat.setRecords(books(2));
  frmMulti& w = load();
  tp.dialogs.type(u"Τίτλος 1"_s).answer(Answer::Yes);
  trigger("mnuTitlos");
  EXPECT_EQ(w.printHeading(), u"Διερεύνηση Τίτλου:"_s);
  EXPECT_EQ(w.pageNumber(), 1);

  // A search that prints nothing keeps the heading but restarts the count.
  tp.dialogs.type(u"ΑΡΧΑΙΑ"_s).answer(Answer::Ok);
  trigger("mnuEpo");
  EXPECT_EQ(w.pageNumber(), 0);
  trigger("mnuPrint");
  EXPECT_EQ(tp.sink.jobs.last().pages[0].last(), u"Διερεύνηση Τίτλου: Σελίδα  1"_s);

  tp.dialogs.type({});
  trigger("mnuAlloi");
  EXPECT_EQ(w.printHeading(), QString());
  trigger("mnuPrint");
  EXPECT_EQ(tp.sink.jobs.last().pages[0].last(), u" Σελίδα  1"_s);

  tp.dialogs.type(u"Αθήνα"_s).answer(Answer::Yes);
  trigger("mnuAlloi");
  EXPECT_EQ(tp.sink.jobs.last().pages[0].last(), u"Διερεύνηση Εκδοτικού Στοιχείου: Σελίδα  1"_s);
}

}  // namespace
