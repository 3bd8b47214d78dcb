#include <QDir>
#include <QFileInfo>
#include <QMenu>
#include <QMenuBar>

#include "RecordWindowFixture.h"
#include "catalogue/FieldLabels.h"
#include "export_command/CatalogueExportCommand.h"
#include "support/CatalogueTestFiles.h"

using namespace Qt::StringLiterals;

namespace {

QStringList namesOf(const QList<QAction*>& actions) {
  QStringList names;
  for (QAction* a : actions) names.append(a->objectName());
  return names;
}

}  // namespace

TEST_F(RecordWindowTest, ExportImportAndLabelsSitAboveExitsSeparatorEachWithALetterOfItsOwn) {
  open();
  const QMenu* file = window->findChild<QMenu*>(u"mnuFile"_s);
  EXPECT_EQ(namesOf(file->actions()),
            (QStringList{u"mnuMulti"_s, u"mnuSep4"_s, u"mnuprint"_s, u"mnusep7"_s, u"mnuMenu"_s, u"mnuExport"_s,
                         u"mnuImport"_s, u"mnuLabels"_s, u"mnuSep1"_s, u"mnuEnd"_s}));
  EXPECT_EQ(item("mnuExport")->text(), u"Ε&ξαγωγή καταλόγου..."_s);
  EXPECT_EQ(item("mnuImport")->text(), u"Ε&ισαγωγή καταλόγου..."_s);
  EXPECT_EQ(item("mnuLabels")->text(), u"Ε&τικέτες..."_s);

  // No other item of the menu, and no menu of the bar, answers to their letters.
  for (const QAction* own : {item("mnuExport"), item("mnuImport"), item("mnuLabels")}) {
    EXPECT_TRUE(own->shortcut().isEmpty());
    const QKeySequence letter = QKeySequence::mnemonic(own->text());
    ASSERT_FALSE(letter.isEmpty());
    for (const QAction* a : file->actions() + window->menuBar()->actions()) {
      if (a == own) continue;
      EXPECT_NE(QKeySequence::mnemonic(a->text()), letter) << a->objectName().toStdString();
    }
  }
}

TEST_F(RecordWindowTest, ExportFromTheMenuWritesWhatTheFileHoldsAndSaysWhere) {
  catalogue.setRecords({book(u"Καζαντζάκης, Νίκος"_s, u"Ο Καπετάν Μιχάλης"_s), book(u"Σεφέρης, Γιώργος"_s)});
  CatalogueExportCommand exporter;  // as the librarian's program supplies it
  platform.exporter = &exporter;
  open();
  line("txtEpo")->setText(u"δεν καταχωρίστηκε"_s);
  const QString path = catalogue.dir() + u"/κατάλογος.csv"_s;
  platform.dialogs.choose(path, 0).answer(Dialogs::Answer::Ok);
  item("mnuExport")->trigger();

  const auto boxes = platform.dialogs.log();
  ASSERT_EQ(boxes.size(), 3);
  EXPECT_EQ(boxes[0].kind, ScriptedDialogs::Entry::Kind::SaveFile);
  EXPECT_EQ(boxes[0].text, QDir(catalogue.dir()).filePath(u"Zelkor.csv"_s));
  EXPECT_EQ(boxes[2].text, u"Ο κατάλογος (2 εγγραφές) γράφτηκε στο αρχείο\r\n"_s + QDir::toNativeSeparators(path));
  const QString csv = QString::fromUtf8(readAll(path));
  EXPECT_TRUE(csv.contains(u"\r\n1,\"Καζαντζάκης, Νίκος\",,Ο Καπετάν Μιχάλης,,\r\n2,\"Σεφέρης, Γιώργος\",,,,\r\n"_s))
      << csv.toStdString();
  EXPECT_EQ(line("txtEpo")->text(), u"δεν καταχωρίστηκε"_s);
  EXPECT_EQ(window->windowTitle(), recordCaption(1, 2));
}

TEST_F(RecordWindowTest, TheStudentsEditionHasNoExportNorImportNorLabels) {
  catalogue.setRecords({book(u"Α"_s)});
  open(Edition::students());
  for (const char* name : {"mnuExport", "mnuImport", "mnuLabels"}) {
    const QAction* a = item(name);
    EXPECT_TRUE(a == nullptr || !a->isVisible()) << name;
  }
}

