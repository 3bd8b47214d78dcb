#pragma once

#include <QStringList>
#include <functional>

#include "platform/WindowHost.h"

// Stands in for the application object: logs what a window asks of it, and
// acts like it where the window relies on the answer: unloading the page
// window and ending the program unload the windows under test.
class FakeHost : public WindowHost {
 public:
  void loadRecordWindow() override { calls.append(QStringLiteral("loadRecordWindow")); }
  void loadPageWindow() override { calls.append(QStringLiteral("loadPageWindow")); }
  void unloadRecordWindow() override { calls.append(QStringLiteral("unloadRecordWindow")); }
  void unloadPageWindow() override {
    calls.append(QStringLiteral("unloadPageWindow"));
    if (unloadPage) unloadPage();
  }
  void showKeyHelp() override { calls.append(QStringLiteral("showKeyHelp")); }
  void showAbout() override { calls.append(QStringLiteral("showAbout")); }
  void endProgram() override {
    calls.append(QStringLiteral("endProgram"));
    if (unloadRecord) unloadRecord();
    if (unloadPage) unloadPage();
  }

  QStringList calls;
  // How to unload the window under test, set by its fixture.
  std::function<void()> unloadRecord;
  std::function<void()> unloadPage;
};
