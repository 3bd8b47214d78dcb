#include <gtest/gtest.h>

#include <QApplication>
#include <QCheckBox>
#include <QComboBox>
#include <QDialogButtonBox>
#include <QFileDialog>
#include <QInputDialog>
#include <QLabel>
#include <QLineEdit>
#include <QMenu>
#include <QMessageBox>
#include <QProgressDialog>
#include <QPushButton>
#include <QSpinBox>
#include <QTableWidget>
#include <QTemporaryDir>
#include <QTest>
#include <QTimer>
#include <functional>

#include "catalogue/FieldLabels.h"
#include "platform/system/QtDialogs.h"
#include "support/PrintQString.h"

using namespace Qt::StringLiterals;
using Answer = Dialogs::Answer;
using Buttons = Dialogs::Buttons;
using Icon = Dialogs::Icon;

namespace {

// Acts on the next modal box once it is open, as a user would. A box the
// action leaves open is closed by force and fails the test, so a wrong
// answer never hangs the run.
class ModalUser : public QObject {
 public:
  void then(std::function<void(QWidget*)> act) {
    m_act = std::move(act);
    m_acted = false;
    m_timer.setInterval(5);
    m_timer.callOnTimeout(this, [this] { poll(); });
    m_timer.start();
  }
  bool acted() const { return m_acted; }

 private:
  void poll() {
    QWidget* box = QApplication::activeModalWidget();
    if (!box) return;
    if (m_acted) {
      ADD_FAILURE() << "the box stayed open after the answer";
      m_timer.stop();
      static_cast<QDialog*>(box)->done(QDialog::Rejected);
      return;
    }
    m_acted = true;
    m_act(box);
  }

  QTimer m_timer;
  std::function<void(QWidget*)> m_act;
  bool m_acted = false;
};

QStringList buttonTexts(QWidget* box) {
  QStringList texts;
  for (QAbstractButton* b : box->findChild<QDialogButtonBox*>()->buttons()) texts.append(b->text());
  texts.sort();
  return texts;
}

QStringList sorted(QStringList list) {
  list.sort();
  return list;
}

// Types Greek text as key presses; QTest's own typing knows only ASCII.
void typeText(QWidget* widget, const QString& text) {
  for (QChar c : text) {
    QKeyEvent press(QEvent::KeyPress, 0, Qt::NoModifier, QString(c));
    QApplication::sendEvent(widget, &press);
  }
}

QAbstractButton* buttonNamed(QWidget* box, const QString& text) {
  for (QAbstractButton* b : box->findChild<QDialogButtonBox*>()->buttons())
    if (b->text() == text) return b;
  ADD_FAILURE() << "no button " << text.toStdString();
  return nullptr;
}

class QtDialogsTest : public ::testing::Test {
 protected:
  void TearDown() override {
    QApplication::processEvents();
    for (QWidget* w : QApplication::topLevelWidgets())
      EXPECT_FALSE(w->isVisible()) << "left open: " << w->metaObject()->className();
  }

  QtDialogs dialogs;
  ModalUser user;
};

struct Seen {
  QString title, text;
  QMessageBox::Icon icon = QMessageBox::NoIcon;
  QStringList buttons;
  QString defaultButton;
  Qt::TextFormat format = Qt::AutoText;
};

std::function<void(QWidget*)> look(Seen& seen, std::function<void(QMessageBox*)> answer) {
  return [&seen, answer](QWidget* w) {
    auto* box = qobject_cast<QMessageBox*>(w);
    ASSERT_NE(box, nullptr);
    seen.title = box->windowTitle();
    seen.text = box->text();
    seen.icon = box->icon();
    seen.buttons = buttonTexts(box);
    seen.defaultButton = box->defaultButton() ? box->defaultButton()->text() : QString();
    seen.format = box->textFormat();
    answer(box);
  };
}

// A file's name typed into the save dialog's box, as a user types it:
// selectFile() leaves the box as it is once the box has the focus, which the
// offscreen platform gives it at a moment of its own.
void typeFileName(QFileDialog* dialog, const QString& name) {
  auto* box = dialog->findChild<QLineEdit*>(u"fileNameEdit"_s);
  ASSERT_NE(box, nullptr);
  box->setText(name);
}

}  // namespace

