#include <gtest/gtest.h>

#include <QApplication>
#include <QDir>
#include <QFile>
#include <QTemporaryDir>
#include <QTextBrowser>
#include <QTimer>
#include <QUrl>

#include "platform/system/HelpViewer.h"
#include "support/TempCatalogue.h"

using namespace Qt::StringLiterals;

namespace {

void writeFile(const QString& path, const QByteArray& bytes) {
  QFile file(path);
  ASSERT_TRUE(file.open(QIODevice::WriteOnly));
  file.write(bytes);
}

QString readSourceHelpFile() {
  QFile file(QStringLiteral(LOMIRA_SOURCE_DIR "/data/ZELKOR.HLP"));
  if (!file.open(QIODevice::ReadOnly)) return QString();
  return QString::fromUtf8(file.readAll());
}

TEST(HelpDocument, TopicsParagraphsAndLines) {
  const HelpDocument doc = HelpDocument::parse(
      u"notes for authors\n\n@topic contents Περιεχόμενα\r\nfirst line\r\n  second line\r\n\r\n\r\nnext\n"
      "@topic keys\nF1 ... Επόμενη\n@topic   x   Title with  spaces  \n"_s);
  ASSERT_EQ(doc.topics().size(), 3);
  EXPECT_EQ(doc.topics()[0].id, u"contents"_s);
  EXPECT_EQ(doc.topics()[0].title, u"Περιεχόμενα"_s);
  EXPECT_EQ(doc.topics()[0].paragraphs, (QStringList{u"first line\n  second line"_s, u"next"_s}));
  EXPECT_EQ(doc.topics()[1].title, u"keys"_s);  // no title: the id stands in
  EXPECT_EQ(doc.topics()[1].paragraphs, QStringList{u"F1 ... Επόμενη"_s});
  EXPECT_EQ(doc.topics()[2].id, u"x"_s);
  EXPECT_EQ(doc.topics()[2].title, u"Title with  spaces"_s);
  EXPECT_EQ(doc.topic(u"keys"_s), &doc.topics()[1]);
  EXPECT_EQ(doc.topic(u"nothing"_s), nullptr);
}

TEST(HelpDocument, NothingButNotesOrABomHasNoTopics) {
  EXPECT_TRUE(HelpDocument::parse(QString()).topics().isEmpty());
  EXPECT_TRUE(HelpDocument::parse(u"just text\n@topic\n@topicx y\n"_s).topics().isEmpty());
  const HelpDocument withBom = HelpDocument::parse(QString(QChar(0xFEFF)) + u"@topic a A\ntext"_s);
  ASSERT_EQ(withBom.topics().size(), 1);
  EXPECT_EQ(withBom.topics()[0].id, u"a"_s);
}

TEST(HelpDocument, HtmlEscapesTextAndLinksOnlyToExistingTopics) {
  const HelpDocument doc = HelpDocument::parse(
      u"@topic c <Contents>\nSee [[k|the <keys>]] & [[k]], not [[gone|this]].\nA < B\n@topic k Keys & more\n"_s);
  const QString html = doc.html(doc.topics()[0]);
  EXPECT_TRUE(html.contains(u"<h2>&lt;Contents&gt;</h2>"_s)) << html.toStdString();
  EXPECT_TRUE(
      html.contains(u"See <a href=\"topic:k\">the &lt;keys&gt;</a> &amp; "_s
                    "<a href=\"topic:k\">Keys &amp; more</a>, not this.<br>A &lt; B"_s))
      << html.toStdString();
  EXPECT_EQ(doc.linkTargets(), (QStringList{u"k"_s, u"k"_s, u"gone"_s}));
}

TEST(HelpDocument, EveryTopicButTheContentsLeadsBackToIt) {
  const HelpDocument doc = HelpDocument::parse(u"@topic c Αρχή\nSee [[k]].\n@topic k Keys\nF1\n"_s);
  EXPECT_FALSE(doc.html(doc.topics()[0]).contains(u"href=\"topic:c\""_s));
  EXPECT_TRUE(doc.html(doc.topics()[1]).endsWith(u"<p><a href=\"topic:c\">Αρχή</a></p>"_s))
      << doc.html(doc.topics()[1]).toStdString();
}

class HelpViewer : public ::testing::Test {
 protected:
  QTemporaryDir first;
  QTemporaryDir second;
};

TEST_F(HelpViewer, ShowsTheContentsTopicFromTheFirstDirectoryThatHasTheFile) {
  writeFile(second.filePath(u"ZELKOR.HLP"_s),
            "@topic start Αρχή\nSee [[more|more]].\n@topic more Περισσότερα\nDetails\n");
  HelpViewerEngine engine({first.path(), second.path()});
  EXPECT_EQ(engine.window(), nullptr);

  engine.showHelp(u"ZELKOR.HLP"_s, HelpEngine::kContents);

  QTextBrowser* window = engine.window();
  ASSERT_NE(window, nullptr);
  EXPECT_EQ(window->objectName(), u"helpViewer"_s);
  EXPECT_TRUE(window->isVisible());
  EXPECT_EQ(window->windowTitle(), u"Βοήθεια - Αρχή"_s);
  EXPECT_TRUE(window->toPlainText().contains(u"See more."_s));

  emit window->anchorClicked(QUrl(u"topic:more"_s));
  EXPECT_EQ(window->windowTitle(), u"Βοήθεια - Περισσότερα"_s);
  EXPECT_TRUE(window->toPlainText().contains(u"Details"_s));

  // Asked again: the same window, back at the contents; a newer file in the
  // first directory now wins.
  writeFile(first.filePath(u"ZELKOR.HLP"_s), "@topic other Άλλο\n");
  engine.showHelp(u"ZELKOR.HLP"_s, HelpEngine::kContents);
  EXPECT_EQ(engine.window(), window);
  EXPECT_EQ(window->windowTitle(), u"Βοήθεια - Άλλο"_s);
}

TEST_F(HelpViewer, MissingFileIsReportedInTheWindowNamingTheFile) {
  HelpViewerEngine engine({first.path()});
  engine.showHelp(u"ZELKOR.HLP"_s, HelpEngine::kContents);
  ASSERT_NE(engine.window(), nullptr);
  EXPECT_TRUE(engine.window()->toPlainText().startsWith(u"Το αρχείο βοήθειας «ZELKOR.HLP» δεν βρέθηκε."_s));
  EXPECT_TRUE(engine.window()->toPlainText().contains(first.path()));

  // A directory of that name is not the file either.
  QDir(first.path()).mkdir(u"ZELKOR.HLP"_s);
  engine.showHelp(u"ZELKOR.HLP"_s, HelpEngine::kContents);
  EXPECT_TRUE(engine.window()->toPlainText().contains(u"δεν βρέθηκε"_s));
}

TEST_F(HelpViewer, FileWithoutTopicsIsReported) {
  writeFile(first.filePath(u"ZELKOR.HLP"_s), "no topics here\n");
  HelpViewerEngine engine({first.path()});
  engine.showHelp(u"ZELKOR.HLP"_s, HelpEngine::kContents);
  EXPECT_TRUE(engine.window()->toPlainText().startsWith(u"Το αρχείο βοήθειας «ZELKOR.HLP» δεν περιέχει θέματα."_s));
}

TEST_F(HelpViewer, UnreadableFileIsReported) {
  const QString path = first.filePath(u"ZELKOR.HLP"_s);
  writeFile(path, "@topic a A\n");
  QFile::setPermissions(path, QFileDevice::Permissions());
  QFile probe(path);
  if (probe.open(QIODevice::ReadOnly)) GTEST_SKIP() << "running with rights that read any file";
  HelpViewerEngine engine({first.path()});
  engine.showHelp(u"ZELKOR.HLP"_s, HelpEngine::kContents);
  EXPECT_TRUE(engine.window()->toPlainText().startsWith(u"Το αρχείο βοήθειας «ZELKOR.HLP» δεν μπορεί να διαβαστεί."_s));
}

TEST_F(HelpViewer, OtherCommandsShowNothing) {
  writeFile(first.filePath(u"ZELKOR.HLP"_s), "@topic a A\n");
  HelpViewerEngine engine({first.path()});
  engine.showHelp(u"ZELKOR.HLP"_s, 2);
  EXPECT_EQ(engine.window(), nullptr);
}

TEST_F(HelpViewer, DefaultEngineLooksInTheWorkingDirectory) {
  TempCatalogue workingDir;
  writeFile(QDir(workingDir.dir()).filePath(u"ZELKOR.HLP"_s), "@topic here Εδώ\n");
  HelpViewerEngine engine;
  engine.showHelp(u"ZELKOR.HLP"_s, HelpEngine::kContents);
  ASSERT_NE(engine.window(), nullptr);
  EXPECT_EQ(engine.window()->windowTitle(), u"Βοήθεια - Εδώ"_s);
}

TEST_F(HelpViewer, StartedFromItsOwnFolderTheMissingFileNamesThatFolderOnce) {
  const QString before = QDir::currentPath();
  const QString programDir = QCoreApplication::applicationDirPath();
  ASSERT_FALSE(QFile::exists(QDir(programDir).filePath(u"ZELKOR.HLP"_s)));
  QDir::setCurrent(programDir);
  HelpViewerEngine engine;
  engine.showHelp(u"ZELKOR.HLP"_s, HelpEngine::kContents);
  QDir::setCurrent(before);
  ASSERT_NE(engine.window(), nullptr);
  EXPECT_EQ(engine.window()->toPlainText().count(programDir), 1) << engine.window()->toPlainText().toStdString();
}

TEST_F(HelpViewer, OpenHelpDoesNotKeepTheProgramRunning) {
  writeFile(first.filePath(u"ZELKOR.HLP"_s), "@topic a A\n");
  HelpViewerEngine engine({first.path()});
  QWidget program;
  program.show();
  engine.showHelp(u"ZELKOR.HLP"_s, HelpEngine::kContents);
  ASSERT_TRUE(engine.window()->isVisible());

  // Closing the program's last window ends the event loop although help is
  // still on the screen; the guard only stops a loop that would never end.
  QTimer::singleShot(0, &program, [&program] { program.close(); });
  QTimer guard;
  guard.setSingleShot(true);
  QObject::connect(&guard, &QTimer::timeout, [] { QCoreApplication::exit(1); });
  guard.start(10000);
  EXPECT_EQ(QApplication::exec(), 0);
}

TEST(ShippedHelpFile, EveryLinkLeadsToATopicAndTheContentsReachesAll) {
  const HelpDocument doc = HelpDocument::parse(readSourceHelpFile());
  ASSERT_GE(doc.topics().size(), 2);
  EXPECT_EQ(doc.topics()[0].id, u"contents"_s);
  for (const QString& id : doc.linkTargets()) EXPECT_NE(doc.topic(id), nullptr) << id.toStdString();
  const QString contents = doc.topics()[0].paragraphs.join(u'\n');
  for (const HelpTopic& topic : doc.topics().mid(1))
    EXPECT_TRUE(contents.contains(u"[["_s + topic.id + u"]]"_s)) << topic.id.toStdString();
  EXPECT_TRUE(QFile::exists(QStringLiteral(LOMIRA_BINARY_DIR "/ZELKOR.HLP")));
}

// The day's copy is taken at the first start of the day, whatever the hour.
TEST(ShippedHelpFile, DailyCopyIsTakenAtTheFirstStartOfTheDay) {
  const HelpDocument doc = HelpDocument::parse(readSourceHelpFile());
  const HelpTopic* backup = doc.topic(u"backup"_s);
  ASSERT_NE(backup, nullptr);
  const QString text = backup->paragraphs.join(u'\n');
  EXPECT_TRUE(text.contains(u"την πρώτη φορά που ξεκινά"_s));
  EXPECT_TRUE(text.contains(u"όποια ώρα κι αν ήταν αυτή"_s));
  EXPECT_FALSE(text.contains(u"πρωί"_s));
}

TEST(ShippedHelpFile, KeyListsNameEveryKeyOfBothWindows) {
  const HelpDocument doc = HelpDocument::parse(readSourceHelpFile());
  const HelpTopic* record = doc.topic(u"keys-record"_s);
  const HelpTopic* page = doc.topic(u"keys-page"_s);
  ASSERT_NE(record, nullptr);
  ASSERT_NE(page, nullptr);
  const QString recordKeys = record->paragraphs.join(u'\n');
  const QString pageKeys = page->paragraphs.join(u'\n');
  for (const char* key : {"F1,",   "F2,",   "F3,",          "F4,",    "F5,",       "F6,",     "F7,",    "F8,",
                          "F9,",   "F10 ",  "F11,",         "F12,",   "Page Down", "Page Up", "Alt+H",  "Alt+P",
                          "Alt+N", "Alt+K", "Alt+V",        "Alt+S",  "Alt+L",     "Alt+T",   "Alt+O",  "Alt+R",
                          "Alt+Z", "Enter", "διαχωριστικό", "Ctrl+A", "Alt+X",     "Ctrl+K",  "Ctrl+F1"})
    EXPECT_TRUE(recordKeys.contains(QString::fromUtf8(key))) << key;
  for (const char* key : {"F5,", "F6,", "F7,", "F8,", "F9,", "F10 ", "F11,", "Ctrl+F5", "Ctrl+F2", "Alt+S", "Alt+L",
                          "Alt+T", "Alt+Y", "Alt+O", "Alt+R", "Ctrl+A", "Alt+X", "Ctrl+K", "Ctrl+F1"})
    EXPECT_TRUE(pageKeys.contains(QString::fromUtf8(key))) << key;
}

}  // namespace
