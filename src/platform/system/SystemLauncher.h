#pragma once

#include "platform/Launcher.h"

// Starts programs as processes of their own and looks at files.
class SystemLauncher : public Launcher {
 public:
  bool start(const QString& path) override;
  bool fileExists(const QString& path) override;
};