TEST_F(QtDialogsTest, OkBoxShowsTitleTextIconAndGreekButton) {
  Seen seen;
  user.then(look(seen, [](QMessageBox* box) { QTest::keyClick(box, Qt::Key_Return); }));
  const Answer got = dialogs.message(u"Τέλος Αρχείου\r\nΔεύτερη γραμμή"_s, u"Σ-Zelkor 3.2"_s, Buttons::Ok,
                                     Icon::Exclamation, Answer::Ok);
  EXPECT_EQ(got, Answer::Ok);
  EXPECT_EQ(seen.title, u"Σ-Zelkor 3.2"_s);
  EXPECT_EQ(seen.text, u"Τέλος Αρχείου\nΔεύτερη γραμμή"_s);
  EXPECT_EQ(seen.icon, QMessageBox::Warning);
  EXPECT_EQ(seen.buttons, QStringList{u"OK"_s});
  EXPECT_EQ(seen.defaultButton, u"OK"_s);
}

TEST_F(QtDialogsTest, MarkupInATextIsShownAsTyped) {
  Seen seen;
  user.then(look(seen, [](QMessageBox* box) { QTest::keyClick(box, Qt::Key_Escape); }));
  EXPECT_EQ(dialogs.message(u"Το Κείμενο <b>x</b> δεν βρέθηκε"_s, u"T"_s, Buttons::Ok, Icon::Information, Answer::Ok),
            Answer::Ok);
  EXPECT_EQ(seen.format, Qt::PlainText);
  EXPECT_EQ(seen.text, u"Το Κείμενο <b>x</b> δεν βρέθηκε"_s);
  EXPECT_EQ(seen.icon, QMessageBox::Information);
}

TEST_F(QtDialogsTest, YesNoCancelAnswersEachButtonEnterEscAndClose) {
  struct Case {
    const char* how;
    std::function<void(QMessageBox*)> act;
    Answer expected;
  };
  const std::vector<Case> cases = {
      {"Enter", [](QMessageBox* b) { QTest::keyClick(b, Qt::Key_Return); }, Answer::Yes},
      {"Ναι", [](QMessageBox* b) { buttonNamed(b, u"Ναι"_s)->click(); }, Answer::Yes},
      {"Όχι", [](QMessageBox* b) { buttonNamed(b, u"Όχι"_s)->click(); }, Answer::No},
      {"Άκυρο", [](QMessageBox* b) { buttonNamed(b, u"Άκυρο"_s)->click(); }, Answer::Cancel},
      {"Esc", [](QMessageBox* b) { QTest::keyClick(b, Qt::Key_Escape); }, Answer::Cancel},
      {"close", [](QMessageBox* b) { b->close(); }, Answer::Cancel},
  };
  for (const Case& c : cases) {
    Seen seen;
    user.then(look(seen, c.act));
    const Answer got = dialogs.message(u"Θέλετε να Εκτυπώσω τις Εγγραφές "_s, u"Σ-Zelkor 3.2"_s, Buttons::YesNoCancel,
                                       Icon::Question, Answer::Yes);
    EXPECT_EQ(got, c.expected) << c.how;
    EXPECT_EQ(seen.buttons, sorted({u"Ναι"_s, u"Όχι"_s, u"Άκυρο"_s})) << c.how;
    EXPECT_EQ(seen.defaultButton, u"Ναι"_s) << c.how;
    EXPECT_EQ(seen.icon, QMessageBox::Question) << c.how;
    EXPECT_EQ(seen.text, u"Θέλετε να Εκτυπώσω τις Εγγραφές "_s) << c.how;
  }
}