// The labels item hands the window's catalogue and its own platform to the
// program's label printer, and does nothing in a program without one.
TEST_F(RecordWindowTest, TheLabelsItemAsksTheProgramsLabelPrinter) {
  struct Recording : LabelPrinter {
    void printLabels(const QString& path, Platform&, const QString& title, QWidget* parent) override {
      calls.append({path, title, parent});
    }
    QList<std::tuple<QString, QString, QWidget*>> calls;
  } labels;
  catalogue.setRecords({book(u"Α"_s)});
  open();
  item("mnuLabels")->trigger();
  platform.labels = &labels;
  open();
  item("mnuLabels")->trigger();
  ASSERT_EQ(labels.calls.size(), 1);
  EXPECT_EQ(QFileInfo(std::get<0>(labels.calls[0])).absoluteFilePath(), QFileInfo(catalogue.path()).absoluteFilePath());
  EXPECT_EQ(std::get<1>(labels.calls[0]), u"Σ-Zelkor 3.2"_s);
  EXPECT_EQ(std::get<2>(labels.calls[0]), window.get());
}

// Students' names leave only when the librarian unticks the box the save dialog shows ticked.
TEST_F(RecordWindowTest, TheExportLeavesTheBorrowersOutUnlessTheBoxIsUnticked) {
  catalogue.setRecords({book(u"Καζαντζάκης, Νίκος"_s, u"Ζορμπάς"_s, u"Παπαδοπούλου Ελένη 12/3"_s)});
  CatalogueExportCommand exporter;
  platform.exporter = &exporter;
  open();
  const QString path = catalogue.dir() + u"/κατάλογος.csv"_s;
  platform.dialogs.choose(path, 0).answer(Dialogs::Answer::Ok);
  item("mnuExport")->trigger();
  const ScriptedDialogs::Entry saveDialog = platform.dialogs.log().first();
  EXPECT_EQ(saveDialog.option.label, u"Χωρίς τα ονόματα των δανειζόμενων"_s);
  EXPECT_TRUE(saveDialog.option.checked);
  QString csv = QString::fromUtf8(readAll(path));
  EXPECT_FALSE(csv.contains(u"Παπαδοπούλου"_s)) << csv.toStdString();
  EXPECT_FALSE(csv.contains(fieldLabel(5))) << csv.toStdString();
  EXPECT_TRUE(csv.contains(u"1,\"Καζαντζάκης, Νίκος\",,Ζορμπάς,,\r\n"_s)) << csv.toStdString();

  platform.dialogs.choose(path, 0, false).answer(Dialogs::Answer::Ok);
  item("mnuExport")->trigger();
  csv = QString::fromUtf8(readAll(path));
  EXPECT_TRUE(csv.contains(u"1,\"Καζαντζάκης, Νίκος\",,Ζορμπάς,,,Παπαδοπούλου Ελένη 12/3\r\n"_s)) << csv.toStdString();
}

namespace {

// Answers the list with a chosen code, as a librarian going to a book does.
class ChosenCode : public LoansLister {
 public:
  explicit ChosenCode(qint32 code) : m_code(code) {}
  qint32 showLoans(const QString& path, Platform&, const QString&) override {
    shownFor = path;
    return m_code;
  }
  QString shownFor;

 private:
  qint32 m_code;
};

}  // namespace

TEST_F(RecordWindowTest, TheOverdueListEndsTheSearchMenuAndShowsTheChosenRecord) {
  catalogue.setRecords({book(u"Α"_s), book(u"Β"_s), book(u"Γ"_s)});
  ChosenCode loans(3);
  platform.loans = &loans;
  open();
  const QMenu* search = window->findChild<QMenu*>(u"mnuSearch"_s);
  EXPECT_EQ(namesOf(search->actions()),
            (QStringList{u"mnuCodeNo"_s, u"mnuISBN"_s, u"mnuAuthor"_s, u"mnuTitle"_s, u"mnuAlloi"_s, u"mnuEkdot"_s,
                         u"mnuNo"_s, u"mnuSepForgiving"_s, u"mnuForgiving"_s, u"mnuSepLoans"_s, u"mnuOverdue"_s}));
  const QKeySequence letter = QKeySequence::mnemonic(item("mnuOverdue")->text());
  for (const QAction* a : search->actions()) {
    if (a == item("mnuOverdue")) continue;
    EXPECT_NE(QKeySequence::mnemonic(a->text()), letter) << a->objectName().toStdString();
  }

  item("mnuOverdue")->trigger();
  EXPECT_EQ(QFileInfo(loans.shownFor).absoluteFilePath(), catalogue.path());
  EXPECT_EQ(caption(), recordWindowCaption(3, 3));
  EXPECT_EQ(line("txtEpo")->text().trimmed(), u"Γ"_s);
}

TEST_F(RecordWindowTest, TheStudentsProgramHasNoOverdueList) {
  open(Edition::students());
  EXPECT_FALSE(item("mnuOverdue")->isVisible());
  EXPECT_FALSE(item("mnuSepLoans")->isVisible());
}
