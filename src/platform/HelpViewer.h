#pragma once

#include <QPointer>
#include <QString>
#include <QStringList>

#include "platform/HelpEngine.h"

class QTextBrowser;

// Our own help engine: finds the help file, reads it and shows its contents
// topic in one non-modal window, brought forward when asked again.
class HelpViewerEngine : public HelpEngine {
 public:
  HelpViewerEngine();
  ~HelpViewerEngine() override;
  void showHelp(const QString& helpFile, int command) override;

 private:
  QPointer<QTextBrowser> m_window;
};