TEST_F(QtDialogsTest, YesNoHonoursDefaultNoAndClosesAsNo) {
  Seen seen;
  user.then(look(seen, [](QMessageBox* b) { QTest::keyClick(b, Qt::Key_Return); }));
  EXPECT_EQ(dialogs.message(u"Διαγραφή;"_s, u"T"_s, Buttons::YesNo, Icon::Question, Answer::No), Answer::No);
  EXPECT_EQ(seen.defaultButton, u"Όχι"_s);
  EXPECT_EQ(seen.buttons, sorted({u"Ναι"_s, u"Όχι"_s}));

  user.then(look(seen, [](QMessageBox* b) { QTest::keyClick(b, Qt::Key_Escape); }));
  EXPECT_EQ(dialogs.message(u"Διαγραφή;"_s, u"T"_s, Buttons::YesNo, Icon::Question, Answer::Yes), Answer::No);
  EXPECT_EQ(seen.defaultButton, u"Ναι"_s);
}

TEST_F(QtDialogsTest, BoxWithoutIcon) {
  Seen seen;
  user.then(look(seen, [](QMessageBox* b) { b->close(); }));
  EXPECT_EQ(dialogs.message(u"System Information Is Unavailable At This Time"_s, u"Zelkor"_s, Buttons::Ok, Icon::None,
                            Answer::Ok),
            Answer::Ok);
  EXPECT_EQ(seen.icon, QMessageBox::NoIcon);
  EXPECT_EQ(seen.title, u"Zelkor"_s);
}

TEST_F(QtDialogsTest, InputBoxShowsPromptTitleEmptyEditAndReturnsTypedText) {
  QString title, prompt, startText;
  QStringList buttons;
  user.then([&](QWidget* w) {
    auto* box = qobject_cast<QInputDialog*>(w);
    ASSERT_NE(box, nullptr);
    title = box->windowTitle();
    prompt = box->labelText();
    buttons = buttonTexts(box);
    auto* edit = box->findChild<QLineEdit*>();
    startText = edit->text();
    typeText(edit, u"Ιλιάδα"_s);
    buttonNamed(box, u"OK"_s)->click();
  });
  EXPECT_EQ(dialogs.input(u"Βρες Κείμενο:"_s, u"Σ-Zelkor 3.2: Αναζήτηση Τίτλου"_s), u"Ιλιάδα"_s);
  EXPECT_EQ(title, u"Σ-Zelkor 3.2: Αναζήτηση Τίτλου"_s);
  EXPECT_EQ(prompt, u"Βρες Κείμενο:"_s);
  EXPECT_EQ(startText, QString());
  EXPECT_EQ(buttons, sorted({u"OK"_s, u"Άκυρο"_s}));
}

TEST_F(QtDialogsTest, InputBoxCancelEscAndCloseReturnEmptyText) {
  const std::vector<std::function<void(QDialog*)>> ways = {
      [](QDialog* b) { buttonNamed(b, u"Άκυρο"_s)->click(); },
      [](QDialog* b) { QTest::keyClick(b->findChild<QLineEdit*>(), Qt::Key_Escape); },
      [](QDialog* b) { b->close(); },
  };
  for (size_t i = 0; i < ways.size(); ++i) {
    user.then([&](QWidget* w) {
      typeText(w->findChild<QLineEdit*>(), u"κάτι"_s);
      ways[i](static_cast<QDialog*>(w));
    });
    EXPECT_EQ(dialogs.input(u"Βρες:"_s, u"T"_s), QString()) << "way " << i;
    EXPECT_TRUE(user.acted());
  }
}

