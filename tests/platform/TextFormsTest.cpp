#include <gtest/gtest.h>

#include "platform/Clock.h"
#include "platform/widgets/NumberForm.h"
#include "support/PrintQString.h"

using namespace Qt::StringLiterals;

TEST(TextForms, SignPositionIsABlankOrTheMinus) {
  EXPECT_EQ(signPos(0), u" 0"_s);
  EXPECT_EQ(signPos(5), u" 5"_s);
  EXPECT_EQ(signPos(32767), u" 32767"_s);
  EXPECT_EQ(signPos(2147483647), u" 2147483647"_s);
  EXPECT_EQ(signPos(-3), u"-3"_s);
}

TEST(TextForms, PrintedDateIsDayMonthFullYearWithTheLocaleSeparator) {
  const QDate date(2026, 12, 6);
  EXPECT_EQ(printedDate(date, QLocale::c()), u"6/12/2026"_s);
  EXPECT_EQ(printedDate(date, QLocale(QLocale::Greek, QLocale::Greece)), u"6/12/2026"_s);
  EXPECT_EQ(printedDate(date, QLocale(QLocale::German, QLocale::Germany)), u"6.12.2026"_s);
  EXPECT_EQ(printedDate(QDate(2003, 3, 5), QLocale(QLocale::German, QLocale::Germany)), u"5.3.2003"_s);
  EXPECT_EQ(printedDate(QDate(987, 1, 2), QLocale::c()), u"2/1/0987"_s);
}

TEST(TextForms, PrintedTimeIsTwoDigitHourAndMinuteWithTheLocaleSeparator) {
  EXPECT_EQ(printedTime(QTime(8, 57), QLocale::c()), u"08:57"_s);
  EXPECT_EQ(printedTime(QTime(14, 7), QLocale(QLocale::German, QLocale::Germany)), u"14:07"_s);
  EXPECT_EQ(printedTime(QTime(0, 0), QLocale(QLocale::Greek, QLocale::Greece)), u"00:00"_s);
  // A locale that writes times as "14.07", even with a 12-hour pattern.
  EXPECT_EQ(printedTime(QTime(14, 7), QLocale(QLocale::Finnish, QLocale::Finland)), u"14.07"_s);
  EXPECT_EQ(printedTime(QTime(23, 59), QLocale(QLocale::English, QLocale::UnitedStates)), u"23:59"_s);
}
