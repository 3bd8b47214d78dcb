#include "RecordWindowFixture.h"
#include "support/FaultyFileIo.h"

using namespace Qt::StringLiterals;

class FailureTest : public RecordWindowTest {
 protected:
  void SetUp() override {
    factory.failEvery(FaultyFileIoFactory::Kind::Write);
    platform.files = &factory;
  }
  void expectReportedAndEnded() {
    const auto messages = platform.dialogs.messages();
    ASSERT_EQ(messages.size(), 1);
    EXPECT_TRUE(messages[0].text.endsWith(u"\r\nΤο πρόγραμμα θα τερματιστεί."_s));
    EXPECT_EQ(messages[0].title, u"Σ-Zelkor 3.2"_s);
    EXPECT_EQ(messages[0].icon, Dialogs::Icon::Exclamation);
    EXPECT_EQ(host.calls, QStringList({u"endProgram"_s}));
  }
  FaultyFileIoFactory factory;
};

TEST_F(FailureTest, AFailedOpenIsReportedAndEndsTheProgram) {
  factory.failEvery(FaultyFileIoFactory::Kind::Open);
  platform.dialogs.answer(Dialogs::Answer::Ok);
  window = std::make_unique<frmZelkor>(platform.platform(), Edition::librarian(), host);
  window->Form_Load();
  expectReportedAndEnded();
}

TEST_F(FailureTest, AFailedSaveIsReportedInsteadOfTheConfirmation) {
  catalogue.setRecords({book(u"Α"_s)});
  open();
  platform.dialogs.answer(Dialogs::Answer::Ok);
  click("cmdCorrect");
  expectReportedAndEnded();
  EXPECT_EQ(catalogue.bytes(), TempCatalogue::record({u"Α"_s}));
}

TEST_F(FailureTest, AFailedNewRecordStopsBeforeWritingTheEmptyRecord) {
  catalogue.setRecords({book(u"Α"_s)});
  open();
  platform.dialogs.answer(Dialogs::Answer::Ok);
  window->cmdNew_Click();
  expectReportedAndEnded();
  EXPECT_EQ(catalogue.bytes().size(), 350);
}

TEST_F(FailureTest, AFailedReadDuringAScanIsReportedAndTheSearchStops) {
  QList<QStringList> records;
  for (int i = 0; i < 4; ++i) records.append(book(u"Α"_s));
  catalogue.setRecords(records);
  factory.failEvery(FaultyFileIoFactory::Kind::Read, 1);  // showing record 1 succeeds
  open();
  platform.dialogs.type(u"Ω"_s).answer(Dialogs::Answer::Ok);
  window->cmdFindISBN_Click();
  expectReportedAndEnded();
}
