#include <QClipboard>
#include <QGuiApplication>

#include "RecordWindowFixture.h"

using namespace Qt::StringLiterals;

TEST_F(RecordWindowTest, BoxesRefuseCharactersBeyondTheFieldWidth) {
  open();
  typeInto(line("txtEpo"), QString(51, u'α'));
  EXPECT_EQ(line("txtEpo")->text(), QString(50, u'α'));

  titleBox()->setFocus();
  typeInto(titleBox(), QString(101, u'τ'));
  EXPECT_EQ(titleBox()->toPlainText(), QString(100, u'τ'));

  // A line break takes two characters of the title in the file.
  titleBox()->setPlainText(QString(99, u'τ'));
  titleBox()->moveCursor(QTextCursor::End);
  QTest::keyClick(titleBox(), Qt::Key_Return);
  EXPECT_EQ(titleBox()->toPlainText(), QString(99, u'τ'));
  EXPECT_TRUE(platform.printer.isOpen());  // the key map still saw Enter
}

TEST_F(RecordWindowTest, BoxesRefuseCharactersTheCatalogueCannotStoreTypedOrPasted) {
  open();
  typeInto(line("txtEpo"), u"Αβж€"_s);
  EXPECT_EQ(line("txtEpo")->text(), u"Αβ€"_s);
  QGuiApplication::clipboard()->setText(u"Пушкин"_s);
  line("txtEpo")->paste();
  EXPECT_EQ(line("txtEpo")->text(), u"Αβ€"_s);

  titleBox()->setFocus();
  typeInto(titleBox(), u"Τжτ"_s);
  titleBox()->paste();
  EXPECT_EQ(titleBox()->toPlainText(), u"Ττ"_s);
  QGuiApplication::clipboard()->setText(u"λόγος"_s);
  titleBox()->paste();
  EXPECT_EQ(titleBox()->toPlainText(), u"Ττλόγος"_s);
}

TEST_F(RecordWindowTest, AnUntouchedTitleIsSavedByteForByteAndAnEditedOneWithWholeLineBreaks) {
  const QString title = u"Πρώτη\r\nΔεύτερη\u00A0γραμμή\nτρίτη\rτέταρτη"_s;
  catalogue.setRecords({book(u"Α"_s, title)});
  const QByteArray stored = catalogue.bytes();
  open();
  EXPECT_EQ(titleBox()->toPlainText(), u"Πρώτη\nΔεύτερη γραμμή\nτρίτη\nτέταρτη"_s);
  platform.dialogs.answer(Dialogs::Answer::Ok);
  click("cmdCorrect");
  EXPECT_EQ(catalogue.bytes(), stored);

  titleBox()->setFocus();
  titleBox()->moveCursor(QTextCursor::End);
  typeInto(titleBox(), u"!"_s);
  platform.dialogs.answer(Dialogs::Answer::Ok);
  click("cmdCorrect");
  EXPECT_EQ(catalogue.fieldsOf(1).value(2).trimmed(), u"Πρώτη\r\nΔεύτερη\u00A0γραμμή\r\nτρίτη\r\nτέταρτη!"_s);
}