TEST_F(QtDialogsTest, SaveDialogReturnsTheChosenFileAndFilter) {
  QTemporaryDir dir;
  const QStringList filters{u"Πίνακας CSV (*.csv)"_s, u"Υπολογιστικό φύλλο Excel (*.xlsx)"_s};
  user.then([&](QWidget* box) {
    auto* dialog = qobject_cast<QFileDialog*>(box);
    ASSERT_NE(dialog, nullptr);
    EXPECT_EQ(dialog->windowTitle(), u"Εξαγωγή"_s);
    EXPECT_EQ(dialog->nameFilters(), filters);
    dialog->selectNameFilter(filters[1]);
    typeFileName(dialog, u"λίστα.xlsx"_s);
    QMetaObject::invokeMethod(dialog, "accept");
  });
  const Dialogs::SaveChoice choice = dialogs.saveFile(u"Εξαγωγή"_s, dir.filePath(u"Zelkor.csv"_s), filters);
  EXPECT_EQ(choice.path, dir.filePath(u"λίστα.xlsx"_s));
  EXPECT_EQ(choice.filter, 1);

  user.then([](QWidget* box) { static_cast<QDialog*>(box)->reject(); });
  EXPECT_TRUE(dialogs.saveFile(u"Εξαγωγή"_s, dir.filePath(u"Zelkor.csv"_s), filters).path.isEmpty());
}

TEST_F(QtDialogsTest, ProgressBoxCancelButtonStopsTheWork) {
  const std::unique_ptr<Dialogs::Progress> progress = dialogs.progress(u"Εξαγωγή…"_s, u"Σ-Zelkor 3.2"_s);
  EXPECT_TRUE(progress->advance(1, 4));
  QTest::qWait(600);
  EXPECT_TRUE(progress->advance(2, 4));
  auto* box = qobject_cast<QProgressDialog*>(QApplication::activeModalWidget());
  ASSERT_NE(box, nullptr) << "a slow step shows the box";
  EXPECT_EQ(box->windowTitle(), u"Σ-Zelkor 3.2"_s);
  EXPECT_EQ(box->labelText(), u"Εξαγωγή…\n2 από 4"_s) << "a known total is counted";
  EXPECT_EQ(box->value(), 500);
  box->findChild<QPushButton*>()->click();
  EXPECT_FALSE(progress->advance(3, 4));
}

TEST_F(QtDialogsTest, ProgressBoxFitsItsTitleAndStopsOfferingCancelWhenTheWorkCannotBeUndone) {
  const QString title = u"Σ-Zelkor 3.2: Εισαγωγή καταλόγου"_s;
  const std::unique_ptr<Dialogs::Progress> progress = dialogs.progress(u"Εισαγωγή από το «α.csv»…"_s, title);
  QTest::qWait(600);
  EXPECT_TRUE(progress->keepWaiting());
  auto* box = qobject_cast<QProgressDialog*>(QApplication::activeModalWidget());
  ASSERT_NE(box, nullptr) << "the box shows while the work goes on elsewhere";
  EXPECT_GT(box->width(), box->fontMetrics().horizontalAdvance(title) + 100);
  QTimer::singleShot(0, box->findChild<QPushButton*>(), &QPushButton::click);
  QTest::qWait(50);
  EXPECT_FALSE(progress->keepWaiting()) << "Cancel is heard between steps";

  const std::unique_ptr<Dialogs::Progress> last = dialogs.progress(u"Εισαγωγή…"_s, title);
  last->withoutCancel();
  QTest::qWait(600);
  EXPECT_TRUE(last->advance(4, 4));
  auto* lastBox = qobject_cast<QProgressDialog*>(QApplication::activeModalWidget());
  ASSERT_NE(lastBox, nullptr);
  EXPECT_EQ(lastBox->findChild<QPushButton*>(), nullptr);
}

// Cancel hides the box; while the work undoes itself it stands again,
// saying so without Cancel, and Escape does not send it away.
TEST_F(QtDialogsTest, ProgressBoxStandsAgainSayingTheWorkStopsUntilItGoes) {
  const std::unique_ptr<Dialogs::Progress> progress =
      dialogs.progress(u"Εισαγωγή…"_s, u"Σ-Zelkor 3.2: Εισαγωγή καταλόγου"_s);
  QTest::qWait(600);
  EXPECT_TRUE(progress->keepWaiting());
  auto* box = qobject_cast<QProgressDialog*>(QApplication::activeModalWidget());
  ASSERT_NE(box, nullptr);
  QTimer::singleShot(0, box->findChild<QPushButton*>(), &QPushButton::click);
  QTest::qWait(50);
  EXPECT_FALSE(progress->keepWaiting());
  EXPECT_FALSE(box->isVisible());
  progress->stopping(u"Η εισαγωγή σταματά…"_s);
  EXPECT_TRUE(box->isVisible());
  EXPECT_EQ(box->labelText(), u"Η εισαγωγή σταματά…"_s);
  EXPECT_EQ(box->findChild<QPushButton*>(), nullptr);
  QTest::keyClick(box, Qt::Key_Escape);
  progress->keepWaiting();
  EXPECT_TRUE(box->isVisible()) << "the work has not ended";
}

