#pragma once

#include <QString>

#include "platform/Dialogs.h"
#include "platform/PrintDocument.h"
#include "platform/WindowHost.h"

// Answers the searches like a user who types one text and then declines
// every print: the input box gets the text, every question No, every notice
// OK. Keeps counts, not a transcript, so memory stays flat however many
// matches a run meets.
class BenchDialogs : public Dialogs {
 public:
  void typeNext(const QString& text) { m_text = text; }
  void reset() { questions = notices = inputs = 0, lastNotice.clear(); }

  Answer message(const QString& text, const QString&, Buttons buttons, Icon, Answer) override {
    if (buttons == Buttons::Ok) {
      ++notices;
      lastNotice = text;
      return Answer::Ok;
    }
    ++questions;
    return Answer::No;
  }
  QString input(const QString&, const QString&) override {
    ++inputs;
    return m_text;
  }
  SaveChoice saveFile(const QString&, const QString&, const QStringList&, const SaveOption&) override { return {}; }
  void beep() override {}

  long long questions = 0;
  long long notices = 0;
  long long inputs = 0;
  QString lastNotice;

 private:
  QString m_text;
};

class DroppingSink : public PrintSink {
 public:
  void send(const PrintJob&) override { ++jobs; }
  DrawingResult sendDrawing(const DrawingJob&) override {
    ++jobs;
    return {true, false, QString()};
  }
  int jobs = 0;
};

// The benchmark drives one window at a time; going between windows does nothing.
class QuietHost : public WindowHost {
 public:
  void loadRecordWindow() override {}
  void loadPageWindow() override {}
  void unloadRecordWindow() override {}
  void unloadPageWindow() override {}
  void showKeyHelp() override {}
  void showAbout() override {}
  void endProgram() override { ended = true; }
  bool ended = false;
};
