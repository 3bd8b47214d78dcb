#pragma once

#include <gtest/gtest.h>

#include <QAction>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QTest>
#include <memory>

#include "record_window/frmZelkor.h"
#include "support/FakeHost.h"
#include "support/TempCatalogue.h"
#include "support/TestPlatform.h"

// Failures show texts as texts.
inline void PrintTo(const QString& text, std::ostream* out) { *out << '"' << text.toStdString() << '"'; }

// A record window on a temporary catalogue with the scripted platform.
class RecordWindowTest : public ::testing::Test {
 protected:
  RecordWindowTest() {
    host.unloadRecord = [this] {
      if (window) window->unload();
    };
  }
  void TearDown() override {
    window.reset();
    EXPECT_EQ(platform.dialogs.pending(), 0) << "scripted answers left unused";
  }

  void open(const Edition& edition = Edition::librarian()) {
    window = std::make_unique<frmZelkor>(platform.platform(), edition, host);
    platform.dialogs.watch(window.get());
    window->Form_Load();
    window->show();
    window->activateWindow();
    ASSERT_TRUE(QTest::qWaitForWindowActive(window.get()));
  }

  // Record n's six fields as plain text lines (for catalogues of a few records).
  static QStringList book(const QString& author, const QString& title = QString(),
                          const QString& borrower = QString()) {
    return {author, QString(), title, QString(), QString(), borrower};
  }

  QString caption() const { return window->windowTitle(); }
  static QString recordCaption(int n, int count) { return recordWindowCaption(n, count); }

  QLineEdit* line(const char* name) const { return window->findChild<QLineEdit*>(QLatin1String(name)); }
  QPlainTextEdit* titleBox() const { return window->findChild<QPlainTextEdit*>(QStringLiteral("txtTitlos")); }
  QPushButton* button(const char* name) const { return window->findChild<QPushButton*>(QLatin1String(name)); }
  QAction* item(const char* name) const { return window->findChild<QAction*>(QLatin1String(name)); }
  QString focusName() const { return window->focusWidget() ? window->focusWidget()->objectName() : QString(); }

  void click(const char* name) { QTest::mouseClick(button(name), Qt::LeftButton); }
  // A key as the user presses it: to the control that has the focus.
  void press(int key, Qt::KeyboardModifiers modifiers = Qt::NoModifier) {
    QWidget* target = window->focusWidget() ? window->focusWidget() : window.get();
    if (key >= 0x80 && key <= 0xFFFF)  // a Greek letter: its typed text goes with it
      QTest::sendKeyEvent(QTest::Click, target, Qt::Key(key), QString(QChar(key).toLower()), modifiers);
    else
      QTest::keyClick(target, Qt::Key(key), modifiers);
  }

  // Types each character as a key press of its own, Greek ones included.
  static void typeInto(QWidget* target, const QString& text) {
    for (QChar c : text)
      QTest::sendKeyEvent(QTest::Click, target, Qt::Key(c.toUpper().unicode()), QString(c), Qt::NoModifier);
  }

  QList<ScriptedDialogs::Entry> inputs() const {
    QList<ScriptedDialogs::Entry> result;
    for (const auto& e : platform.dialogs.log())
      if (e.kind == ScriptedDialogs::Entry::Kind::Input) result.append(e);
    return result;
  }
  int beeps() const {
    int n = 0;
    for (const auto& e : platform.dialogs.log()) n += e.kind == ScriptedDialogs::Entry::Kind::Beep;
    return n;
  }

  TempCatalogue catalogue;
  TestPlatform platform;
  FakeHost host;
  std::unique_ptr<frmZelkor> window;
};
