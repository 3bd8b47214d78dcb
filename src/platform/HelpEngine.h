#pragma once

#include <QString>

// Shows a help file in a window of its own without blocking the caller.
class HelpEngine {
 public:
  static constexpr int kContents = 3;  // show the contents topic

  virtual ~HelpEngine() = default;
  virtual void showHelp(const QString& helpFile, int command) = 0;
};

// Each main window's invisible common-dialog component: the help file name
// and the help command are set on every call, then help is shown.
class CommonDialog {
 public:
  explicit CommonDialog(HelpEngine& engine) : m_engine(engine) {}
  QString HelpFile;
  int HelpCommand = 0;
  void ShowHelp() { m_engine.showHelp(HelpFile, HelpCommand); }

 private:
  HelpEngine& m_engine;
};
