#include <gtest/gtest.h>

#include <QLabel>
#include <QPointer>
#include <QPushButton>
#include <QTest>

#include "help/WholeLinesLabel.h"
#include "help/frmAbout.h"
#include "support/TestPlatform.h"

using namespace Qt::StringLiterals;

namespace {

QRect px(int left, int top, int width, int height) { return QRect(left / 15, top / 15, width / 15, height / 15); }

class AboutBox : public ::testing::Test {
 protected:
  void open(const Edition& edition) {
    box = new frmAbout(test.platform(), edition);
    box->show();
  }
  void TearDown() override { delete box.data(); }
  QString text(const QString& name) const { return box->findChild<QLabel*>(name)->text(); }
  QPushButton* button(const QString& name) const { return box->findChild<QPushButton*>(name); }
  bool closedAndGone() {
    QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    return box.isNull();
  }

  TestPlatform test;
  QPointer<frmAbout> box;
};

TEST_F(AboutBox, LibrarianTexts) {
  open(Edition::librarian());
  EXPECT_EQ(box->objectName(), u"frmAbout"_s);
  EXPECT_EQ(box->windowTitle(), u"Περί του Σχολικός Zelkor"_s);
  EXPECT_EQ(text(u"lblVersion"_s), u"Έκδοση: 3.2.0Σ"_s);
  EXPECT_EQ(text(u"lblTitle"_s), u"Σ-Zelkor\r\nΔικαιώματα: "_s + Edition::rightsHolder());
  EXPECT_EQ(text(u"lblDescription"_s),
            u"Γρήγορη και Εύκολη\r\nΚαταλογράφηση και Διαχείρηση\r\nΔανειστικής Σχολικής Βιβλιοθήκης\r\n"_s);
  EXPECT_EQ(text(u"lblDisclaimer"_s), u"Ο Σ-Zelkor διατίθεται ΔΩΡΕΑΝ.\r\nΠληροφορίες:\r\nE-mail: "_s +
                                          Edition::emailAddress() + u"\r\nURL  : "_s +
                                          Edition::librarian().webAddress());
}

TEST_F(AboutBox, StudentsTexts) {
  open(Edition::students());
  EXPECT_EQ(box->windowTitle(), u"Περί του Σχολικός Zelkor"_s);
  EXPECT_EQ(text(u"lblVersion"_s), u"Έκδοση: 3.2.0Μ"_s);
  EXPECT_EQ(text(u"lblTitle"_s), u"Μ-Zelkor\r\nΔικαιώματα: "_s + Edition::rightsHolder());
  EXPECT_EQ(text(u"lblDescription"_s), u"Ηλεκτρονικός Κατάλογος Μαθητών\r\nΔανειστικής Σχολικής Βιβλιοθήκης\r\n"_s);
  EXPECT_EQ(text(u"lblDisclaimer"_s), u"Ο Μ-Zelkor είναι μέρος του Σ-Zelkor.\r\nΠληροφορίες:\r\nE-mail: "_s +
                                          Edition::emailAddress() + u"\r\nURL  : "_s +
                                          Edition::students().webAddress());
}

// Every line of `label` is drawn whole within it, in the font it is drawn in.
void expectWholeLines(const WholeLinesLabel& label) {
  const QStringList lines = label.lines();
  EXPECT_LE(label.lineStep() * lines.size(), label.contentsRect().height());
  for (const QString& line : lines) {
    const QFontMetrics metrics(label.lineFont(line));
    EXPECT_LE(metrics.horizontalAdvance(line), label.contentsRect().width()) << line.toStdString();
    EXPECT_LE(metrics.height(), label.lineStep()) << line.toStdString();
  }
}

TEST_F(AboutBox, ContactLinesShowWholeInBothEditions) {
  for (const Edition& edition : {Edition::librarian(), Edition::students()}) {
    open(edition);
    auto* disclaimer = qobject_cast<WholeLinesLabel*>(box->findChild<QLabel*>(u"lblDisclaimer"_s));
    ASSERT_NE(disclaimer, nullptr);
    EXPECT_EQ(disclaimer->lines().size(), 4);
    EXPECT_TRUE(disclaimer->lines().last().endsWith(edition.webAddress()));
    expectWholeLines(*disclaimer);
    delete box.data();
  }
  // An address of any length set at build time shows whole; a short line
  // keeps the label's own size.
  WholeLinesLabel label;
  label.setGeometry(px(255, 2625, 3870, 825));
  label.setText(u"Ο Σ-Zelkor διατίθεται ΔΩΡΕΑΝ.\r\nΠληροφορίες:\r\nE-mail: \r\nURL  : "_s +
                u"https://vivliothiki.school.gr/lomira/README.md#the-students-edition"_s);
  expectWholeLines(label);
  EXPECT_LT(label.lineFont(label.lines().last()).pointSizeF(), label.lineFont(u"E-mail: "_s).pointSizeF());
}

TEST_F(AboutBox, Layout) {
  open(Edition::librarian());
  EXPECT_EQ(box->size(), QSize(5730 / 15, 3555 / 15));
  EXPECT_TRUE(box->testAttribute(Qt::WA_DeleteOnClose));
  EXPECT_FALSE(box->isModal());
  auto* icon = box->findChild<QLabel*>(u"picIcon"_s);
  ASSERT_NE(icon, nullptr);
  EXPECT_EQ(icon->geometry(), px(240, 240, 540, 540));
  EXPECT_EQ(icon->pixmap().size(), QSize(32, 32));
  EXPECT_EQ(box->findChild<QLabel*>(u"lblTitle"_s)->geometry(), px(1050, 240, 3885, 480));
  EXPECT_EQ(box->findChild<QLabel*>(u"lblVersion"_s)->geometry(), px(1050, 780, 3885, 225));
  EXPECT_EQ(box->findChild<QLabel*>(u"lblDescription"_s)->geometry(), px(1050, 1125, 3885, 1170));
  EXPECT_EQ(box->findChild<QLabel*>(u"lblDisclaimer"_s)->geometry(), px(255, 2625, 3870, 825));
  EXPECT_EQ(button(u"cmdOK"_s)->text(), u"OK"_s);
  EXPECT_EQ(button(u"cmdOK"_s)->geometry(), px(4245, 2625, 1260, 345));
  EXPECT_EQ(button(u"cmdSysInfo"_s)->text(), u"&System Info..."_s);
  EXPECT_EQ(button(u"cmdSysInfo"_s)->geometry(), px(4260, 3075, 1245, 345));
  EXPECT_TRUE(button(u"cmdOK"_s)->isDefault());
  EXPECT_EQ(box->focusWidget(), button(u"cmdOK"_s));
  EXPECT_EQ(button(u"cmdOK"_s)->nextInFocusChain(), button(u"cmdSysInfo"_s));
}

TEST_F(AboutBox, EnterPressesOk) {
  open(Edition::librarian());
  QTest::keyClick(box, Qt::Key_Return);
  EXPECT_TRUE(closedAndGone());
}

TEST_F(AboutBox, EscapePressesOkWhereverTheFocusIs) {
  open(Edition::librarian());
  QTest::keyClick(button(u"cmdSysInfo"_s), Qt::Key_Escape);
  EXPECT_TRUE(closedAndGone());
}

TEST_F(AboutBox, SystemInfoButtonKeepsTheBoxOpen) {
  open(Edition::librarian());
  test.dialogs.answer(Dialogs::Answer::Ok);
  QTest::mouseClick(button(u"cmdSysInfo"_s), Qt::LeftButton);
  EXPECT_EQ(test.dialogs.messageTexts(), QStringList{u"System Information Is Unavailable At This Time"_s});
  EXPECT_FALSE(closedAndGone());
}

}  // namespace
