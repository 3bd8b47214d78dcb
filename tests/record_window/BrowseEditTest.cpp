#include "RecordWindowFixture.h"
#include "catalogue/CatalogueRecord.h"

using namespace Qt::StringLiterals;
using Entry = ScriptedDialogs::Entry;

namespace {

QByteArray tilde3Record() {
  return TempCatalogue::record({u"~~~"_s, u"~~~"_s, u"~~~"_s, u"~~~"_s, u"~~~"_s, u"~~~"_s});
}

}  // namespace

TEST_F(RecordWindowTest, NewEmptyFolderShowsRecordOneOfOneAndWritesNothingUntilAsked) {
  open();
  EXPECT_EQ(caption(), u"Σ-Zelkor 3.2: Καταχώριση/Διερεύνηση           Εγγραφή:  1  από  1"_s);
  EXPECT_TRUE(catalogue.exists());
  EXPECT_EQ(catalogue.bytes().size(), 0);
  EXPECT_EQ(focusName(), u"txtEpo"_s);
  for (const char* name : {"txtEpo", "txtOno", "txtAlloi", "txtEkdot", "txtSp"})
    EXPECT_EQ(line(name)->text(), QString());

  platform.dialogs.answer(Dialogs::Answer::Ok).answer(Dialogs::Answer::Ok);
  click("cmdNext");
  click("cmdPrevious");
  const auto& log = platform.dialogs.log();
  ASSERT_EQ(log.size(), 4);
  EXPECT_EQ(log[0].kind, Entry::Kind::Beep);
  EXPECT_EQ(log[1].text, u"Τελευταία Εγγραφή"_s);
  EXPECT_EQ(log[1].title, u"Σ-Zelkor 3.2"_s);
  EXPECT_EQ(log[1].icon, Dialogs::Icon::Exclamation);
  EXPECT_EQ(log[1].buttons, Dialogs::Buttons::Ok);
  EXPECT_EQ(log[2].kind, Entry::Kind::Beep);
  EXPECT_EQ(log[3].text, u"Πρώτη Εγγραφή"_s);
  EXPECT_EQ(catalogue.bytes().size(), 0);
}

TEST_F(RecordWindowTest, NewOnEmptyFileWritesRecordOneThenAnEmptyRecordTwo) {
  open();
  line("txtEpo")->setText(u"Καζαντζάκης"_s);
  click("cmdNew");
  EXPECT_EQ(catalogue.bytes(), TempCatalogue::record({u"Καζαντζάκης"_s}) + QByteArray(350, ' '));
  EXPECT_EQ(caption(), recordCaption(2, 2));
  EXPECT_EQ(line("txtEpo")->text(), QString());
  EXPECT_EQ(focusName(), u"txtEpo"_s);
}

TEST_F(RecordWindowTest, BrowsingShowsTrimmedFieldsAndDiscardsUnsavedTyping) {
  catalogue.setRecords({book(u"  Ρίτσος  "_s, u"Η Σονάτα του Σεληνόφωτος"_s), book(u"Ελύτης"_s)});
  open();
  EXPECT_EQ(line("txtEpo")->text(), u"Ρίτσος"_s);
  EXPECT_EQ(titleBox()->toPlainText(), u"Η Σονάτα του Σεληνόφωτος"_s);
  const QByteArray before = catalogue.bytes();

  line("txtEpo")->setText(u"άλλο"_s);
  click("cmdNext");
  EXPECT_EQ(caption(), recordCaption(2, 2));
  EXPECT_EQ(line("txtEpo")->text(), u"Ελύτης"_s);
  click("cmdPrevious");
  EXPECT_EQ(line("txtEpo")->text(), u"Ρίτσος"_s);
  EXPECT_EQ(catalogue.bytes(), before);
}

TEST_F(RecordWindowTest, SaveWritesTheBoxesAtTheCurrentRecordOnly) {
  catalogue.setRecords({book(u"Α"_s), book(u"Β"_s), book(u"Γ"_s)});
  open();
  click("cmdNext");
  line("txtEpo")->setText(u"  Βάρναλης"_s);
  titleBox()->setPlainText(QString(100, u'τ'));
  platform.dialogs.answer(Dialogs::Answer::Ok);
  click("cmdCorrect");

  const auto messages = platform.dialogs.messages();
  ASSERT_EQ(messages.size(), 1);
  EXPECT_EQ(messages[0].text, u"Η Εγγραφή  2  Καταχωρίσθηκε"_s);
  EXPECT_EQ(messages[0].icon, Dialogs::Icon::Information);
  const QByteArray bytes = catalogue.bytes();
  ASSERT_EQ(bytes.size(), 1050);
  EXPECT_EQ(bytes.mid(350, 350), TempCatalogue::record({u"  Βάρναλης"_s, QString(), QString(100, u'τ')}));
  EXPECT_EQ(bytes.left(350), TempCatalogue::record({u"Α"_s}));
  EXPECT_EQ(bytes.mid(700), TempCatalogue::record({u"Γ"_s}));
  // The boxes are not read back: the typed leading blanks stay visible.
  EXPECT_EQ(line("txtEpo")->text(), u"  Βάρναλης"_s);
}

TEST_F(RecordWindowTest, DeleteAskedYesWritesTheMarkAndNoWritesNothing) {
  catalogue.setRecords({book(u"Α"_s), book(u"Β"_s), book(u"Γ"_s)});
  open();
  click("cmdNext");
  line("txtEpo")->setText(u"χαμένο"_s);
  click("cmdNext");
  click("cmdPrevious");
  line("txtSp")->setFocus();
  platform.dialogs.answer(Dialogs::Answer::No);
  click("cmdDelete");
  EXPECT_EQ(focusName(), u"txtEpo"_s);
  const QByteArray before = catalogue.bytes();
  EXPECT_EQ(before.mid(350, 350), TempCatalogue::record({u"Β"_s}));

  platform.dialogs.clearLog();
  platform.dialogs.answer(Dialogs::Answer::Yes);
  click("cmdDelete");
  const auto messages = platform.dialogs.messages();
  ASSERT_EQ(messages.size(), 1);
  EXPECT_EQ(messages[0].text, u"Θέλετε να Διαγράψετε την Εγγραφή  2 ;"_s);
  EXPECT_EQ(messages[0].buttons, Dialogs::Buttons::YesNo);
  EXPECT_EQ(messages[0].icon, Dialogs::Icon::Question);
  EXPECT_EQ(messages[0].defaultButton, Dialogs::Answer::No);
  const QByteArray after = catalogue.bytes();
  ASSERT_EQ(after.size(), 1050);
  EXPECT_EQ(after.mid(350, 350), tilde3Record());
  EXPECT_EQ(after.left(350), before.left(350));
  EXPECT_EQ(after.mid(700), before.mid(700));
  EXPECT_EQ(line("txtEpo")->text(), u"~~~"_s);
  EXPECT_EQ(caption(), recordCaption(2, 3));
}
