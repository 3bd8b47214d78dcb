#include <gtest/gtest.h>

#include <QWidget>

#include "platform/widgets/CaptionFlushingDialogs.h"
#include "support/PrintQString.h"
#include "support/ScriptedDialogs.h"
#include "support/TestPlatform.h"

using namespace Qt::StringLiterals;

namespace {

class CaptionThrottleTest : public ::testing::Test {
 protected:
  FixedClock clock = [] {
    FixedClock c;
    c.steady = 1000;
    return c;
  }();
  qint64& clockMs = clock.steady;
  QWidget window;
  CaptionThrottle caption{window, clock};
};

}  // namespace

TEST_F(CaptionThrottleTest, TextIsAlwaysCurrentTitleAtMostEveryIntervalAndOnFlush) {
  caption.setThrottled(u"Εγγραφή  1"_s);  // the first is pushed at once
  EXPECT_EQ(window.windowTitle(), u"Εγγραφή  1"_s);

  // Within the interval nothing reaches the window, however many records pass.
  clockMs += 29;
  for (int i = 2; i <= 300; ++i) caption.setThrottled(QString::number(i));
  EXPECT_EQ(caption.text(), u"300"_s);
  EXPECT_EQ(window.windowTitle(), u"Εγγραφή  1"_s);

  // Once it has passed, one of the next few dozen records is pushed.
  clockMs += 1;
  int pushedAt = 0;
  for (int i = 301; i <= 500 && pushedAt == 0; ++i) {
    caption.setThrottled(QString::number(i));
    if (window.windowTitle() == QString::number(i)) pushedAt = i;
  }
  EXPECT_GT(pushedAt, 300);
  EXPECT_LE(pushedAt, 364);

  caption.setThrottled(u"Εγγραφή  5"_s);
  EXPECT_NE(window.windowTitle(), u"Εγγραφή  5"_s);
  caption.flush();
  EXPECT_EQ(window.windowTitle(), u"Εγγραφή  5"_s);

  // set() is never held back, and the interval counts from it.
  caption.set(u"Εγγραφή  9"_s);
  EXPECT_EQ(window.windowTitle(), u"Εγγραφή  9"_s);
  caption.setThrottled(u"Εγγραφή 10"_s);
  EXPECT_EQ(window.windowTitle(), u"Εγγραφή  9"_s);
}

TEST_F(CaptionThrottleTest, AMadeCaptionIsMadeOnlyWhenSomeoneSeesIt) {
  int made = 0;
  auto progress = [&made](int n) {
    return CaptionThrottle::Maker([&made, n] {
      ++made;
      return u"Διερευνώ Εγγραφή: "_s + QString::number(n);
    });
  };
  caption.setThrottled(progress(1));  // pushed at once
  EXPECT_EQ(made, 1);
  for (int n = 2; n <= 1000; ++n) caption.setThrottled(progress(n));
  EXPECT_EQ(made, 1) << "captions nobody saw were made";
  EXPECT_EQ(caption.text(), u"Διερευνώ Εγγραφή: 1000"_s);
  EXPECT_EQ(made, 2);
  caption.flush();
  EXPECT_EQ(window.windowTitle(), u"Διερευνώ Εγγραφή: 1000"_s);
  EXPECT_EQ(made, 2);

  // A plain text replaces a caption not yet made.
  caption.setThrottled(progress(1001));
  caption.set(u"Εγγραφή:  7"_s);
  EXPECT_EQ(caption.text(), u"Εγγραφή:  7"_s);
  EXPECT_EQ(made, 2);
}

TEST_F(CaptionThrottleTest, FlushWithNothingPendingLeavesATitleSetElsewhere) {
  caption.set(u"α"_s);
  window.setWindowTitle(u"άλλος"_s);
  caption.flush();
  EXPECT_EQ(window.windowTitle(), u"άλλος"_s);
}

TEST_F(CaptionThrottleTest, BoxesSeeTheCurrentCaption) {
  ScriptedDialogs inner;
  inner.watch(&window);
  CaptionFlushingDialogs dialogs(inner, caption);
  inner.answer(Dialogs::Answer::Ok).type(u"κείμενο"_s);

  caption.setThrottled(u"Εγγραφή  1"_s);
  caption.setThrottled(u"Εγγραφή  2"_s);
  dialogs.message(u"μήνυμα"_s, u"T"_s, Dialogs::Buttons::Ok, Dialogs::Icon::Information, Dialogs::Answer::Ok);
  caption.setThrottled(u"Εγγραφή  3"_s);
  EXPECT_EQ(dialogs.input(u"Βρες:"_s, u"T"_s), u"κείμενο"_s);
  dialogs.beep();

  ASSERT_EQ(inner.log().size(), 3);
  EXPECT_EQ(inner.log()[0].caption, u"Εγγραφή  2"_s);
  EXPECT_EQ(inner.log()[1].caption, u"Εγγραφή  3"_s);
  EXPECT_EQ(inner.log()[2].kind, ScriptedDialogs::Entry::Kind::Beep);
}
