#pragma once

#include <QString>

class QWidget;
struct Platform;

// Prints spine labels of the catalogue's books, asking which and how in a
// dialog of its own. The librarian's program supplies one, the students'
// program none, so that only the first carries the labels and the barcode
// library.
class LabelPrinter {
 public:
  virtual ~LabelPrinter() = default;
  // Labels of the catalogue file at `cataloguePath`, its boxes titled with
  // `productTitle`; the dialog is a child of `parent`.
  virtual void printLabels(const QString& cataloguePath, Platform& platform, const QString& productTitle,
                           QWidget* parent) = 0;
};