TEST_F(QtDialogsTest, SaveDialogShowsItsCheckBoxAndReturnsItsState) {
  QTemporaryDir dir;
  for (const bool untick : {false, true}) {
    user.then([&](QWidget* box) {
      auto* check = box->findChild<QCheckBox*>(u"chkOption"_s);
      ASSERT_NE(check, nullptr);
      EXPECT_EQ(check->text(), u"Χωρίς τα ονόματα"_s);
      EXPECT_TRUE(check->isChecked());
      EXPECT_TRUE(check->isVisible());
      if (untick) check->click();
      auto* dialog = qobject_cast<QFileDialog*>(box);
      typeFileName(dialog, u"λίστα.csv"_s);
      QMetaObject::invokeMethod(dialog, "accept");
    });
    const Dialogs::SaveChoice choice = dialogs.saveFile(u"Εξαγωγή"_s, dir.filePath(u"Zelkor.csv"_s),
                                                        {u"Πίνακας CSV (*.csv)"_s}, {u"Χωρίς τα ονόματα"_s, true});
    EXPECT_EQ(choice.path, dir.filePath(u"λίστα.csv"_s));
    EXPECT_EQ(choice.checked, !untick);
  }
}

namespace {

// Three file columns, the first row a header; title and author proposed.
Dialogs::ColumnsQuestion threeColumns() {
  Dialogs::ColumnsQuestion q;
  q.file = u"βιβλία.csv"_s;
  q.seen = u"CSV, UTF-8, «;»"_s;
  q.firstRow = {u"Τίτλος"_s, u"Σημείωση"_s, u"Συγγραφέας"_s};
  q.firstRowIsHeader = true;
  q.rows = {{u"Επιτάφιος"_s, u"δώρο"_s, u"  Ρίτσος"_s}, {u"Ποιήματα"_s, u""_s, u"Σεφέρης"_s}};
  q.rowNumbers = {2, 4};
  q.rowCount = 2;
  q.columnsOfField = {{2}, {}, {0}, {}, {}, {}};
  q.stored = [](const QStringList& cells, int field) {
    QStringList kept;
    for (const QString& cell : cells)
      if (!cell.trimmed().isEmpty()) kept.append(cell.trimmed());
    return Dialogs::PreviewCell{kept.isEmpty() ? QString() : u"%1:%2"_s.arg(field).arg(kept.join(u'+')), {}};
  };
  return q;
}

QStringList previewRow(QWidget* box, int row) {
  auto* grid = box->findChild<QTableWidget*>(u"grdPreview"_s);
  QStringList cells;
  for (int c = 0; c < grid->columnCount(); ++c)
    cells.append(grid->item(row, c) ? grid->item(row, c)->text() : QString());
  return cells;
}

QPushButton* fieldChoice(QWidget* box, int field) { return box->findChild<QPushButton*>(u"cmdField%1"_s.arg(field)); }

// Ticks or unticks file column `column` in the menu of field `field`.
void tick(QWidget* box, int field, int column, bool ticked = true) {
  fieldChoice(box, field)->menu()->actions()[column]->setChecked(ticked);
}

// The columns of each field, "0,1" for a field, fields parted by "|" (Qt's
// own list comparison would hand memcmp an empty list's null data).
QString columnsText(const QList<QList<int>>& fields) {
  QStringList parts;
  for (const QList<int>& columns : fields) {
    QStringList numbers;
    for (const int column : columns) numbers.append(QString::number(column));
    parts.append(numbers.join(u','));
  }
  return parts.join(u'|');
}

QString labelText(QWidget* box, const QString& name) { return box->findChild<QLabel*>(name)->text(); }

}  // namespace

