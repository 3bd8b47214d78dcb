#include <gtest/gtest.h>

#include <QLabel>
#include <QPointer>
#include <QPushButton>
#include <QTest>

#include "help/frmHelp.h"

using namespace Qt::StringLiterals;

namespace {

struct Line {
  QString name;
  int top;
  int width;
  QString text;
};

// The librarian's list, top to bottom, in twips.
const QList<Line> kLibrarianLines = {
    {u"Label3"_s, 840, 2655, u"F1 ......... Επόμενη Εγγραφή"_s},
    {u"Label15"_s, 1080, 2655, u"PgDwn .. Επόμενη Εγγραφή"_s},
    {u"Label4"_s, 1320, 3135, u"F2 ......... Προγούμενη Εγγραφή"_s},
    {u"Label16"_s, 1560, 3135, u"PgUp .... Προγούμενη Εγγραφή"_s},
    {u"Label5"_s, 1800, 3135, u"F3 ......... Καταχώριση Εγγραφής"_s},
    {u"Label6"_s, 2040, 2895, u"F4 ......... Αναζήτηση Κωδικού"_s},
    {u"Label7"_s, 2280, 3255, u"F5 ......... Αναζήτηση Συγγραφέα"_s},
    {u"Label8"_s, 2520, 3615, u"F6 ......... Αναζήτηση Άλλου Ονόματος"_s},
    {u"Label9"_s, 2760, 2775, u"F7 ......... Αναζήτηση Τίτλου"_s},
    {u"Label11"_s, 3000, 3975, u"F8 ......... Αναζήτηση Εκδοτικού Στοιχείου"_s},
    {u"Label13"_s, 3240, 4095, u"F9 ......... Αναζήτηση Αριθμών - Θέματος"_s},
    {u"Label12"_s, 3480, 3855, u"F10 ....... Μενού Επιλογών"_s},
    {u"Label10"_s, 3720, 3615, u"F11 ....... Αναζήτηση Δανειζομένου"_s},
    {u"Label14"_s, 3960, 3735, u"F12 ....... Νέα Εγγραφή"_s},
    {u"Label17"_s, 4200, 3735, u"Ctrl+F1.. Βοήθεια"_s},
    {u"Label18"_s, 4560, 3975, u"Δες πλήρη Κατάλογο σε Βοήθεια Προγ/τος"_s},
};

QRect px(int left, int top, int width, int height) { return QRect(left / 15, top / 15, width / 15, height / 15); }

class KeyHelpWindow : public ::testing::Test {
 protected:
  void open(const Edition& edition) {
    window = new frmHelp(edition);
    window->show();
  }
  void TearDown() override { delete window.data(); }
  QLabel* label(const QString& name) const { return window->findChild<QLabel*>(name); }
  QPushButton* ok() const { return window->findChild<QPushButton*>(u"Command1"_s); }
  bool closedAndGone() {
    QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    return window.isNull();
  }

