#include <gtest/gtest.h>

#include "help/frmAbout.h"
#include "support/TestPlatform.h"

using namespace Qt::StringLiterals;

namespace {

const QString kInfoKey = u"SOFTWARE\\Microsoft\\Shared Tools\\MSINFO"_s;
const QString kLocationKey = u"SOFTWARE\\Microsoft\\Shared Tools Location"_s;
const QString kUnavailable = u"System Information Is Unavailable At This Time"_s;

class SystemInfo : public ::testing::Test {
 protected:
  void expectUnavailableMessage() {
    const auto messages = test.dialogs.messages();
    ASSERT_EQ(messages.size(), 1);
    EXPECT_EQ(messages[0].text, kUnavailable);
    EXPECT_EQ(messages[0].title, u"Zelkor"_s);
    EXPECT_EQ(messages[0].buttons, Dialogs::Buttons::Ok);
    EXPECT_EQ(messages[0].icon, Dialogs::Icon::None);
  }

  TestPlatform test;
  frmAbout about{test.platform(), Edition::librarian()};
};

// What the user gets from the System Info button: the program started, or the
// box that says it cannot be; and no registry key is left open.
TEST_F(SystemInfo, PathValueStartsThatProgramBeforeTheLocation) {
  test.registry.setString(kInfoKey, u"PATH"_s, QByteArray("C:\\Tools\\msinfo32.exe", 22));  // with its zero
  test.registry.setString(kLocationKey, u"MSINFO"_s, QByteArray("C:\\Other\0", 9));
  test.launcher.startable.insert(u"C:\\Tools\\msinfo32.exe"_s);

  about.StartSysInfo();

  EXPECT_EQ(test.launcher.started, QStringList{u"C:\\Tools\\msinfo32.exe"_s});
  EXPECT_EQ(test.registry.openHandles, 0);
  EXPECT_TRUE(test.dialogs.log().isEmpty());
}

TEST_F(SystemInfo, WithoutPathTheProgramInTheLocationDirectoryIsStarted) {
  test.registry.setString(kLocationKey, u"MSINFO"_s, QByteArray("C:\\Shared\\MSINFO\0", 17));
  const QString program = u"C:\\Shared\\MSINFO\\MSINFO32.EXE"_s;
  test.launcher.files.insert(program);
  test.launcher.startable.insert(program);

  about.StartSysInfo();

  EXPECT_EQ(test.launcher.started, QStringList{program});
  EXPECT_EQ(test.registry.openHandles, 0);
  EXPECT_TRUE(test.dialogs.log().isEmpty());
}

// No program in the location's folder, a path naming a missing program, neither key.
TEST_F(SystemInfo, NoProgramToStartIsReported) {
  struct Case {
    QString key, name;
    QByteArray value;
    QStringList started;
  };
  const Case cases[] = {
      {kLocationKey, u"MSINFO"_s, QByteArray("C:\\Shared\\MSINFO\0", 17), {}},
      {kInfoKey, u"PATH"_s, QByteArray("C:\\Gone\\msinfo32.exe\0", 21), {u"C:\\Gone\\msinfo32.exe"_s}},
      {},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.value.constData());
    TestPlatform fresh;
    if (!c.key.isEmpty()) fresh.registry.setString(c.key, c.name, c.value);
    fresh.dialogs.answer(Dialogs::Answer::Ok);
    frmAbout(fresh.platform(), Edition::librarian()).StartSysInfo();
    EXPECT_EQ(fresh.launcher.started, c.started);
    const auto messages = fresh.dialogs.messages();
    ASSERT_EQ(messages.size(), 1);
    EXPECT_EQ(messages[0].text, kUnavailable);
    EXPECT_EQ(fresh.registry.openHandles, 0);
  }
}

TEST_F(SystemInfo, KeyWithoutTheValueFallsBackToTheLocation) {
  test.registry.setString(kInfoKey, u"Other"_s, QByteArray("x\0", 2));
  test.registry.setString(kLocationKey, u"MSINFO"_s, QByteArray("D:\\Info\0", 8));
  test.launcher.files.insert(u"D:\\Info\\MSINFO32.EXE"_s);
  test.launcher.startable.insert(u"D:\\Info\\MSINFO32.EXE"_s);

  about.StartSysInfo();

  EXPECT_EQ(test.launcher.started, QStringList{u"D:\\Info\\MSINFO32.EXE"_s});
  EXPECT_EQ(test.registry.openHandles, 0);
}

