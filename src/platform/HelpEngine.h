#pragma once

#include <QString>

// Shows a help file in a window of its own without blocking the caller.
class HelpEngine {
 public:
  static constexpr int kContents = 3;  // show the contents topic

  virtual ~HelpEngine() = default;
  virtual void showHelp(const QString& helpFile, int command) = 0;
};