  QPointer<frmHelp> window;
};

void expectLines(frmHelp& window, const QList<Line>& lines) {
  for (const Line& line : lines) {
    SCOPED_TRACE(line.name.toStdString());
    auto* label = window.findChild<QLabel*>(line.name);
    ASSERT_NE(label, nullptr);
    EXPECT_EQ(label->text(), line.text);
    EXPECT_EQ(label->geometry(), px(480, line.top, line.width, 255));
    EXPECT_TRUE(label->font().bold());
    EXPECT_EQ(label->font().family(), u"System"_s);
    EXPECT_LE(label->font().pointSizeF(), 9.75);
    // Whatever font stands in for "System" here, no line loses its end.
    EXPECT_LE(label->fontMetrics().horizontalAdvance(label->text()), label->width());
    EXPECT_EQ(label->palette().color(QPalette::Window), label->palette().color(QPalette::ToolTipBase));
    EXPECT_TRUE(label->autoFillBackground());
  }
}

TEST_F(KeyHelpWindow, LibrarianLayout) {
  open(Edition::librarian());
  EXPECT_EQ(window->objectName(), u"frmHelp"_s);
  EXPECT_EQ(window->windowTitle(), u"Σ-Zelkor 3.2:  Πλήκτρα Συντομεύσεως"_s);
  EXPECT_EQ(window->size(), QSize(5025 / 15, 5655 / 15));
  EXPECT_TRUE(window->testAttribute(Qt::WA_DeleteOnClose));
  EXPECT_FALSE(window->isModal());

  ASSERT_NE(label(u"Label1"_s), nullptr);
  EXPECT_EQ(label(u"Label1"_s)->text(), QString());
  EXPECT_EQ(label(u"Label1"_s)->geometry(), px(240, 240, 4455, 5175));
  EXPECT_TRUE(label(u"Label1"_s)->autoFillBackground());
  ASSERT_NE(label(u"Label2"_s), nullptr);
  EXPECT_EQ(label(u"Label2"_s)->text(), u"ΚΥΡΙΟΤΕΡΑ ΠΛΗΚΤΡΑ ΣΥΝΤΟΜΕΥΣΕΩΣ"_s);
  EXPECT_EQ(label(u"Label2"_s)->geometry(), px(240, 480, 4095, 375));
  EXPECT_EQ(label(u"Label2"_s)->alignment(), Qt::AlignLeft | Qt::AlignTop);

  expectLines(*window, kLibrarianLines);
  EXPECT_EQ(window->findChildren<QLabel*>().size(), 18);

  ASSERT_NE(ok(), nullptr);
  EXPECT_EQ(ok()->text(), u"OK"_s);
  EXPECT_EQ(ok()->geometry(), px(1680, 4920, 1575, 375));
}

TEST_F(KeyHelpWindow, StudentsLeaveOutSaveAndNewAndMoveHelpLineUp) {
  open(Edition::students());
  EXPECT_EQ(window->windowTitle(), u"Μ-Zelkor 3.2 :  Πλήκτρα Συντομεύσεως"_s);
  EXPECT_EQ(window->size(), QSize(5025 / 15, 5655 / 15));

  QList<Line> lines;
  for (Line line : kLibrarianLines) {
    if (line.name == u"Label5"_s || line.name == u"Label14"_s) continue;
    if (line.name == u"Label17"_s) line.top = 4080;
    lines.append(line);
  }
  expectLines(*window, lines);
  EXPECT_EQ(label(u"Label5"_s), nullptr);
  EXPECT_EQ(label(u"Label14"_s), nullptr);
  EXPECT_EQ(window->findChildren<QLabel*>().size(), 16);
  EXPECT_EQ(ok()->geometry(), px(1680, 4920, 1575, 375));
}

TEST_F(KeyHelpWindow, OkIsTheOnlyFocusableControl) {
  open(Edition::librarian());
  for (QWidget* child : window->findChildren<QWidget*>()) {
    SCOPED_TRACE(child->objectName().toStdString());
    EXPECT_EQ(child->focusPolicy() != Qt::NoFocus, child == ok());
  }
  EXPECT_EQ(window->focusWidget(), ok());
}

TEST_F(KeyHelpWindow, EscapeDoesNothing) {
  open(Edition::librarian());
  QTest::keyClick(ok(), Qt::Key_Escape);
  QTest::keyClick(window, Qt::Key_Escape);
  EXPECT_FALSE(closedAndGone());
  EXPECT_TRUE(window->isVisible());
}

TEST_F(KeyHelpWindow, EnterSpaceAndClickCloseIt) {
  for (int key : {int(Qt::Key_Return), int(Qt::Key_Enter), int(Qt::Key_Space), 0}) {
    SCOPED_TRACE(key);
    open(Edition::librarian());
    if (key == 0)
      QTest::mouseClick(ok(), Qt::LeftButton);
    else
      QTest::keyClick(ok(), Qt::Key(key));
    EXPECT_TRUE(closedAndGone());
  }
}

}  // namespace
