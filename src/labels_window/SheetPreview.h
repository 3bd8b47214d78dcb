#pragma once

#include <QWidget>
#include <functional>

#include "labels/LabelPages.h"

// The first sheet drawn small, as it will print; a click on a label makes it
// the first free one.
class SheetPreview : public QWidget {
  Q_OBJECT

 public:
  using Clicked = std::function<void(int row, int column)>;
  explicit SheetPreview(Clicked clicked, QWidget* parent = nullptr);

  void show(const LabelLayout& layout, const QList<LabelText>& labels);
  // The label under a point of the widget, counted from 1; {0, 0} when none.
  QPoint labelAt(QPointF point) const;

 protected:
  void paintEvent(QPaintEvent* event) override;
  void mousePressEvent(QMouseEvent* event) override;

 private:
  QTransform pageToWidget() const;

  Clicked m_clicked;
  LabelLayout m_layout;
  QList<LabelText> m_labels;
};
