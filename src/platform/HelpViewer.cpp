#include "platform/HelpViewer.h"

#include <QTextBrowser>

HelpViewerEngine::HelpViewerEngine() = default;

HelpViewerEngine::~HelpViewerEngine() { delete m_window; }

void HelpViewerEngine::showHelp(const QString& helpFile, int command) {
  Q_UNUSED(helpFile);
  Q_UNUSED(command);
}
