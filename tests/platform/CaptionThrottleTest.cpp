#include <gtest/gtest.h>

#include <QWidget>

#include "../support/ScriptedDialogs.h"
#include "PrintQString.h"
#include "platform/CaptionThrottle.h"

using namespace Qt::StringLiterals;

namespace {

class CaptionThrottleTest : public ::testing::Test {
 protected:
  qint64 clockMs = 1000;
  QWidget window;
  CaptionThrottle caption{window, [this] { return clockMs; }};
};

}  // namespace

TEST_F(CaptionThrottleTest, TextIsAlwaysCurrentTitleAtMostEveryIntervalAndOnFlush) {
  caption.setThrottled(u"Εγγραφή  1"_s);  // the first is pushed at once
  EXPECT_EQ(window.windowTitle(), u"Εγγραφή  1"_s);

  clockMs += 10;
  caption.setThrottled(u"Εγγραφή  2"_s);
  clockMs += 19;
  caption.setThrottled(u"Εγγραφή  3"_s);
  EXPECT_EQ(caption.text(), u"Εγγραφή  3"_s);
  EXPECT_EQ(window.windowTitle(), u"Εγγραφή  1"_s);

  clockMs += 1;  // 30 ms since the last push
  caption.setThrottled(u"Εγγραφή  4"_s);
  EXPECT_EQ(window.windowTitle(), u"Εγγραφή  4"_s);

  clockMs += 5;
  caption.setThrottled(u"Εγγραφή  5"_s);
  EXPECT_EQ(window.windowTitle(), u"Εγγραφή  4"_s);
  caption.flush();
  EXPECT_EQ(window.windowTitle(), u"Εγγραφή  5"_s);

  // set() is never held back, and the interval counts from it.
  caption.set(u"Εγγραφή  9"_s);
  EXPECT_EQ(window.windowTitle(), u"Εγγραφή  9"_s);
  caption.setThrottled(u"Εγγραφή 10"_s);
  EXPECT_EQ(window.windowTitle(), u"Εγγραφή  9"_s);
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
