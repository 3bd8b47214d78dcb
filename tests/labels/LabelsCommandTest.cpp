#include <QCheckBox>
#include <QComboBox>
#include <QDoubleSpinBox>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QSpinBox>
#include <QTest>

#include "LabelsFixture.h"
#include "labels_window/LabelsCommand.h"
#include "labels_window/SheetPreview.h"
#include "support/TempCatalogue.h"

using namespace Qt::StringLiterals;

namespace {

QStringList book(const QString& author, const QString& title, const QString& numberAndSubject) {
  return {author, QString(), title, QString(), numberAndSubject, QString()};
}

const QStringList kDeleted = {u"~~~"_s, u"~~~"_s, u"~~~"_s, u"~~~"_s, u"~~~"_s, u"~~~"_s};

// The "Ετικέτες" item's command on a small catalogue, its dialog answered
// by the test through the controls a librarian uses.
class LabelsCommandTest : public LabelsTest {
 protected:
  LabelsCommandTest() {
    catalogue.setRecords({book(u"Φαρμάκης, Γιώργος"_s, u"Θρησκείες"_s, u"265.5 Θρησκεία"_s),
                          book(u"Καζαντζάκης, Νίκος"_s, u"Ζορμπάς"_s, u"ΕΜ Μυθιστόρημα"_s), kDeleted,
                          book(u"Tolkien, J. R. R."_s, u"The Hobbit"_s, u"ΞΜ"_s),
                          book(u"Ελύτης, Οδυσσέας"_s, u"Άξιον Εστί"_s, u"889.1 Ποίηση"_s)});
    before = catalogue.bytes();
  }

  // Runs the command; `choose` sets the dialog and answers Print (true) or Cancel.
  void run(const std::function<bool(LabelsDialog&)>& choose) {
    LabelsCommand command(choose);
    Platform p = platform.platform();
    command.printLabels(catalogue.path(), p, u"Σ-Zelkor 3.2"_s, nullptr);
  }

  template <typename T>
  static T* control(LabelsDialog& d, const char* name) {
    return d.findChild<T*>(QString::fromLatin1(name));
  }

  TempCatalogue catalogue;
  TestPlatform platform;
  QByteArray before;
};

}  // namespace

TEST_F(LabelsCommandTest, PrintsTheChosenBooksSkipsTheDeletedAndRemembersTheLastCode) {
  platform.settings.offset = {0.5, -0.3};
  platform.settings.school = u"1ο Γυμνάσιο Βέροιας"_s;
  platform.dialogs.answer(Dialogs::Answer::Ok);
  run([](LabelsDialog& d) {
    // Opened from the first book never labelled, to the end, with the kept offset and school.
    EXPECT_EQ(control<QSpinBox>(d, "txtFrom")->value(), 1);
    EXPECT_TRUE(control<QCheckBox>(d, "chkToEnd")->isChecked());
    EXPECT_EQ(control<QDoubleSpinBox>(d, "txtOffsetX")->value(), 0.5);
    EXPECT_EQ(control<QLineEdit>(d, "txtSchool")->text(), u"1ο Γυμνάσιο Βέροιας"_s);
    control<QSpinBox>(d, "txtFrom")->setValue(2);
    control<QComboBox>(d, "cboSheet")->setCurrentIndex(2);  // L7651, 5 across
    // A click on the drawing's second row, third column makes it the first free label.
    auto* drawing = control<SheetPreview>(d, "picSheet");
    QPoint at;
    for (int x = 0; x < drawing->width() && at.isNull(); ++x)
      for (int y = 0; y < drawing->height(); ++y)
        if (drawing->labelAt(QPointF(x, y)) == QPoint(2, 3)) {
          at = QPoint(x + 2, y + 2);
          break;
        }
    QTest::mouseClick(drawing, Qt::LeftButton, {}, at);
    EXPECT_EQ(control<QSpinBox>(d, "txtStartRow")->value(), 2);
    EXPECT_EQ(control<QSpinBox>(d, "txtStartColumn")->value(), 3);
    return true;
  });

  ASSERT_EQ(platform.sink.drawings.size(), 1);
  const DrawingJob& job = platform.sink.drawings[0];
  EXPECT_EQ(job.pages, 1);
  EXPECT_EQ(job.pageMm, QSizeF(210, 297));
  const auto messages = platform.dialogs.messages();
  ASSERT_EQ(messages.size(), 1);
  EXPECT_EQ(messages[0].text,
            u"Τυπώθηκαν 3 ετικέτες (κωδικοί 2 έως 5) σε 1 φύλλο. Παραλείφθηκε 1 διαγραμμένη εγγραφή."_s);
  EXPECT_EQ(platform.settings.lastCode, 5);
  EXPECT_EQ(catalogue.bytes(), before);

  // What was drawn: the three books' codes in the eighth, ninth and tenth labels.
  const QString pdf = print(job);
  QStringList codes;
  for (const pdfreadback::Word& w : pdfreadback::words(pdf))
    if (w.text == u"2"_s || w.text == u"4"_s || w.text == u"5"_s) {
      codes.append(w.text);
      const QRectF box = labelSheets()[2].labelRect(7 + int(codes.size()) - 1, {0.5, -0.3});
      EXPECT_TRUE(box.contains(w.mm.center())) << w.text.toStdString();
    }
  EXPECT_EQ(codes, (QStringList{u"2"_s, u"4"_s, u"5"_s}));
  EXPECT_EQ(pdfreadback::barcodes(pdf, 1).size(), 3);
}

