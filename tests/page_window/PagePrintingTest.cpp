// Printed pages of the page window: the 56-line layout, the page number and
// heading in the footer, and sharing the one print document.
#include "PageWindowFixture.h"

using namespace Qt::StringLiterals;

namespace {

const QString kRule = QString(110, u'_');

// A printed page line for line: header, eight blocks of the given rows
// (missing rows print as three empty lines), four empty lines, footer.
QStringList expectedPage(const QString& header, const QList<QStringList>& rows, const QString& footer) {
  QStringList page{QString(), header, QString()};
  for (int r = 0; r < 8; ++r) {
    const QStringList row = rows.value(r, {QString(), QString(), QString()});
    page << kRule << QString() << row << kRule;
  }
  page << QString() << QString() << QString() << QString() << footer;
  return page;
}

TEST_F(PageWindowTest, PrintBeforeAnySearchPrintsEightEmptyBlocksAndCountsPages) {
  frmMulti& w = load();
  trigger("mnuPrint");
  ASSERT_EQ(tp.sink.jobs.size(), 1);
  const PrintJob& job = tp.sink.jobs[0];
  EXPECT_EQ(job.fontName, u"courier"_s);
  EXPECT_EQ(job.fontSize, 12);
  ASSERT_EQ(job.pages.size(), 1);
  EXPECT_EQ(job.pages[0],
            expectedPage(u"Σ-Zelkor 3.2: Εκτυπώθηκε στις "_s + tp.clock.printedMoment(), {}, u" Σελίδα  1"_s));
  EXPECT_EQ(job.pages[0].size(), 56);

  trigger("mnuPrint");
  ASSERT_EQ(tp.sink.jobs.size(), 2);
  EXPECT_EQ(tp.sink.jobs[1].pages[0].last(), u" Σελίδα  2"_s);
  EXPECT_EQ(w.pageNumber(), 2);
}

TEST_F(PageWindowTest, APageOfThreeRecordsPrintsTheirLinesThenEmptiesTheWindow) {
  cat.setRecords({
      {u"Ρίτσος, Γιάννης"_s, {}, u"Ρωμιοσύνη"_s, u"Αθήνα: Κέδρος, 1966"_s, u"Π-12 Ποίηση"_s, u"Νίκου Μαρία 3/3"_s},
      {u"Σεφέρης, Γιώργος"_s, {}, u"Ημερολόγιο Καταστρώματος"_s},
      {u"Καζαντζάκης, Νίκος"_s, u"Πρόλογος: Πρεβελάκης"_s, u"Ασκητική"_s},
  });
  tp.clock.moment = QDateTime(QDate(2003, 3, 5), QTime(14, 7));
  frmMulti& w = load(Edition::students());
  tp.dialogs.type(u"ς"_s).answer(Dialogs::Answer::No);
  trigger("mnuEpo");
  ASSERT_EQ(w.rowCount(), 3);
  const QString caption = w.windowTitle();
  trigger("mnuPrint");

  const auto blank = [](int n) { return QString(n, u' '); };
  const QList<QStringList> rows{
      {u"Ρίτσος, Γιάννης    "_s + blank(19) + u"Αθήνα: Κέδρος, 1966"_s + blank(16), u"Ρωμιοσύνη"_s + blank(66),
       u"Π-12 Ποίηση"_s + blank(28) + u"Νίκου Μαρία 3/3"_s + blank(8) + u" Αρ.Eγγρ.= 1"_s},
      {u"Σεφέρης, Γιώργος   "_s + blank(54), u"Ημερολόγιο Καταστρώματος"_s + blank(51), blank(62) + u" Αρ.Eγγρ.= 2"_s},
      {u"Καζαντζάκης, Νίκος Πρόλογος: Πρεβελάκη"_s + blank(35), u"Ασκητική"_s + blank(67),
       blank(62) + u" Αρ.Eγγρ.= 3"_s},
  };
  ASSERT_EQ(tp.sink.jobs.size(), 1);
  EXPECT_EQ(tp.sink.jobs[0].pages.value(0),
            expectedPage(u"Μ-Zelkor 3.2: Εκτυπώθηκε στις "_s + tp.clock.printedMoment(), rows, u" Σελίδα  1"_s));
  EXPECT_EQ(w.rowCount(), 0);
  EXPECT_EQ(w.pageBuffer()[0][0], QString());
  EXPECT_TRUE(w.surface().runs().isEmpty());
  EXPECT_EQ(w.windowTitle(), caption);
}

TEST_F(PageWindowTest, LinesQueuedByAnotherWriterGoOutInTheSameJob) {
  load();
  tp.printer.printLine(u"Εγγραφή στην ουρά"_s);
  trigger("mnuPrint");
  ASSERT_EQ(tp.sink.jobs.size(), 1);
  ASSERT_EQ(tp.sink.jobs[0].pages.size(), 1);
  const QStringList sheet = tp.sink.jobs[0].pages[0];
  EXPECT_EQ(sheet.size(), 57);
  EXPECT_EQ(sheet[0], u"Εγγραφή στην ουρά"_s);
  EXPECT_EQ(sheet[2], u"Σ-Zelkor 3.2: Εκτυπώθηκε στις "_s + tp.clock.printedMoment());
  EXPECT_FALSE(tp.printer.isOpen());
}

TEST_F(PageWindowTest, PageStateSurvivesLeavingAndReloadingTheWindow) {
  cat.setRecords(books(3));
  frmMulti& w = load();
  tp.dialogs.type(u"Τίτλος 1"_s).answer(Dialogs::Answer::Yes);
  trigger("mnuTitlos");
  tp.dialogs.type(u"Τίτλος"_s).answer(Dialogs::Answer::No);
  trigger("mnuTitlos");

  trigger("mnuTelos");
  w.Form_Load();
  trigger("mnuPrint");
  EXPECT_EQ(tp.sink.jobs.last().pages[0][printedLine(3, 2)].trimmed(), u"Τίτλος 3"_s);
  EXPECT_EQ(tp.sink.jobs.last().pages[0].last(), u"Διερεύνηση Τίτλου: Σελίδα  1"_s);
}

}  // namespace
