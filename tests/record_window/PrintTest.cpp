#include "RecordWindowFixture.h"

using namespace Qt::StringLiterals;

namespace {

const QString kRule(80, u'-');

QString padded(const QString& text, int width = 50) { return text.leftJustified(width, u' ', true); }

}  // namespace

class PrintTest : public RecordWindowTest {
 protected:
  const QString heading = u"Σ-Zelkor 3.2: Εκτύπωση Εγγραφών στις "_s + platform.clock.printedMoment();

  void openBooks(int count) {
    QList<QStringList> records;
    for (int i = 1; i <= count; ++i) records.append(book(u"Συγγραφέας %1"_s.arg(i)));
    catalogue.setRecords(records);
    open();
  }
  void endPrint() {
    platform.dialogs.answer(Dialogs::Answer::Ok);
    click("cmdEndPrint");
  }
};

TEST_F(PrintTest, ARecordPrintsUnderAHeadingInFieldOrderOneTwoFourTitleFiveSix) {
  catalogue.setRecords({{u"Καβάφης"_s, u"Σαββίδης"_s, QString(50, u'α') + u"Β"_s + QString(49, u'γ'), u"Ίκαρος 1963"_s,
                         u"821 ΠΟΙ"_s, u"Νίκος Β. 20/12"_s}});
  open();
  line("txtEpo")->setText(u"μη αποθηκευμένο"_s);
  click("cmdPrint");
  EXPECT_EQ(caption(), recordCaption(1, 1));
  EXPECT_EQ(line("txtEpo")->text(), u"μη αποθηκευμένο"_s);
  endPrint();

  ASSERT_EQ(platform.sink.jobs.size(), 1);
  const PrintJob& job = platform.sink.jobs[0];
  EXPECT_EQ(job.fontName, u"courier"_s);
  EXPECT_EQ(job.fontSize, 12);
  ASSERT_EQ(job.pages.size(), 1);
  EXPECT_EQ(job.pages[0],
            QStringList({heading, kRule, padded(u"Καβάφης"_s), padded(u"Σαββίδης"_s), padded(u"Ίκαρος 1963"_s),
                         QString(50, u'α'), u"Β"_s + QString(49, u'γ'), padded(u"821 ΠΟΙ"_s),
                         padded(u"Νίκος Β. 20/12"_s) + u"          Αρ. Εγγρ. =  1 "_s, kRule}));
  const auto messages = platform.dialogs.messages();
  ASSERT_EQ(messages.size(), 1);
  EXPECT_EQ(messages[0].text, u"Οι Εγγραφές Εκτυπώνονται"_s);
  EXPECT_EQ(messages[0].icon, Dialogs::Icon::Information);
  EXPECT_EQ(messages[0].title, u"Σ-Zelkor 3.2"_s);
}

TEST_F(PrintTest, SevenRecordsFillAPageAndTheEighthStartsANewOne) {
  openBooks(8);
  for (int i = 1; i <= 8; ++i) {
    click("cmdPrint");
    if (i < 8) window->cmdNext_Click();
  }
  endPrint();
  ASSERT_EQ(platform.sink.jobs.size(), 1);
  const auto& pages = platform.sink.jobs[0].pages;
  ASSERT_EQ(pages.size(), 2);
  EXPECT_EQ(pages[0].size(), 2 + 7 * 8);
  EXPECT_EQ(pages[0].count(heading), 1);
  EXPECT_EQ(pages[0][56], padded(QString()) + u"          Αρ. Εγγρ. =  7 "_s);
  EXPECT_EQ(pages[1].size(), 10);
  EXPECT_EQ(pages[1][0], heading);
  EXPECT_EQ(pages[1][2], padded(u"Συγγραφέας 8"_s));
}

TEST_F(PrintTest, EndingRightAfterTheSeventhLeavesNoEmptyPageAndTheNextStartsWithAHeading) {
  openBooks(1);
  for (int i = 0; i < 7; ++i) click("cmdPrint");
  endPrint();
  ASSERT_EQ(platform.sink.jobs.size(), 1);
  EXPECT_EQ(platform.sink.jobs[0].pages.size(), 1);

  endPrint();  // nothing printed: the message, no job
  EXPECT_EQ(platform.sink.jobs.size(), 1);
  EXPECT_EQ(platform.dialogs.messageTexts(),
            QStringList({u"Οι Εγγραφές Εκτυπώνονται"_s, u"Οι Εγγραφές Εκτυπώνονται"_s}));

  click("cmdPrint");
  endPrint();
  ASSERT_EQ(platform.sink.jobs.size(), 2);
  EXPECT_EQ(platform.sink.jobs[1].pages[0][0], heading);
}

TEST_F(PrintTest, TheCounterContinuesAcrossAVisitToThePageWindow) {
  openBooks(2);
  for (int i = 0; i < 3; ++i) click("cmdPrint");
  line("txtEpo")->setText(u"χάνεται"_s);
  const QByteArray before = catalogue.bytes();
  click("cmdMulti");
  EXPECT_EQ(host.calls, QStringList({u"loadPageWindow"_s}));
  EXPECT_FALSE(window->fileOpen());
  EXPECT_EQ(catalogue.bytes(), before);
  // Meanwhile the page window ends the document.
  platform.printer.endDoc();
  window->unload();

  window->Form_Load();
  EXPECT_EQ(caption(), recordCaption(1, 2));
  EXPECT_EQ(line("txtEpo")->text(), u"Συγγραφέας 1"_s);
  for (int i = 0; i < 5; ++i) click("cmdPrint");
  endPrint();
  ASSERT_EQ(platform.sink.jobs.size(), 2);
  // Records four to seven of the page, then a new page with its heading.
  const auto& pages = platform.sink.jobs[1].pages;
  ASSERT_EQ(pages.size(), 2);
  EXPECT_EQ(pages[0].size(), 4 * 8);
  EXPECT_EQ(pages[0][0], padded(u"Συγγραφέας 1"_s));
  EXPECT_EQ(pages[1][0], heading);
}