TEST_F(SystemInfo, GetKeyValueReadsStrings) {
  test.registry.setString(u"K"_s, u"zero"_s, QByteArray("abc\0", 4));
  test.registry.setString(u"K"_s, u"bare"_s, QByteArray("abc"));
  test.registry.setString(u"K"_s, u"greek"_s, QString(u"Βιβλία"_s).toLocal8Bit() + '\0');
  for (const QString& name : {u"zero"_s, u"bare"_s, u"greek"_s}) {
    SCOPED_TRACE(name.toStdString());
    QString value = u"previous"_s;
    EXPECT_TRUE(about.GetKeyValue(Registry::kLocalMachine, u"K"_s, name, value));
    EXPECT_EQ(value, name == u"greek"_s ? u"Βιβλία"_s : u"abc"_s);
  }
  EXPECT_EQ(test.registry.openHandles, 0);
}

TEST_F(SystemInfo, GetKeyValueAppendsNumbersInHexMostSignificantByteFirst) {
  struct Case {
    std::uint32_t number;
    QString before;
    QString text;
  };
  // A zero top byte is dropped like a string's terminating zero; a zero byte
  // inside the number keeps both digits. The digits follow the caller's text.
  const Case cases[] = {{0x01000002u, QString(), u"&h01000002"_s},
                        {0x00010203u, u"previous"_s, u"&hprevious010203"_s},
                        {0xA0B0C0D0u, u"7"_s, u"&h7A0B0C0D0"_s}};
  for (const Case& c : cases) {
    SCOPED_TRACE(c.text.toStdString());
    test.registry.setDword(u"K"_s, u"n"_s, c.number);
    QString value = c.before;
    EXPECT_TRUE(about.GetKeyValue(Registry::kLocalMachine, u"K"_s, u"n"_s, value));
    EXPECT_EQ(value, c.text);
  }
  EXPECT_EQ(test.registry.openHandles, 0);
}

// Every value reads as an expandable string (type 2), which the About box
// does not convert.
class ExpandableStringRegistry : public Registry {
 public:
  long openKey(Key, const QString&, std::uint32_t, Key* result) override {
    *result = 7;
    return 0;
  }
  long queryValue(Key, const QString&, std::uint32_t* type, char* buffer, std::uint32_t* size) override {
    const QByteArray data("%SystemRoot%\\msinfo32.exe", 26);
    *type = 2;
    std::copy(data.begin(), data.end(), buffer);
    *size = std::uint32_t(data.size());
    return 0;
  }
  long closeKey(Key key) override {
    closed.append(key);
    return 0;
  }
  QList<Key> closed;
};

TEST_F(SystemInfo, ValueOfAnotherTypeIsReadButLeavesTheTextAsItWas) {
  ExpandableStringRegistry registry;
  Platform platform = test.platform();
  frmAbout box{Platform{platform.dialogs, platform.printer, platform.clock, platform.help, registry, platform.launcher,
                        platform.files, platform.settings},
               Edition::librarian()};
  QString value = u"previous"_s;
  EXPECT_TRUE(box.GetKeyValue(Registry::kLocalMachine, kInfoKey, u"PATH"_s, value));
  EXPECT_EQ(value, u"previous"_s);

  // So the button has no path to start and says so.
  test.dialogs.answer(Dialogs::Answer::Ok);
  box.StartSysInfo();
  EXPECT_EQ(test.launcher.started, QStringList{QString()});
  expectUnavailableMessage();
  EXPECT_EQ(registry.closed, (QList<Registry::Key>{7, 7}));
}

TEST_F(SystemInfo, GetKeyValueFailuresEmptyTheValueAndLeaveNoKeyOpen) {
  test.registry.setString(u"K"_s, u"huge"_s, QByteArray(2000, 'x'));
  struct Case {
    Registry::Key root;
    QString key;
    QString name;
  };
  const Case cases[] = {{Registry::kLocalMachine, u"Missing"_s, u"n"_s},
                        {Registry::kLocalMachine, u"K"_s, u"missing"_s},
                        {Registry::kLocalMachine, u"K"_s, u"huge"_s},
                        {0x80000001u, u"K"_s, u"huge"_s}};
  for (const Case& c : cases) {
    SCOPED_TRACE((c.key + u'/' + c.name).toStdString());
    QString value = u"previous"_s;
    EXPECT_FALSE(about.GetKeyValue(c.root, c.key, c.name, value));
    EXPECT_TRUE(value.isEmpty());
    EXPECT_EQ(test.registry.openHandles, 0);
  }
}

}  // namespace
