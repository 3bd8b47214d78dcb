#pragma once

#include "platform/Dialogs.h"

// Real modal message and input boxes with Greek button texts, the file
// dialogs, the column choice of an import, and the system's beep.
class QtDialogs : public Dialogs {
 public:
  Answer message(const QString& text, const QString& title, Buttons buttons, Icon icon, Answer defaultButton) override;
  QString input(const QString& prompt, const QString& title) override;
  SaveChoice saveFile(const QString& title, const QString& suggested, const QStringList& filters,
                      const SaveOption& option = {}) override;
  QString openFile(const QString& title, const QString& folder, const QStringList& filters) override;
  std::optional<ColumnChoice> chooseColumns(const ColumnsQuestion& question, const QString& title) override;
  std::unique_ptr<Progress> progress(const QString& text, const QString& title) override;
  void beep() override;
};
