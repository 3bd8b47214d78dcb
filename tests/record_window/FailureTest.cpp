#include "RecordWindowFixture.h"

using namespace Qt::StringLiterals;

namespace {

// The system's file calls, failing the chosen one.
class FailingIo : public FileIo {
 public:
  enum class Fail { Open, Read, Write };
  FailingIo(Fail fail, int readsBeforeFailing) : m_fail(fail), m_readsLeft(readsBeforeFailing) {}
  bool open(const QString& path, Mode mode) override { return m_fail != Fail::Open && m_io->open(path, mode); }
  void close() override { m_io->close(); }
  bool isOpen() const override { return m_io->isOpen(); }
  qint64 readAt(qint64 offset, char* buffer, qint64 length) override {
    if (m_fail == Fail::Read && m_readsLeft-- <= 0) return -1;
    return m_io->readAt(offset, buffer, length);
  }
  qint64 writeAt(qint64 offset, const char* data, qint64 length) override {
    return m_fail == Fail::Write ? -1 : m_io->writeAt(offset, data, length);
  }
  qint64 size() override { return m_io->size(); }
  bool truncate(qint64 length) override { return m_io->truncate(length); }
  bool sync() override { return m_io->sync(); }
  bool stillAt(const QString& path) override { return m_io->stillAt(path); }
  int lastErrno() const override { return 5; }

 private:
  std::unique_ptr<FileIo> m_io = makeSystemFileIo();
  Fail m_fail;
  int m_readsLeft;
};

class FailingFactory : public FileIoFactory {
 public:
  FailingIo::Fail fail = FailingIo::Fail::Write;
  int readsBeforeFailing = 0;
  std::unique_ptr<FileIo> make() override { return std::make_unique<FailingIo>(fail, readsBeforeFailing); }
};

}  // namespace

class FailureTest : public RecordWindowTest {
 protected:
  void SetUp() override { platform.files = &factory; }
  void expectReportedAndEnded() {
    const auto messages = platform.dialogs.messages();
    ASSERT_EQ(messages.size(), 1);
    EXPECT_TRUE(messages[0].text.endsWith(u"\r\nΤο πρόγραμμα θα τερματιστεί."_s));
    EXPECT_EQ(messages[0].title, u"Σ-Zelkor 3.2"_s);
    EXPECT_EQ(messages[0].icon, Dialogs::Icon::Exclamation);
    EXPECT_EQ(host.calls, QStringList({u"endProgram"_s}));
  }
  FailingFactory factory;
};

TEST_F(FailureTest, AFailedOpenIsReportedAndEndsTheProgram) {
  factory.fail = FailingIo::Fail::Open;
  platform.dialogs.answer(Dialogs::Answer::Ok);
  window = std::make_unique<frmZelkor>(platform.platform(), Edition::librarian(), host);
  host.window = window.get();
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
  factory.fail = FailingIo::Fail::Read;
  factory.readsBeforeFailing = 1;  // showing record 1 succeeds
  open();
  platform.dialogs.type(u"Ω"_s).answer(Dialogs::Answer::Ok);
  window->cmdFindISBN_Click();
  expectReportedAndEnded();
}
