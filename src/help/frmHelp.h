#pragma once

#include <QWidget>

#include "editions/Edition.h"

// The key-help window: a fixed list of the main shortcut keys on a panel,
// with an OK button that closes it. Non-modal; Esc does nothing.
class frmHelp : public QWidget {
  Q_OBJECT

 public:
  explicit frmHelp(const Edition& edition, QWidget* parent = nullptr);

  void Command1_Click();
};
