#pragma once

#include <functional>

#include "labels_window/LabelsDialog.h"
#include "platform/LabelPrinter.h"

// The librarian's LabelPrinter: the "Ετικέτες" dialog over the catalogue
// opened for reading only, the pages through the program's printer, and one
// box that says what was printed.
class LabelsCommand : public LabelPrinter {
 public:
  // Shows the dialog and answers whether the librarian chose to print; the
  // tests answer in its place.
  using Ask = std::function<bool(LabelsDialog& dialog)>;
  explicit LabelsCommand(Ask ask = [](LabelsDialog& dialog) { return dialog.exec() == QDialog::Accepted; })
      : m_ask(std::move(ask)) {}

  void printLabels(const QString& cataloguePath, Platform& platform, const QString& productTitle,
                   QWidget* parent) override;

 private:
  Ask m_ask;
};
