#include "platform/system/SystemPlatform.h"

#include <QGuiApplication>

#include "platform/system/HelpViewer.h"

SystemPlatform::SystemPlatform(const QString& productTitle)
    : m_sink(m_dialogs, m_clock, productTitle.isEmpty() ? QGuiApplication::applicationDisplayName() : productTitle),
      m_help(std::make_unique<HelpViewerEngine>()) {}

SystemPlatform::~SystemPlatform() = default;

Platform SystemPlatform::platform() {
  return Platform{m_dialogs, m_printer, m_clock, *m_help, m_registry, m_launcher, m_files, m_settings};
}