TEST_F(QtDialogsTest, ColumnDialogJoinsColumnsInOrderAndSaysWhichAreLeftOut) {
  QStringList names, firstShown, joined, afterMove, withFirstRow, sampleNames;
  QString fieldTip, unusedFirst, unusedJoined, rowNumber, hidden;
  bool importBlocked = false, endKept = false;
  user.then([&](QWidget* box) {
    EXPECT_EQ(box->windowTitle(), u"Εισαγωγή"_s);
    EXPECT_EQ(labelText(box, u"lblSeen"_s), u"Αρχείο «βιβλία.csv»: CSV, UTF-8, «;»"_s);
    EXPECT_FALSE(box->findChild<QComboBox*>(u"cboSheet"_s)->isVisibleTo(box)) << "a CSV file has no sheets";
    fieldTip = box->findChild<QLabel*>(u"lblField5"_s)->toolTip();
    for (QAction* action : fieldChoice(box, 0)->menu()->actions()) names.append(action->text());
    firstShown = previewRow(box, 0);
    rowNumber = box->findChild<QTableWidget*>(u"grdPreview"_s)->verticalHeaderItem(1)->text();
    unusedFirst = labelText(box, u"lblUnused"_s);
    // The note column joins the title, after it.
    tick(box, 2, 1);
    joined = previewRow(box, 0);
    unusedJoined = labelText(box, u"lblUnused"_s);
    // Column 1 ("Τίτλος") ticked for the publication field leaves the title field.
    tick(box, 3, 0);
    afterMove = previewRow(box, 0);
    box->findChild<QCheckBox*>(u"chkHeader"_s)->click();
    withFirstRow = previewRow(box, 0);
    for (QAction* action : fieldChoice(box, 4)->menu()->actions()) sampleNames.append(action->text());
    for (int field = 0; field < 6; ++field)
      for (int column = 0; column < 3; ++column) tick(box, field, column, false);
    importBlocked = !box->findChild<QPushButton*>(u"cmdImport"_s)->isEnabled();
    hidden = previewRow(box, 0).first();
    tick(box, 5, 1);
    // End on a choice changes nothing unseen.
    fieldChoice(box, 5)->setFocus();
    QTest::keyClick(fieldChoice(box, 5), Qt::Key_End);
    endKept = fieldChoice(box, 5)->toolTip() == u"Στήλη 2: Σημείωση, δώρο"_s;
    buttonNamed(box, u"Εισαγωγή"_s)->click();
  });
  const std::optional<Dialogs::ColumnChoice> choice = dialogs.chooseColumns(threeColumns(), u"Εισαγωγή"_s);
  EXPECT_EQ(fieldTip, fieldLabel(5)) << "a label cut by its width is read whole on hover";
  EXPECT_EQ(names, (QStringList{u"Τίτλος  (τώρα στο «%1»)"_s.arg(fieldLabel(2).left(23) + u'…'), u"Σημείωση"_s,
                                u"Συγγραφέας"_s}));
  EXPECT_EQ(firstShown, (QStringList{u"0:Ρίτσος"_s, {}, u"2:Επιτάφιος"_s, {}, {}, {}}));
  EXPECT_EQ(rowNumber, u"4"_s) << "the file's own row numbers, blank rows skipped";
  EXPECT_EQ(unusedFirst, u"Δεν θα χρησιμοποιηθεί η στήλη «Σημείωση»."_s);
  EXPECT_EQ(joined, (QStringList{u"0:Ρίτσος"_s, {}, u"2:Επιτάφιος+δώρο"_s, {}, {}, {}}));
  EXPECT_EQ(unusedJoined, u"Χρησιμοποιούνται όλες οι στήλες του αρχείου."_s);
  EXPECT_EQ(afterMove, (QStringList{u"0:Ρίτσος"_s, {}, u"2:δώρο"_s, u"3:Επιτάφιος"_s, {}, {}}));
  EXPECT_EQ(withFirstRow, (QStringList{u"0:Συγγραφέας"_s, {}, u"2:Σημείωση"_s, u"3:Τίτλος"_s, {}, {}}));
  // Without a header a column is known by its first cells.
  EXPECT_EQ(sampleNames, (QStringList{u"Στήλη 1: Τίτλος, Επιτάφιος  (τώρα στο «ΕΚΔΟΤΙΚΑ ΣΤΟΙΧΕΙΑ: ΤΟΠΟ…»)"_s,
                                      u"Στήλη 2: Σημείωση, δώρο  (τώρα στο «ΚΥΡΙΟΣ ΤΙΤΛΟΣ και ΥΠΟΤΙ…»)"_s,
                                      u"Στήλη 3: Συγγραφέας, Ρίτσος  (τώρα στο «ΣΥΓΓΡΑΦΕΑΣ - ΕΠΙΜΕΛΗΤΗΣ»)"_s}));
  EXPECT_TRUE(importBlocked) << "no field takes a column";
  EXPECT_EQ(hidden, u"(σε στήλες που δεν εισάγονται: Τίτλος | Σημείωση | Συγγραφέας)"_s)
      << "a row whose text no field takes is still seen";
  EXPECT_TRUE(endKept);
  ASSERT_TRUE(choice.has_value());
  EXPECT_EQ(columnsText(choice->columnsOfField), u"|||||1"_s);
  EXPECT_FALSE(choice->firstRowIsHeader);
  EXPECT_EQ(choice->lastRow, 0);

  user.then([](QWidget* box) { buttonNamed(box, u"Άκυρο"_s)->click(); });
  EXPECT_FALSE(dialogs.chooseColumns(threeColumns(), u"Εισαγωγή"_s).has_value());
}

