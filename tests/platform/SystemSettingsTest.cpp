#include <gtest/gtest.h>

#include <QDir>
#include <QFile>
#include <QTemporaryDir>

#include "platform/system/SystemSettings.h"

using namespace Qt::StringLiterals;

namespace {

#ifndef Q_OS_WIN
// The user's and the system-wide settings folders moved into a temporary
// folder, so no test reads or writes the real ones.
class SystemSettingsTest : public ::testing::Test {
 protected:
  void SetUp() override {
    ASSERT_TRUE(root.isValid());
    QSettings::setPath(QSettings::NativeFormat, QSettings::SystemScope, root.filePath(u"xdg"_s));
    QSettings::setPath(QSettings::NativeFormat, QSettings::UserScope, root.filePath(u"home"_s));
  }
  void write(const QString& scope, const QByteArray& text) {
    ASSERT_TRUE(QDir(root.path()).mkpath(scope + u"/Lomira"_s));
    QFile file(root.filePath(scope + u"/Lomira/Lomira.conf"_s));
    ASSERT_TRUE(file.open(QIODevice::WriteOnly));
    file.write(text);
  }

  QTemporaryDir root;
};

TEST_F(SystemSettingsTest, TheSystemWideFileTurnsItOnForEveryUserWhoHasNotChosen) {
  EXPECT_FALSE(SystemSettings().forgivingSearch());
  write(u"xdg"_s, "[search]\nforgiving=true\n");
  EXPECT_TRUE(SystemSettings().forgivingSearch());

  EXPECT_TRUE(SystemSettings().setForgivingSearch(false));
  EXPECT_FALSE(SystemSettings().forgivingSearch()) << "the user's choice is kept and wins";
  EXPECT_TRUE(QFile::exists(root.filePath(u"home/Lomira/Lomira.conf"_s)));
}

TEST_F(SystemSettingsTest, ATypoInTheSystemWideFileDoesNotMakeASavedChoiceLookLost) {
  write(u"xdg"_s, "[search\nforgiving=true\n");
  SystemSettings settings;
  EXPECT_TRUE(settings.setForgivingSearch(true));
  EXPECT_TRUE(SystemSettings().forgivingSearch());
}

// The labels' choices come back as kept; a technician's typo in the offset
// counts as no offset rather than a shift of the whole sheet.
TEST_F(SystemSettingsTest, TheLabelsChoicesAreKeptAndAnUnreadableOffsetIsNone) {
  SystemSettings settings;
  EXPECT_EQ(settings.labelOffset(), QPointF());
  EXPECT_EQ(settings.lastLabelCode(), 0);
  EXPECT_TRUE(settings.setLabelOffset({1.5, -0.25}));
  EXPECT_TRUE(settings.setLastLabelCode(1200));
  EXPECT_TRUE(settings.setSchoolName(u"2ο Γυμνάσιο Καβάλας"_s));
  const SystemSettings later;
  EXPECT_EQ(later.labelOffset(), QPointF(1.5, -0.25));
  EXPECT_EQ(later.lastLabelCode(), 1200);
  EXPECT_EQ(later.schoolName(), u"2ο Γυμνάσιο Καβάλας"_s);
  write(u"home"_s, "[labels]\noffsetX=1,5mm\noffsetY=nan\nlastCode=-3\n");
  EXPECT_EQ(SystemSettings().labelOffset(), QPointF());
  EXPECT_EQ(SystemSettings().lastLabelCode(), 0);
}

TEST_F(SystemSettingsTest, AChoiceThatCannotBeWrittenHoldsForTheRun) {
  write(u"home"_s, "");
  ASSERT_TRUE(QFile::remove(root.filePath(u"home/Lomira/Lomira.conf"_s)));
  ASSERT_TRUE(QDir(root.filePath(u"home/Lomira"_s)).mkdir(u"Lomira.conf"_s));  // a folder where the file belongs
  SystemSettings settings;
  EXPECT_FALSE(settings.setForgivingSearch(true));
  EXPECT_TRUE(settings.forgivingSearch());
}
#else
// On Windows the choice lives in the registry at Software\Lomira\Lomira: the
// user's under HKEY_CURRENT_USER, a whole computer's under HKEY_LOCAL_MACHINE,
// where a technician may also put the number 1 with regedit or reg.exe.
class RegistrySettingsTest : public ::testing::Test {
 protected:
  static QString key(const char* root) { return QString::fromLatin1(root) + u"\\Software\\Lomira\\Lomira"_s; }
  void TearDown() override {
    for (const char* root : {"HKEY_CURRENT_USER", "HKEY_LOCAL_MACHINE"})
      QSettings(key(root), QSettings::NativeFormat).remove(u"search"_s);
  }
};

TEST_F(RegistrySettingsTest, TheMachineValueHoldsForEveryUserWhoHasNotChosen) {
  EXPECT_FALSE(SystemSettings().forgivingSearch());
  QSettings(key("HKEY_LOCAL_MACHINE"), QSettings::NativeFormat).setValue(u"search/forgiving"_s, 1);
  EXPECT_TRUE(SystemSettings().forgivingSearch());

  EXPECT_TRUE(SystemSettings().setForgivingSearch(false));
  EXPECT_FALSE(SystemSettings().forgivingSearch()) << "the user's choice is kept and wins";
  EXPECT_EQ(QSettings(key("HKEY_CURRENT_USER"), QSettings::NativeFormat).value(u"search/forgiving"_s).toString(),
            u"false"_s);
  EXPECT_EQ(QSettings(key("HKEY_LOCAL_MACHINE"), QSettings::NativeFormat).value(u"search/forgiving"_s).toInt(), 1)
      << "the machine's value is left";
}
#endif

}  // namespace
