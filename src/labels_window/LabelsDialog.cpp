#include "labels_window/LabelsDialog.h"

#include <QCheckBox>
#include <QComboBox>
#include <QDialogButtonBox>
#include <QDoubleSpinBox>
#include <QFormLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QSpinBox>

#include "labels_window/SheetPreview.h"

using namespace Qt::StringLiterals;

namespace {

constexpr qreal kLargestOffsetMm = 20;

QSpinBox* numberBox(const char* name, int lowest, int highest) {
  auto* box = new QSpinBox;
  box->setObjectName(QString::fromLatin1(name));
  box->setRange(lowest, highest);
  return box;
}

QDoubleSpinBox* millimetreBox(const char* name, qreal lowest, qreal highest) {
  auto* box = new QDoubleSpinBox;
  box->setObjectName(QString::fromLatin1(name));
  box->setRange(lowest, highest);
  box->setDecimals(2);
  box->setSingleStep(0.1);
  box->setSuffix(u" mm"_s);
  return box;
}

// A group whose boxes stand in one line, each after its word, and then `after`.
QGroupBox* boxesInLine(const QString& title, const QList<std::pair<QString, QWidget*>>& boxes,
                       QWidget* after = nullptr) {
  auto* group = new QGroupBox(title);
  auto* line = new QHBoxLayout(group);
  for (const auto& [word, box] : boxes) {
    line->addWidget(new QLabel(word));
    line->addWidget(box);
  }
  if (after) line->addWidget(after);
  return group;
}

}  // namespace

LabelsDialog::LabelsDialog(const LabelRequest& initial, qint32 recordCount, PreviewLabels preview, Calibrate calibrate,
                           QWidget* parent)
    : QDialog(parent), m_recordCount(qMax(recordCount, 1)), m_preview(std::move(preview)) {
  setObjectName(u"frmLabels"_s);
  setWindowTitle(u"Ετικέτες"_s);

  m_from = numberBox("txtFrom", 1, m_recordCount);
  m_to = numberBox("txtTo", 1, m_recordCount);
  m_toEnd = new QCheckBox(u"ως το τέλος"_s);
  m_toEnd->setObjectName(u"chkToEnd"_s);
  QGroupBox* books = boxesInLine(u"Βιβλία (κωδικοί)"_s, {{u"από"_s, m_from}, {u"έως"_s, m_to}}, m_toEnd);

  m_sheet = new QComboBox;
  m_sheet->setObjectName(u"cboSheet"_s);
  for (const LabelSheet& s : labelSheets()) m_sheet->addItem(s.description);
  m_sheet->addItem(u"Άλλο φύλλο (δικές σας διαστάσεις)"_s);
  auto* sheetBox = new QGroupBox(u"Φύλλο ετικετών"_s);
  auto* sheetForm = new QFormLayout(sheetBox);
  sheetForm->addRow(m_sheet);
  const QList<std::pair<const char*, QString>> measures = {
      {"txtLeft", u"Αριστερό περιθώριο"_s},       {"txtTop", u"Πάνω περιθώριο"_s},
      {"txtWidth", u"Πλάτος ετικέτας"_s},         {"txtHeight", u"Ύψος ετικέτας"_s},
      {"txtGapX", u"Κενό ανάμεσα (οριζόντια)"_s}, {"txtGapY", u"Κενό ανάμεσα (κάθετα)"_s}};
  for (const auto& [name, text] : measures) {
    m_measures.append(millimetreBox(name, 0, 297));
    sheetForm->addRow(text, m_measures.last());
  }
  m_columns = numberBox("txtColumns", 1, 20);
  m_rows = numberBox("txtRows", 1, 40);
  sheetForm->addRow(u"Στήλες"_s, m_columns);
  sheetForm->addRow(u"Σειρές"_s, m_rows);

  m_startRow = numberBox("txtStartRow", 1, 40);
  m_startColumn = numberBox("txtStartColumn", 1, 20);
  QGroupBox* startBox = boxesInLine(u"Πρώτη ελεύθερη ετικέτα (ή κλικ στο σχέδιο)"_s,
                                    {{u"σειρά"_s, m_startRow}, {u"στήλη"_s, m_startColumn}});

  m_offsetX = millimetreBox("txtOffsetX", -kLargestOffsetMm, kLargestOffsetMm);
  m_offsetY = millimetreBox("txtOffsetY", -kLargestOffsetMm, kLargestOffsetMm);
  auto* calibrateButton = new QPushButton(u"&Δοκιμαστική σελίδα"_s);
  calibrateButton->setObjectName(u"cmdCalibrate"_s);
  QGroupBox* offsetBox =
      boxesInLine(u"Μετατόπιση του εκτυπωτή"_s, {{u"δεξιά"_s, m_offsetX}, {u"κάτω"_s, m_offsetY}}, calibrateButton);

  m_school = new QLineEdit;
  m_school->setObjectName(u"txtSchool"_s);
  auto* schoolRow = new QFormLayout;
  schoolRow->addRow(u"Σχολείο"_s, m_school);

  m_drawing = new SheetPreview([this](int row, int column) { setStart(row, column); });

  m_problem = new QLabel;
  m_problem->setObjectName(u"lblProblem"_s);
  m_problem->setWordWrap(true);
  auto* buttons = new QDialogButtonBox;
  m_print = buttons->addButton(u"&Εκτύπωση"_s, QDialogButtonBox::AcceptRole);
  m_print->setObjectName(u"cmdPrintLabels"_s);
  m_print->setDefault(true);
  buttons->addButton(u"Άκυρο"_s, QDialogButtonBox::RejectRole)->setObjectName(u"cmdCancel"_s);

  auto* choices = new QVBoxLayout;
  for (QWidget* w : {static_cast<QWidget*>(books), static_cast<QWidget*>(sheetBox), static_cast<QWidget*>(startBox),
                     static_cast<QWidget*>(offsetBox)})
    choices->addWidget(w);
  choices->addLayout(schoolRow);
  choices->addStretch();
  auto* columns = new QHBoxLayout;
  columns->addLayout(choices);
  columns->addWidget(m_drawing, 1);
  auto* whole = new QVBoxLayout(this);
  whole->addLayout(columns);
  whole->addWidget(m_problem);
  whole->addWidget(buttons);

  // The values first, then the signals: nothing redraws half set.
  m_from->setValue(qBound(1, initial.from, m_recordCount));
  m_to->setValue(qBound(1, initial.to, m_recordCount));
  m_toEnd->setChecked(initial.to >= recordCount);
  m_to->setEnabled(!m_toEnd->isChecked());
  setSheet(initial.layout.sheet);
  setStart(initial.layout.start / sheet().columns + 1, initial.layout.start % sheet().columns + 1);
  m_offsetX->setValue(initial.layout.offset.x());
  m_offsetY->setValue(initial.layout.offset.y());
  m_school->setText(initial.school);

  connect(buttons, &QDialogButtonBox::accepted, this, &QDialog::accept);
  connect(buttons, &QDialogButtonBox::rejected, this, &QDialog::reject);
  connect(calibrateButton, &QPushButton::clicked, this, [this, calibrate] {
    if (sheet().problem().isEmpty()) calibrate(request().layout);
  });
  connect(m_sheet, &QComboBox::currentIndexChanged, this, [this](int i) {
    showSheet(i);
    update();
  });
  connect(m_toEnd, &QCheckBox::toggled, m_to, &QWidget::setDisabled);
  for (QSpinBox* box : {m_from, m_to, m_columns, m_rows, m_startRow, m_startColumn})
    connect(box, &QSpinBox::valueChanged, this, &LabelsDialog::update);
  for (QDoubleSpinBox* box : m_measures + QList<QDoubleSpinBox*>{m_offsetX, m_offsetY})
    connect(box, &QDoubleSpinBox::valueChanged, this, &LabelsDialog::update);
  connect(m_toEnd, &QCheckBox::toggled, this, &LabelsDialog::update);
  connect(m_school, &QLineEdit::textChanged, this, &LabelsDialog::update);
  update();
}

