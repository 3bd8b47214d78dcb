#include "platform/widgets/ColumnsDialog.h"

#include <QCheckBox>
#include <QColor>
#include <QComboBox>
#include <QDialogButtonBox>
#include <QHeaderView>
#include <QLabel>
#include <QPushButton>
#include <QScrollBar>
#include <QTableWidget>
#include <QVBoxLayout>
#include <algorithm>

#include "catalogue/CatalogueRecord.h"
#include "catalogue/FieldLabels.h"

using namespace Qt::StringLiterals;

namespace {

constexpr int kFieldCount = CatalogueRecord::kFieldCount;
// Six columns fit a 1024-pixel screen beside the row numbers.
constexpr int kColumnWidth = 145;
// The preview's first row holds the choices; the file's rows follow it.
constexpr int kChoiceRow = 0;

QLabel* plainLabel(const QString& text, const QString& name, QWidget* parent) {
  auto* label = new QLabel(text, parent);
  label->setObjectName(name);
  label->setTextFormat(Qt::PlainText);  // file names and cells are never markup
  label->setWordWrap(true);
  return label;
}

// A cell whole; one the import cannot store as it is stands out, and says why on hover.
QTableWidgetItem* previewItem(const Dialogs::PreviewCell& cell) {
  auto* item = new QTableWidgetItem(cell.text);
  if (cell.problem.isEmpty()) {
    item->setToolTip(cell.text);  // a long text is cut short in its cell
    return item;
  }
  item->setBackground(QColor(255, 221, 153));
  item->setForeground(QColor(Qt::black));
  item->setToolTip(cell.text + u"\n\n"_s + cell.problem);
  item->setData(Qt::AccessibleDescriptionRole, cell.problem);
  return item;
}

}  // namespace

ColumnsDialog::ColumnsDialog(const Dialogs::ColumnsQuestion& question, const QString& title, QWidget* parent)
    : QDialog(parent), m_question(question) {
  setObjectName(u"frmColumns"_s);
  setWindowTitle(title);
  m_columnCount = int(m_question.firstRow.size());
  for (const QStringList& row : m_question.rows) m_columnCount = std::max(m_columnCount, int(row.size()));

  auto* layout = new QVBoxLayout(this);
  layout->addWidget(plainLabel(u"Αρχείο «%1»: %2"_s.arg(m_question.file, m_question.seen), u"lblSeen"_s, this));
  layout->addWidget(
      plainLabel(u"Διαλέξτε από ποια στήλη του αρχείου παίρνει τα στοιχεία του κάθε πεδίο. Οι σειρές "
                 u"φαίνονται όπως θα καταχωριστούν."_s,
                 u"lblHow"_s, this));
  m_header = new QCheckBox(u"Η πρώτη σειρά είναι επικεφαλίδα"_s, this);
  m_header->setObjectName(u"chkHeader"_s);
  m_header->setChecked(m_question.firstRowIsHeader);
  layout->addWidget(m_header);

  m_preview = new QTableWidget(this);
  m_preview->setObjectName(u"grdPreview"_s);
  m_preview->setAccessibleName(u"Οι πρώτες σειρές όπως θα καταχωριστούν"_s);
  m_preview->setColumnCount(kFieldCount);
  m_preview->setEditTriggers(QAbstractItemView::NoEditTriggers);
  m_preview->setSelectionMode(QAbstractItemView::NoSelection);
  // Tab goes from choice to choice, not from cell to cell.
  m_preview->setTabKeyNavigation(false);
  m_preview->setWordWrap(false);
  QStringList labels;
  for (int field = 0; field < kFieldCount; ++field) labels.append(fieldLabel(field));
  m_preview->setHorizontalHeaderLabels(labels);
  m_preview->horizontalHeader()->setDefaultAlignment(Qt::AlignCenter | Qt::Alignment(Qt::TextWordWrap));
  m_preview->horizontalHeader()->setSectionResizeMode(QHeaderView::Fixed);
  m_preview->horizontalHeader()->setDefaultSectionSize(kColumnWidth);
  // The longest label takes six lines at this width.
  m_preview->horizontalHeader()->setMinimumHeight(6 * fontMetrics().lineSpacing() + 8);
  layout->addWidget(m_preview, 1);
  m_marks = plainLabel(
      u"Τα χρωματιστά κελιά δεν μπαίνουν στον κατάλογο όπως είναι (δείτε γιατί με το ποντίκι "
      u"πάνω τους)· πριν από την εισαγωγή θα ερωτηθείτε αν θα κοπούν ή θα γραφτούν χωρίς τόνους."_s,
      u"lblMarks"_s, this);
  layout->addWidget(m_marks);
  buildChoices();

  auto* buttons = new QDialogButtonBox(this);
  m_import = buttons->addButton(u"Εισαγωγή"_s, QDialogButtonBox::AcceptRole);
  m_import->setObjectName(u"cmdImport"_s);
  m_import->setDefault(true);
  QPushButton* cancel = buttons->addButton(u"Άκυρο"_s, QDialogButtonBox::RejectRole);
  cancel->setObjectName(u"cmdCancel"_s);
  connect(buttons, &QDialogButtonBox::accepted, this, &QDialog::accept);
  connect(buttons, &QDialogButtonBox::rejected, this, &QDialog::reject);
  layout->addWidget(buttons);

  connect(m_header, &QCheckBox::toggled, this, [this] {
    nameColumns();
    showRows();
  });
  nameColumns();
  showRows();
  m_preview->setMinimumWidth(m_preview->verticalHeader()->sizeHint().width() + kFieldCount * kColumnWidth +
                             m_preview->verticalScrollBar()->sizeHint().width() + 2 * m_preview->frameWidth());
  resize(sizeHint().width(), 440);
}

