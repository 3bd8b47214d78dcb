#pragma once

#include "platform/Dialogs.h"

// Real modal message and input boxes with Greek button texts, and the
// system's beep.
class QtDialogs : public Dialogs {
 public:
  Answer message(const QString& text, const QString& title, Buttons buttons, Icon icon, Answer defaultButton) override;
  QString input(const QString& prompt, const QString& title) override;
  SaveChoice saveFile(const QString& title, const QString& suggested, const QStringList& filters) override;
  std::unique_ptr<Progress> progress(const QString& text, const QString& title) override;
  void beep() override;
};
