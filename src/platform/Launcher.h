#pragma once

#include <QString>

// Starting programs and looking at files, for the system-information button.
class Launcher {
 public:
  virtual ~Launcher() = default;
  // True when the program at `path` was started (not waited for).
  virtual bool start(const QString& path) = 0;
  // True when `path` names an existing normal file.
  virtual bool fileExists(const QString& path) = 0;
};
