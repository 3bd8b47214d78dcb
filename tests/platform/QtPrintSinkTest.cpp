#include <gtest/gtest.h>

#include <QDir>
#include <QFile>
#include <QFontDatabase>
#include <QFontInfo>
#include <QProcess>
#include <QStandardPaths>
#include <QTemporaryDir>
#include <QXmlStreamReader>

#include "platform/system/QtPrintSink.h"
#include "support/PrintQString.h"
#include "support/TestPlatform.h"

using namespace Qt::StringLiterals;

namespace {

// The text of a PDF as pdftotext lays it out, one list of lines per page,
// trailing blanks and blank lines dropped.
QList<QStringList> pdfPages(const QString& path) {
  QProcess tool;
  tool.start(u"pdftotext"_s, {u"-layout"_s, u"-enc"_s, u"UTF-8"_s, path, u"-"_s});
  if (!tool.waitForFinished(60000) || tool.exitCode() != 0) return {};
  QStringList pageTexts = QString::fromUtf8(tool.readAllStandardOutput()).split(u'\f');
  if (!pageTexts.isEmpty() && pageTexts.last().trimmed().isEmpty()) pageTexts.removeLast();
  QList<QStringList> pages;
  for (const QString& text : pageTexts) {
    QStringList lines;
    for (const QString& line : text.split(u'\n')) {
      QString kept = line;
      while (!kept.isEmpty() && kept.back().isSpace()) kept.chop(1);
      if (!kept.isEmpty()) lines.append(kept);
    }
    pages.append(lines);
  }
  return pages;
}

struct LineBox {
  QString text;
  double top;
  double bottom;
};

struct Sheet {
  double height = 0;
  QList<LineBox> lines;
};

// Every line of a PDF with its box, in points from the top of its sheet, as
// pdftotext finds them; blank lines leave no box.
QList<Sheet> pdfLineBoxes(const QString& path) {
  QProcess tool;
  tool.start(u"pdftotext"_s, {u"-bbox-layout"_s, path, u"-"_s});
  if (!tool.waitForFinished(60000) || tool.exitCode() != 0) return {};
  QList<Sheet> sheets;
  QXmlStreamReader xml(tool.readAllStandardOutput());
  while (!xml.atEnd()) {
    if (xml.readNext() != QXmlStreamReader::StartElement) continue;
    const QXmlStreamAttributes attributes = xml.attributes();
    const auto number = [&](const QString& name) { return attributes.value(name).toDouble(); };
    if (xml.name() == u"page"_s) {
      sheets.append(Sheet{number(u"height"_s), {}});
    } else if (xml.name() == u"line"_s && !sheets.isEmpty()) {
      sheets.last().lines.append(LineBox{QString(), number(u"yMin"_s), number(u"yMax"_s)});
    } else if (xml.name() == u"word"_s && !sheets.isEmpty() && !sheets.last().lines.isEmpty()) {
      QString& text = sheets.last().lines.last().text;
      text += (text.isEmpty() ? QString() : u" "_s) + xml.readElementText();
    }
  }
  return sheets;
}

QList<QStringList> nonBlank(const QList<QStringList>& pages) {
  QList<QStringList> out;
  for (const QStringList& page : pages) {
    QStringList lines;
    for (const QString& line : page)
      if (!line.trimmed().isEmpty()) lines.append(line);
    out.append(lines);
  }
  return out;
}

QList<QStringList> simplified(QList<QStringList> pages) {
  for (QStringList& page : pages)
    for (QString& line : page) line = line.simplified();
  return pages;
}

class QtPrintSinkTest : public ::testing::Test {
 protected:
  void SetUp() override {
    if (QStandardPaths::findExecutable(u"pdftotext"_s).isEmpty()) GTEST_SKIP() << "pdftotext is not installed";
    ASSERT_TRUE(dir.isValid());
  }

  QStringList pdfFiles() const { return QDir(dir.path()).entryList({u"*.pdf"_s}, QDir::Files, QDir::Name); }

  QTemporaryDir dir;
  ScriptedDialogs dialogs;
  FixedClock clock;
  QtPrintSink sink{dialogs, clock, u"Σ-Zelkor 3.2"_s, QtPrintSink::Destination::Pdf, dir.path()};
};

PrintJob greekJob() {
  PrintJob job;
  job.fontName = u"courier"_s;
  job.fontSize = 12;
  job.pages = {
      {u"Σ-Zelkor 3.2: Εκτύπωση Εγγραφών στις 6/12/2026, 08:57"_s, QString(80, u'-'),
       u"Καζαντζάκης Νίκος                                 "_s + u"          Αρ. Εγγρ. =  7 "_s, QString(),
       u"ΑΒΓΔΕΖΗΘΙΚΛΜΝΞΟΠΡΣΤΥΦΧΨΩ άέήίόύώ ϊϋΐΰ"_s},
      {u"  indented Latin line"_s, u"Δεύτερη σελίδα"_s},
  };
  return job;
}

}  // namespace

TEST_F(QtPrintSinkTest, JobBecomesOnePdfWithItsPagesAndLines) {
  const PrintJob job = greekJob();
  sink.send(job);

  ASSERT_EQ(pdfFiles(), QStringList{u"Zelkor-20261206-085700-001.pdf"_s});
  EXPECT_EQ(sink.lastPdf(), dir.filePath(u"Zelkor-20261206-085700-001.pdf"_s));
  // pdftotext may narrow a gap between words, so words are compared line by
  // line, and the fixed pitch is checked where a column matters.
  const QList<QStringList> pages = pdfPages(sink.lastPdf());
  EXPECT_EQ(simplified(pages), simplified(nonBlank(job.pages)));
  ASSERT_EQ(pages.size(), 2);
  ASSERT_GE(pages[0].size(), 3);
  EXPECT_EQ(pages[0][2].indexOf(u"Αρ. Εγγρ."_s), 60) << pages[0][2].toStdString();
  EXPECT_EQ(pages[1][0], u"  indented Latin line"_s);
  EXPECT_TRUE(dialogs.log().isEmpty());
}