LabelSheet LabelsDialog::sheet() const {
  const int preset = m_sheet->currentIndex();
  if (preset < labelSheets().size()) return labelSheets()[preset];
  LabelSheet s;
  s.description = m_sheet->currentText();
  s.left = m_measures[0]->value();
  s.top = m_measures[1]->value();
  s.label = QSizeF(m_measures[2]->value(), m_measures[3]->value());
  s.gapX = m_measures[4]->value();
  s.gapY = m_measures[5]->value();
  s.columns = m_columns->value();
  s.rows = m_rows->value();
  return s;
}

// A preset's measurements are shown and fixed; "other" starts from the last shown.
void LabelsDialog::showSheet(int preset) {
  const bool custom = preset >= labelSheets().size();
  if (!custom) {
    const LabelSheet& s = labelSheets()[preset];
    const QList<qreal> values = {s.left, s.top, s.label.width(), s.label.height(), s.gapX, s.gapY};
    for (qsizetype i = 0; i < values.size(); ++i) {
      const QSignalBlocker quiet(m_measures[i]);
      m_measures[i]->setValue(values[i]);
    }
    const QSignalBlocker quietColumns(m_columns);
    const QSignalBlocker quietRows(m_rows);
    m_columns->setValue(s.columns);
    m_rows->setValue(s.rows);
  }
  for (QDoubleSpinBox* box : m_measures) box->setEnabled(custom);
  m_columns->setEnabled(custom);
  m_rows->setEnabled(custom);
}

void LabelsDialog::setSheet(const LabelSheet& s) {
  qsizetype preset = 0;
  while (preset < labelSheets().size() && labelSheets()[preset].name != s.name) ++preset;
  if (s.name.isEmpty()) {
    const QList<qreal> values = {s.left, s.top, s.label.width(), s.label.height(), s.gapX, s.gapY};
    for (qsizetype i = 0; i < values.size(); ++i) m_measures[i]->setValue(values[i]);
    m_columns->setValue(s.columns);
    m_rows->setValue(s.rows);
  }
  m_sheet->setCurrentIndex(int(preset));
  showSheet(int(preset));
}

void LabelsDialog::setStart(int row, int column) {
  m_startRow->setValue(row);
  m_startColumn->setValue(column);
}

LabelRequest LabelsDialog::request() const {
  LabelRequest r;
  r.from = m_from->value();
  r.to = m_toEnd->isChecked() ? m_recordCount : qMax(m_to->value(), r.from);
  r.layout.sheet = sheet();
  r.layout.start = qMax(0, startIndex(r.layout.sheet, m_startRow->value(), m_startColumn->value()));
  r.layout.offset = QPointF(m_offsetX->value(), m_offsetY->value());
  r.school = m_school->text().trimmed();
  return r;
}

void LabelsDialog::update() {
  const LabelSheet s = sheet();
  m_startRow->setMaximum(s.rows);
  m_startColumn->setMaximum(s.columns);
  const LabelRequest r = request();
  const QString problem = s.problem();
  m_problem->setText(problem);
  m_print->setEnabled(problem.isEmpty());
  const int room = s.perSheet() - r.layout.start;
  m_drawing->show(r.layout, problem.isEmpty() ? m_preview(r.from, r.to, room) : QList<LabelText>{});
}
