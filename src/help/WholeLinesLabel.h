#pragma once

#include <QLabel>

// A label that shows each of its lines whole: a line too wide for the label
// is drawn in a narrower, then a smaller, form of the label's font, just
// enough to fit, and the lines share the label's height when their own
// spacing would overflow it.
// The text stays as set, for the tests and for screen readers.
class WholeLinesLabel : public QLabel {
  Q_OBJECT
 public:
  explicit WholeLinesLabel(QWidget* parent = nullptr) : QLabel(parent) {}

  QStringList lines() const;
  // The font a line is drawn in.
  QFont lineFont(const QString& line) const;
  // The height each line is given.
  int lineStep() const;

 protected:
  void paintEvent(QPaintEvent* event) override;
};