TEST_F(QtPrintSinkTest, EveryJobGetsAFileOfItsOwnAndEarlierFilesStay) {
  QFile earlier(dir.filePath(u"Zelkor-20261206-085700-001.pdf"_s));
  ASSERT_TRUE(earlier.open(QIODevice::WriteOnly));
  earlier.write("keep");
  earlier.close();

  PrintJob first;
  first.pages = {{u"πρώτη"_s}};
  PrintJob second;
  second.pages = {{u"δεύτερη"_s}};
  sink.send(first);
  clock.moment = clock.moment.addSecs(61);
  sink.send(second);

  EXPECT_EQ(pdfFiles(), (QStringList{u"Zelkor-20261206-085700-001.pdf"_s, u"Zelkor-20261206-085700-002.pdf"_s,
                                     u"Zelkor-20261206-085801-001.pdf"_s}));
  ASSERT_TRUE(earlier.open(QIODevice::ReadOnly));
  EXPECT_EQ(earlier.readAll(), QByteArray("keep"));
  EXPECT_EQ(pdfPages(dir.filePath(u"Zelkor-20261206-085700-002.pdf"_s)), QList<QStringList>{{u"πρώτη"_s}});
  EXPECT_EQ(pdfPages(dir.filePath(u"Zelkor-20261206-085801-001.pdf"_s)), QList<QStringList>{{u"δεύτερη"_s}});
}

// A job in the print font whose first page has `count` numbered lines.
PrintJob numberedLines(int count, const QString& tail = QString()) {
  PrintJob job;
  job.fontName = u"courier"_s;
  job.fontSize = 12;
  QStringList page;
  for (int i = 1; i <= count; ++i) page.append(u"Γραμμή %1"_s.arg(i) + tail);
  job.pages = {page};
  return job;
}

TEST_F(QtPrintSinkTest, FullPageKeepsAllItsLines) {
  // The page window's 56 lines and the print queue's 58 must all reach paper.
  const PrintJob job = numberedLines(58);
  sink.send(job);
  const QList<QStringList> pages = pdfPages(sink.lastPdf());
  ASSERT_EQ(pages.size(), 1);
  EXPECT_EQ(pages[0], job.pages[0]);
}

TEST_F(QtPrintSinkTest, OverfullPageContinuesOnANewSheetWithNoLinesOverlapping) {
  // Six records queued before a page print share one page of 106 lines;
  // capitals with accents and letters that reach down mark a line's height.
  PrintJob job = numberedLines(106, u" ΆΈΉ gjpqy"_s);
  const QStringList overfull = job.pages[0];
  job.pages.append({u"Δεύτερη σελίδα"_s});
  sink.send(job);

  const QList<Sheet> sheets = pdfLineBoxes(sink.lastPdf());
  ASSERT_GE(sheets.size(), 3);
  QStringList printed;
  for (const Sheet& sheet : sheets) {
    for (qsizetype i = 0; i < sheet.lines.size(); ++i) {
      const LineBox& box = sheet.lines[i];
      printed.append(box.text);
      EXPECT_LE(box.bottom, sheet.height) << box.text.toStdString();
      if (i > 0) {
        EXPECT_LE(sheet.lines[i - 1].bottom, box.top + 0.01) << box.text.toStdString();
      }
    }
  }
  EXPECT_EQ(printed, overfull + QStringList{u"Δεύτερη σελίδα"_s});
  // A page of the job still starts a sheet of its own.
  ASSERT_EQ(sheets.last().lines.size(), 1);
  EXPECT_EQ(sheets.last().lines[0].text, u"Δεύτερη σελίδα"_s);
}

TEST_F(QtPrintSinkTest, UnwritableFolderIsReportedNotSilent) {
  const QString missing = dir.filePath(u"no-such-folder"_s);
  QtPrintSink broken(dialogs, clock, u"Σ-Zelkor 3.2"_s, QtPrintSink::Destination::Pdf, missing);
  dialogs.answer(Dialogs::Answer::Ok);
  PrintJob job;
  job.pages = {{u"γραμμή"_s}};
  broken.send(job);

  ASSERT_EQ(dialogs.messages().size(), 1);
  const ScriptedDialogs::Entry box = dialogs.messages().front();
  EXPECT_EQ(box.text, u"Η εκτύπωση δεν έγινε: το αρχείο «%1» δεν μπορεί να γραφτεί."_s.arg(
                          QDir::toNativeSeparators(missing + u"/Zelkor-20261206-085700-001.pdf"_s)));
  EXPECT_EQ(box.title, u"Σ-Zelkor 3.2"_s);
  EXPECT_EQ(box.icon, Dialogs::Icon::Exclamation);
  EXPECT_EQ(box.buttons, Dialogs::Buttons::Ok);
  EXPECT_TRUE(broken.lastPdf().isEmpty());
}

TEST(QtPrintSinkFont, CourierBecomesAFixedPitchFaceWithGreekAtTheGivenSize) {
  PrintJob job;
  job.fontName = u"courier"_s;
  job.fontSize = 12;
  const QFont font = QtPrintSink::fontFor(job);
  EXPECT_EQ(font.pointSize(), 12);
  EXPECT_TRUE(QFontInfo(font).fixedPitch()) << font.family().toStdString();
  EXPECT_TRUE(QFontDatabase::writingSystems(QFontInfo(font).family()).contains(QFontDatabase::Greek))
      << QFontInfo(font).family().toStdString();
}