TEST_F(QtDialogsTest, ColumnDialogShowsTheLastRowsLeavesRowsOutAndFollowsTheSheet) {
  Dialogs::ColumnsQuestion list = threeColumns();
  list.rowCount = 40;
  list.lastRows = {{u"Έρημη Χώρα"_s, u""_s, u"Έλιοτ"_s}, {u"Σύνολο βιβλίων: 40"_s}};
  list.lastNumbers = {40, 41};
  list.sheets = {u"Οδηγίες"_s, u"Βιβλία"_s};
  list.sheet = u"Βιβλία"_s;
  QStringList asked;
  list.readSheet = [&](const QString& sheet) -> std::optional<Dialogs::ColumnsQuestion> {
    asked.append(sheet);
    Dialogs::ColumnsQuestion other = threeColumns();
    other.firstRow = {u"Διαβάστε πρώτα"_s};
    other.firstRowIsHeader = false;
    other.rows = {};
    other.rowCount = 0;
    other.columnsOfField = {};
    other.sheets = {u"Οδηγίες"_s, u"Βιβλία"_s};
    other.sheet = sheet;
    return other;
  };
  QString count, countAfter, gap, struck, sheetCount;
  bool struckOut = false;
  user.then([&](QWidget* box) {
    count = labelText(box, u"lblRows"_s);
    auto* grid = box->findChild<QTableWidget*>(u"grdPreview"_s);
    gap = grid->verticalHeaderItem(2)->text();
    box->findChild<QSpinBox*>(u"spnLastRow"_s)->setValue(40);
    countAfter = labelText(box, u"lblRows"_s);
    struck = grid->verticalHeaderItem(4)->text();
    struckOut = grid->item(4, 2)->font().strikeOut() && !grid->item(3, 2)->font().strikeOut();
    auto* sheets = box->findChild<QComboBox*>(u"cboSheet"_s);
    EXPECT_TRUE(sheets->isVisibleTo(box));
    EXPECT_EQ(sheets->currentText(), u"Βιβλία"_s);
    sheets->setCurrentIndex(0);
    emit sheets->activated(0);
    sheetCount = labelText(box, u"lblRows"_s);
    fieldChoice(box, 2)->menu()->actions()[0]->setChecked(true);
    buttonNamed(box, u"Εισαγωγή"_s)->click();
  });
  const std::optional<Dialogs::ColumnChoice> choice = dialogs.chooseColumns(list, u"Εισαγωγή"_s);
  EXPECT_EQ(count, u"Το αρχείο έχει 40 σειρές με στοιχεία· φαίνονται οι πρώτες και οι τελευταίες."_s);
  EXPECT_EQ(gap, u"…"_s);
  EXPECT_EQ(countAfter,
            u"Το αρχείο έχει 40 σειρές με στοιχεία· φαίνονται οι πρώτες και οι τελευταίες· μετά τη σειρά 40 δεν "
            u"εισάγεται καμία."_s);
  EXPECT_EQ(struck, u"41"_s);
  EXPECT_TRUE(struckOut);
  EXPECT_EQ(asked, QStringList{u"Οδηγίες"_s});
  EXPECT_EQ(sheetCount, u"Το αρχείο έχει 1 σειρά με στοιχεία."_s);
  ASSERT_TRUE(choice.has_value());
  EXPECT_EQ(choice->sheet, u"Οδηγίες"_s);
  EXPECT_EQ(columnsText(choice->columnsOfField), u"||0|||"_s);
  EXPECT_EQ(choice->lastRow, 0) << "a new sheet is read to its end";
}

