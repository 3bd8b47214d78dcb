#include <gtest/gtest.h>

#include <QFile>

#include "labels/SpineText.h"

using namespace Qt::StringLiterals;

// Authors and number-and-subject texts as librarians type them, with the
// spine text each should give, from a table kept apart from the code.
TEST(SpineTextTest, EveryRowOfTheTableGivesItsSpineText) {
  QFile table(QStringLiteral(LOMIRA_SOURCE_DIR "/tests/data/spine-text.tsv"));
  ASSERT_TRUE(table.open(QIODevice::ReadOnly | QIODevice::Text));
  int rows = 0;
  for (const QString& line : QString::fromUtf8(table.readAll()).split(u'\n')) {
    if (line.isEmpty() || line.startsWith(u'#')) continue;
    const QStringList cells = line.split(u'\t');
    ASSERT_EQ(cells.size(), 3) << line.toStdString();
    EXPECT_EQ(spineTextOf(cells[0], cells[1]).line(), cells[2]) << line.toStdString();
    ++rows;
  }
  EXPECT_GE(rows, 15);
}
