#pragma once

#include <memory>

#include "catalogue/file/FileIo.h"
#include "platform/Clock.h"
#include "platform/Platform.h"
#include "platform/PrintDocument.h"
#include "platform/system/QtDialogs.h"
#include "platform/system/QtPrintSink.h"
#include "platform/system/SystemLauncher.h"
#include "platform/system/SystemRegistry.h"
#include "platform/system/SystemSettings.h"

class HelpViewerEngine;

// The real Platform bundle: Qt's boxes, the system's printer (or PDF files),
// the clock, our help viewer, the registry, program start, file access and
// the user's settings.
// Needs a running QApplication; lives as long as the windows that use it.
class SystemPlatform {
 public:
  // `productTitle` heads the box that reports a failed print job; when empty
  // the application's display name stands in.
  explicit SystemPlatform(const QString& productTitle = QString());
  ~SystemPlatform();

  Platform platform();

 private:
  QtDialogs m_dialogs;
  SystemClock m_clock;
  QtPrintSink m_sink;
  PrintDocument m_printer{m_sink};
  std::unique_ptr<HelpViewerEngine> m_help;
  SystemRegistry m_registry;
  SystemLauncher m_launcher;
  SystemFileIoFactory m_files;
  SystemSettings m_settings;
};