void ColumnsDialog::buildChoices() {
  m_preview->setRowCount(1);
  m_preview->setVerticalHeaderItem(kChoiceRow, new QTableWidgetItem(u"Από τη στήλη"_s));
  for (int field = 0; field < kFieldCount; ++field) {
    auto* combo = new QComboBox(m_preview);
    combo->setObjectName(u"cboField%1"_s.arg(field));
    combo->setAccessibleName(u"Στήλη του αρχείου για το πεδίο «%1»"_s.arg(fieldLabel(field)));
    combo->addItem(u"—"_s, -1);
    for (int column = 0; column < m_columnCount; ++column) combo->addItem(QString(), column);
    const int proposed = m_question.columnOfField.value(field, -1);
    combo->setCurrentIndex(proposed >= 0 && proposed < m_columnCount ? proposed + 1 : 0);
    connect(combo, &QComboBox::currentIndexChanged, this, [this, field] { columnChosen(field); });
    m_preview->setCellWidget(kChoiceRow, field, combo);
    m_choices.append(combo);
  }
}

int ColumnsDialog::columnOf(int field) const { return m_choices[field]->currentData().toInt(); }

void ColumnsDialog::columnChosen(int field) {
  const int column = columnOf(field);
  if (column >= 0)
    for (int other = 0; other < kFieldCount; ++other)
      if (other != field && columnOf(other) == column) {
        const QSignalBlocker quiet(m_choices[other]);
        m_choices[other]->setCurrentIndex(0);
      }
  showRows();
}

// A column by its header's name while the first row names them, else by its place.
void ColumnsDialog::nameColumns() {
  for (int column = 0; column < m_columnCount; ++column) {
    const QString name = m_header->isChecked() ? m_question.firstRow.value(column).trimmed() : QString();
    for (QComboBox* combo : m_choices)
      combo->setItemText(column + 1, name.isEmpty() ? u"Στήλη %1"_s.arg(column + 1) : name);
  }
}

void ColumnsDialog::showRows() {
  QList<QStringList> rows = m_question.rows;
  if (!m_header->isChecked()) rows.prepend(m_question.firstRow);
  // The file's own row numbers, so the header's place is seen.
  const int firstNumber = m_header->isChecked() ? 2 : 1;
  m_preview->setRowCount(1 + int(rows.size()));
  bool marked = false;
  for (int r = 0; r < rows.size(); ++r) {
    m_preview->setVerticalHeaderItem(1 + r, new QTableWidgetItem(QString::number(firstNumber + r)));
    for (int field = 0; field < kFieldCount; ++field) {
      const int column = columnOf(field);
      const QString cell = column >= 0 ? rows[r].value(column) : QString();
      const Dialogs::PreviewCell shown =
          m_question.stored && column >= 0 ? m_question.stored(cell, field) : Dialogs::PreviewCell{cell, {}};
      m_preview->setItem(1 + r, field, previewItem(shown));
      marked = marked || !shown.problem.isEmpty();
    }
  }
  m_marks->setVisible(marked);
  m_import->setEnabled(std::any_of(m_choices.begin(), m_choices.end(),
                                   [](const QComboBox* combo) { return combo->currentData().toInt() >= 0; }));
}

Dialogs::ColumnChoice ColumnsDialog::choice() const {
  Dialogs::ColumnChoice choice;
  for (int field = 0; field < kFieldCount; ++field) choice.columnOfField.append(columnOf(field));
  choice.firstRowIsHeader = m_header->isChecked();
  return choice;
}