// Cancel prints nothing and leaves the last code, but keeps the offset the
// librarian lined the printer up with.
TEST_F(LabelsCommandTest, NextTimeTheDialogStartsAfterTheLastCodeAndACancelPrintsNothing) {
  platform.settings.lastCode = 4;
  run([](LabelsDialog& d) {
    EXPECT_EQ(control<QSpinBox>(d, "txtFrom")->value(), 5);
    control<QDoubleSpinBox>(d, "txtOffsetY")->setValue(0.7);
    return false;
  });
  EXPECT_TRUE(platform.sink.drawings.isEmpty());
  EXPECT_TRUE(platform.dialogs.log().isEmpty());
  EXPECT_EQ(platform.settings.lastCode, 4);
  EXPECT_EQ(platform.settings.offset, QPointF(0, 0.7));
}

// The calibration page prints at once and the dialog stays for the next try;
// the offset typed is kept with the labels.
TEST_F(LabelsCommandTest, TheCalibrationPageDrawsTheGridWithTheOffsetTyped) {
  platform.dialogs.answer(Dialogs::Answer::Ok);
  run([this](LabelsDialog& d) {
    control<QDoubleSpinBox>(d, "txtOffsetX")->setValue(-1.2);
    control<QPushButton>(d, "cmdCalibrate")->click();
    EXPECT_EQ(platform.sink.drawings.size(), 1);
    control<QCheckBox>(d, "chkToEnd")->setChecked(false);
    control<QSpinBox>(d, "txtTo")->setValue(1);
    return true;
  });
  ASSERT_EQ(platform.sink.drawings.size(), 2);
  const LabelLayout layout{labelSheets()[0], 0, {-1.2, 0}};
  EXPECT_EQ(platform.sink.drawings[0].pages, 1);
  const QImage page = pdfreadback::page(print(platform.sink.drawings[0]), 1);
  ASSERT_FALSE(page.isNull());
  const QRectF first = layout.sheet.labelRect(0, layout.offset);
  EXPECT_LT(qGray(page.pixel(qRound(pdfreadback::mmToPixels(first.left())),
                             qRound(pdfreadback::mmToPixels(first.center().y())))),
            128);
  EXPECT_EQ(platform.settings.offset, QPointF(-1.2, 0));
  EXPECT_EQ(platform.settings.lastCode, 1);
  EXPECT_EQ(catalogue.bytes(), before);
}

// A progress box counts the sheets; its Cancel drops the job, and the next
// labels still start where these would have.
TEST_F(LabelsCommandTest, CancelInTheProgressBoxPrintsNothingAndKeepsTheLastCode) {
  platform.dialogs.cancelProgressAt(1);
  run([](LabelsDialog& d) {
    control<QComboBox>(d, "cboSheet")->setCurrentIndex(2);
    control<QSpinBox>(d, "txtStartRow")->setValue(13);  // two sheets: the first has five labels left
    return true;
  });
  EXPECT_TRUE(platform.sink.drawings.isEmpty());
  EXPECT_TRUE(platform.dialogs.messages().isEmpty());
  EXPECT_EQ(platform.dialogs.progressSteps(), QList<qint64>{0});
  EXPECT_EQ(platform.settings.lastCode, 0);
  EXPECT_EQ(catalogue.bytes(), before);
}

TEST_F(LabelsCommandTest, ACustomSheetOffThePageCannotBePrinted) {
  run([](LabelsDialog& d) {
    control<QComboBox>(d, "cboSheet")->setCurrentIndex(int(labelSheets().size()));
    control<QDoubleSpinBox>(d, "txtWidth")->setValue(120);
    EXPECT_FALSE(control<QPushButton>(d, "cmdPrintLabels")->isEnabled());
    EXPECT_FALSE(d.findChild<QLabel*>(u"lblProblem"_s)->text().isEmpty());
    return false;
  });
  EXPECT_TRUE(platform.sink.drawings.isEmpty());
}
