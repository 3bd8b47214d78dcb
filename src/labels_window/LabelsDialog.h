#pragma once

#include <QDialog>
#include <QList>
#include <functional>

#include "labels/LabelPages.h"

class QCheckBox;
class QComboBox;
class QDoubleSpinBox;
class QLabel;
class QLineEdit;
class QPushButton;
class QSpinBox;
class SheetPreview;

// What the librarian chose: which books, on which sheet, from which label,
// with the printer's offset and the school's name.
struct LabelRequest {
  qint32 from = 1;
  qint32 to = 1;  // the catalogue's last code when "to the end" is ticked
  LabelLayout layout;
  QString school;
};

// "Ετικέτες": the books (a range of codes, or from a code to the end), the
// sheet (a preset or custom measurements), the first free label (numbers or
// a click on the drawing of the sheet), the printer's offset and the
// school's name, with the first sheet drawn as it will print.
class LabelsDialog : public QDialog {
  Q_OBJECT

 public:
  // The first labels from `from` to `to`, at most `limit`, for the drawing.
  using PreviewLabels = std::function<QList<LabelText>(qint32 from, qint32 to, int limit)>;
  // Prints the calibration page of a layout; the dialog stays open.
  using Calibrate = std::function<void(const LabelLayout&)>;

  LabelsDialog(const LabelRequest& initial, qint32 recordCount, PreviewLabels preview, Calibrate calibrate,
               QWidget* parent = nullptr);

  LabelRequest request() const;
  // The first free label, counted from 1; a click on the drawing sets it.
  void setStart(int row, int column);
  // A preset by its name; a sheet without one is the custom sheet.
  void setSheet(const LabelSheet& sheet);

 private:
  LabelSheet sheet() const;
  void showSheet(int preset);
  void update();

  qint32 m_recordCount;
  PreviewLabels m_preview;
  QSpinBox* m_from;
  QSpinBox* m_to;
  QCheckBox* m_toEnd;
  QComboBox* m_sheet;
  QList<QDoubleSpinBox*> m_measures;  // left, top, width, height, gap across, gap down
  QSpinBox* m_columns;
  QSpinBox* m_rows;
  QSpinBox* m_startRow;
  QSpinBox* m_startColumn;
  QDoubleSpinBox* m_offsetX;
  QDoubleSpinBox* m_offsetY;
  QLineEdit* m_school;
  SheetPreview* m_drawing;
  QLabel* m_problem;
  QPushButton* m_print;
};
