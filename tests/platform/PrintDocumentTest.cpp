#include <gtest/gtest.h>

#include "platform/PrintDocument.h"
#include "support/PrintQString.h"
#include "support/TestPlatform.h"

using namespace Qt::StringLiterals;

namespace {

class PrintDocumentTest : public ::testing::Test {
 protected:
  RecordingSink sink;
  PrintDocument doc{sink};
};

}  // namespace

TEST_F(PrintDocumentTest, LinesCollectUntilEndDocSendsThemAsOneJob) {
  doc.printLine(u"Σ-Zelkor 3.2"_s);
  doc.printLine();
  doc.printLine(u"δεύτερη"_s);
  EXPECT_TRUE(doc.isOpen());
  EXPECT_TRUE(sink.jobs.isEmpty());

  doc.endDoc();
  EXPECT_FALSE(doc.isOpen());
  ASSERT_EQ(sink.jobs.size(), 1);
  EXPECT_EQ(sink.jobs[0].pages, (QList<QStringList>{{u"Σ-Zelkor 3.2"_s, QString(), u"δεύτερη"_s}}));

  // The next line starts a new job.
  doc.printLine(u"νέα"_s);
  doc.endDoc();
  ASSERT_EQ(sink.jobs.size(), 2);
  EXPECT_EQ(sink.jobs[1].pages, (QList<QStringList>{{u"νέα"_s}}));
}

TEST_F(PrintDocumentTest, EndDocWithNothingPrintedSendsNothing) {
  doc.endDoc();
  doc.newPage();
  doc.endDoc();
  EXPECT_TRUE(sink.jobs.isEmpty());
  EXPECT_FALSE(doc.isOpen());
}

TEST_F(PrintDocumentTest, NewPageTakesEffectOnlyWhenSomethingFollows) {
  doc.newPage();  // before anything: no empty first page
  doc.printLine(u"1"_s);
  doc.newPage();
  doc.newPage();  // twice in a row is still one break
  doc.printLine(u"2"_s);
  doc.newPage();  // after the last record: no empty last page
  doc.endDoc();
  ASSERT_EQ(sink.jobs.size(), 1);
  EXPECT_EQ(sink.jobs[0].pages, (QList<QStringList>{{u"1"_s}, {u"2"_s}}));

  // A break left pending at the end does not carry into the next job.
  doc.printLine(u"3"_s);
  doc.endDoc();
  EXPECT_EQ(sink.jobs[1].pages, (QList<QStringList>{{u"3"_s}}));
}

TEST_F(PrintDocumentTest, PrintTextStaysOnTheLineUntilPrintLineEndsIt) {
  doc.printText(u"Αρ."_s);
  doc.printText(u" Εγγρ. ="_s);
  doc.printLine(u"  7 "_s);
  doc.printText(u"μισή"_s);
  doc.newPage();
  doc.printText(u"επόμενη"_s);
  doc.endDoc();
  ASSERT_EQ(sink.jobs.size(), 1);
  EXPECT_EQ(sink.jobs[0].pages, (QList<QStringList>{{u"Αρ. Εγγρ. =  7 "_s, u"μισή"_s}, {u"επόμενη"_s}}));

  // An open line does not carry into the next job either.
  doc.printLine(u"νέα"_s);
  doc.endDoc();
  EXPECT_EQ(sink.jobs[1].pages, (QList<QStringList>{{u"νέα"_s}}));
}

TEST_F(PrintDocumentTest, JobKeepsTheFontSetBeforeItsFirstLine) {
  doc.setFontName(u"courier"_s);
  doc.setFontSize(12);
  doc.printLine(u"α"_s);
  doc.setFontName(u"arial"_s);
  doc.setFontSize(20);
  doc.printLine(u"β"_s);
  doc.endDoc();
  doc.printLine(u"γ"_s);
  doc.endDoc();
  ASSERT_EQ(sink.jobs.size(), 2);
  EXPECT_EQ(sink.jobs[0].fontName, u"courier"_s);
  EXPECT_EQ(sink.jobs[0].fontSize, 12);
  EXPECT_EQ(sink.jobs[1].fontName, u"arial"_s);
  EXPECT_EQ(sink.jobs[1].fontSize, 20);
}