TEST_F(QtDialogsTest, ProgressOfAnUnknownTotalShowsABusyBarThatStillHearsCancel) {
  const std::unique_ptr<Dialogs::Progress> progress = dialogs.progress(u"Εισαγωγή…"_s, u"Σ-Zelkor 3.2"_s);
  EXPECT_TRUE(progress->advance(1024, 0));
  QTest::qWait(600);
  EXPECT_TRUE(progress->advance(2048, 0));
  auto* box = qobject_cast<QProgressDialog*>(QApplication::activeModalWidget());
  ASSERT_NE(box, nullptr);
  EXPECT_EQ(box->maximum(), 0);
  QTimer::singleShot(0, box->findChild<QPushButton*>(), &QPushButton::click);
  EXPECT_FALSE(progress->advance(3072, 0)) << "the click is seen while the work goes on";
}

TEST_F(QtDialogsTest, ColumnDialogMarksACellTheImportCannotStoreAsItIsAndSaysWhy) {
  Dialogs::ColumnsQuestion q = threeColumns();
  q.stored = [](const QStringList& cells, int) {
    const QString cell = cells.join(u' ');
    return Dialogs::PreviewCell{cell, cell.contains(u"Ρίτσος"_s) ? u"δεν χωρά"_s : QString()};
  };
  QTableWidgetItem marked, plain;
  bool explained = false, explainedWithout = true;
  user.then([&](QWidget* box) {
    auto* grid = box->findChild<QTableWidget*>(u"grdPreview"_s);
    marked = *grid->item(0, 0);
    plain = *grid->item(0, 2);
    explained = box->findChild<QLabel*>(u"lblMarks"_s)->isVisibleTo(box);
    // With the author's column left out no cell is marked, and nothing needs explaining.
    tick(box, 0, 2, false);
    explainedWithout = box->findChild<QLabel*>(u"lblMarks"_s)->isVisibleTo(box);
    buttonNamed(box, u"Άκυρο"_s)->click();
  });
  dialogs.chooseColumns(q, u"Εισαγωγή"_s);
  EXPECT_EQ(marked.text(), u"  Ρίτσος"_s) << "shown whole, as the file holds it";
  EXPECT_NE(marked.background(), plain.background());
  EXPECT_TRUE(marked.toolTip().endsWith(u"δεν χωρά"_s)) << marked.toolTip().toStdString();
  EXPECT_EQ(plain.toolTip(), u"Επιτάφιος"_s);
  EXPECT_TRUE(explained);
  EXPECT_FALSE(explainedWithout);
}
