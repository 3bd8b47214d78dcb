#include "platform/widgets/ColumnsDialog.h"

#include <QCheckBox>
#include <QColor>
#include <QComboBox>
#include <QDialogButtonBox>
#include <QGridLayout>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QLabel>
#include <QMenu>
#include <QPushButton>
#include <QScrollBar>
#include <QSpinBox>
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
constexpr int kNumberWidth = 64;
// A column without a name is shown by its first cells, cut to this length.
constexpr int kSampleLength = 24;

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

// A line of `layout` holding `box` after its label, whose access letter goes to the box.
QLabel* addLabelledBox(QVBoxLayout* layout, const QString& text, QWidget* box, QWidget* parent) {
  auto* row = new QHBoxLayout;
  auto* label = new QLabel(text, parent);
  label->setBuddy(box);
  row->addWidget(label);
  row->addWidget(box);
  row->addStretch(1);
  layout->addLayout(row);
  return label;
}

bool isBlank(const QString& text) { return text.trimmed().isEmpty(); }

// A row's filled cells, as one line.
QString filledCells(const QStringList& cells) {
  QStringList filled;
  for (const QString& cell : cells)
    if (!isBlank(cell)) filled.append(cell.simplified());
  return filled.join(u" | "_s);
}

QString shortened(const QString& text, int length) {
  const QString plain = text.simplified();
  return plain.size() > length ? plain.left(length - 1) + u'…' : plain;
}

}  // namespace

ColumnsDialog::ColumnsDialog(const Dialogs::ColumnsQuestion& question, const QString& title, QWidget* parent)
    : QDialog(parent) {
  setObjectName(u"frmColumns"_s);
  setWindowTitle(title);
  auto* layout = new QVBoxLayout(this);
  m_seen = plainLabel(QString(), u"lblSeen"_s, this);
  layout->addWidget(m_seen);

  m_sheet = new QComboBox(this);
  m_sheet->setObjectName(u"cboSheet"_s);
  m_sheet->setAccessibleName(u"Φύλλο του αρχείου"_s);
  QLabel* sheetLabel = addLabelledBox(layout, u"&Φύλλο:"_s, m_sheet, this);
  // A workbook of one sheet, or a CSV file, has no choice to offer.
  sheetLabel->setVisible(question.sheets.size() > 1);
  m_sheet->setVisible(question.sheets.size() > 1);
  connect(m_sheet, &QComboBox::activated, this, &ColumnsDialog::sheetChosen);

  layout->addWidget(
      plainLabel(u"Διαλέξτε από ποιες στήλες του αρχείου παίρνει τα στοιχεία του κάθε πεδίο· αν διαλέξετε "
                 u"περισσότερες από μία, ενώνονται με τη σειρά τους. Οι σειρές φαίνονται όπως θα καταχωριστούν."_s,
                 u"lblHow"_s, this));
  m_header = new QCheckBox(u"Η πρώτη σειρά είναι επικεφαλίδα"_s, this);
  m_header->setObjectName(u"chkHeader"_s);
  layout->addWidget(m_header);
  m_count = plainLabel(QString(), u"lblRows"_s, this);
  layout->addWidget(m_count);

  auto* strip = new QWidget(this);
  buildChoices(strip);
  layout->addWidget(strip);

  m_preview = new QTableWidget(this);
  m_preview->setObjectName(u"grdPreview"_s);
  m_preview->setAccessibleName(u"Οι σειρές όπως θα καταχωριστούν"_s);
  m_preview->setColumnCount(kFieldCount);
  m_preview->setEditTriggers(QAbstractItemView::NoEditTriggers);
  m_preview->setSelectionMode(QAbstractItemView::NoSelection);
  m_preview->setFocusPolicy(Qt::StrongFocus);
  // Arrow keys scroll the rows; the frame shows where the keys go.
  m_preview->setStyleSheet(u"QTableWidget#grdPreview:focus { border: 2px solid palette(highlight); }"_s);
  // Tab goes from choice to choice, not from cell to cell.
  m_preview->setTabKeyNavigation(false);
  m_preview->setWordWrap(false);
  m_preview->horizontalHeader()->hide();
  m_preview->horizontalHeader()->setSectionResizeMode(QHeaderView::Fixed);
  m_preview->horizontalHeader()->setDefaultSectionSize(kColumnWidth);
  m_preview->verticalHeader()->setFixedWidth(kNumberWidth);
  layout->addWidget(m_preview, 1);
  m_marks = plainLabel(
      u"Τα χρωματιστά κελιά δεν μπαίνουν στον κατάλογο όπως είναι (δείτε γιατί με το ποντίκι "
      u"πάνω τους)· πριν από την εισαγωγή θα ερωτηθείτε αν θα κοπούν ή θα γραφτούν χωρίς τόνους."_s,
      u"lblMarks"_s, this);
  layout->addWidget(m_marks);

  buildRowsChoice(this);
  m_unused = plainLabel(QString(), u"lblUnused"_s, this);
  layout->addWidget(m_unused);

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
    m_lastRow->setMinimum(firstDataRow());
    refresh();
  });
  load(question);
  m_preview->setFixedWidth(kNumberWidth + kFieldCount * kColumnWidth +
                           m_preview->verticalScrollBar()->sizeHint().width() + 2 * m_preview->frameWidth() + 4);
  resize(sizeHint().width(), 560);
}

// A label and a button per field, in a strip as wide as the preview's columns.
void ColumnsDialog::buildChoices(QWidget* strip) {
  auto* grid = new QGridLayout(strip);
  grid->setContentsMargins(0, 0, 0, 0);
  grid->setHorizontalSpacing(0);
  grid->setColumnMinimumWidth(0, kNumberWidth + 3);
  grid->addWidget(new QLabel(u"Από τις\nστήλες:"_s, strip), 1, 0);
  for (int field = 0; field < kFieldCount; ++field) {
    QLabel* label = plainLabel(fieldLabel(field), u"lblField%1"_s.arg(field), strip);
    label->setAlignment(Qt::AlignCenter);
    label->setFixedWidth(kColumnWidth);
    // A label cut by its width is read whole on hover.
    label->setToolTip(fieldLabel(field));
    grid->addWidget(label, 0, field + 1, Qt::AlignBottom);
    auto* button = new QPushButton(strip);
    button->setObjectName(u"cmdField%1"_s.arg(field));
    button->setAccessibleName(u"Στήλες του αρχείου για το πεδίο «%1»"_s.arg(fieldLabel(field)));
    button->setFixedWidth(kColumnWidth);
    button->setMenu(new QMenu(button));
    grid->addWidget(button, 1, field + 1);
    m_labels.append(label);
    m_choices.append(button);
  }
  grid->setColumnStretch(kFieldCount + 1, 1);
}

void ColumnsDialog::buildRowsChoice(QWidget* parent) {
  m_lastRow = new QSpinBox(parent);
  m_lastRow->setObjectName(u"spnLastRow"_s);
  m_lastRow->setAccessibleName(u"Τελευταία σειρά του αρχείου που εισάγεται"_s);
  addLabelledBox(qobject_cast<QVBoxLayout*>(parent->layout()), u"Εισαγωγή έως και τη &σειρά:"_s, m_lastRow, parent);
  connect(m_lastRow, &QSpinBox::valueChanged, this, &ColumnsDialog::refresh);
}

void ColumnsDialog::load(const Dialogs::ColumnsQuestion& question) {
  m_question = question;
  m_seen->setText(u"Αρχείο «%1»: %2"_s.arg(m_question.file, m_question.seen));
  m_columnCount = int(m_question.firstRow.size());
  for (const QStringList& row : m_question.rows + m_question.lastRows)
    m_columnCount = std::max(m_columnCount, int(row.size()));
  m_chosen.clear();
  for (int field = 0; field < kFieldCount; ++field) {
    QList<int> columns;
    for (const int column : m_question.columnsOfField.value(field))
      if (column >= 0 && column < m_columnCount && !columns.contains(column)) columns.append(column);
    std::sort(columns.begin(), columns.end());
    m_chosen.append(columns);
  }
  for (int field = 0; field < kFieldCount; ++field) {
    QMenu* menu = m_choices[field]->menu();
    menu->clear();
    for (int column = 0; column < m_columnCount; ++column) {
      QAction* action = menu->addAction(QString());
      action->setCheckable(true);
      connect(action, &QAction::toggled, this,
              [this, field, column](bool ticked) { columnTicked(field, column, ticked); });
    }
  }
  {
    const QSignalBlocker quiet(m_sheet);
    m_sheet->clear();
    m_sheet->addItems(m_question.sheets);
    m_sheet->setCurrentIndex(int(m_question.sheets.indexOf(m_question.sheet)));
  }
  {
    const QSignalBlocker quiet(m_header);
    m_header->setChecked(m_question.firstRowIsHeader);
  }
  {
    const QSignalBlocker quiet(m_lastRow);
    m_lastRow->setRange(firstDataRow(), std::max(firstDataRow(), lastFileRow()));
    m_lastRow->setValue(m_lastRow->maximum());
  }
  refresh();
}

void ColumnsDialog::sheetChosen() {
  const QString name = m_sheet->currentText();
  if (name == m_question.sheet || !m_question.readSheet) return;
  const std::optional<Dialogs::ColumnsQuestion> other = m_question.readSheet(name);
  if (other) {
    load(*other);
    return;
  }
  const QSignalBlocker quiet(m_sheet);
  m_sheet->setCurrentIndex(int(m_question.sheets.indexOf(m_question.sheet)));
}

void ColumnsDialog::columnTicked(int field, int column, bool ticked) {
  m_chosen[field].removeAll(column);
  if (ticked) {
    for (QList<int>& others : m_chosen) others.removeAll(column);
    m_chosen[field].append(column);
    std::sort(m_chosen[field].begin(), m_chosen[field].end());
  }
  refresh();
}

void ColumnsDialog::refresh() {
  nameChoices();
  showRows();
  showCount();
  showUnused();
  m_import->setEnabled(
      std::any_of(m_chosen.begin(), m_chosen.end(), [](const QList<int>& columns) { return !columns.isEmpty(); }));
}

bool ColumnsDialog::headerShown() const { return m_header->isChecked(); }

// A column by its header's name while the first row names them, else by
// its place and its first cells.
QString ColumnsDialog::columnName(int column) const {
  const QString name = headerShown() ? m_question.firstRow.value(column).simplified() : QString();
  if (!name.isEmpty()) return name;
  QStringList samples;
  if (!headerShown() && !isBlank(m_question.firstRow.value(column)))
    samples.append(m_question.firstRow.value(column).simplified());
  for (const QStringList& row : m_question.rows) {
    if (samples.size() >= 2) break;
    if (!isBlank(row.value(column))) samples.append(row.value(column).simplified());
  }
  const QString place = u"Στήλη %1"_s.arg(column + 1);
  return samples.isEmpty() ? place : place + u": "_s + shortened(samples.join(u", "_s), kSampleLength);
}

void ColumnsDialog::nameChoices() {
  for (int field = 0; field < kFieldCount; ++field) {
    const QList<QAction*> actions = m_choices[field]->menu()->actions();
    for (int column = 0; column < actions.size(); ++column) {
      const QSignalBlocker quiet(actions[column]);
      // Ticking a column another field holds moves it: the menu says so first.
      QString text = columnName(column);
      for (int other = 0; other < kFieldCount; ++other)
        if (other != field && m_chosen[other].contains(column))
          text += u"  (τώρα στο «%1»)"_s.arg(shortened(fieldLabel(other), kSampleLength));
      actions[column]->setText(text);
      actions[column]->setChecked(m_chosen[field].contains(column));
    }
    QStringList names;
    for (const int column : m_chosen[field]) names.append(columnName(column));
    const QString text = names.isEmpty() ? u"—"_s : names.join(u" + "_s);
    m_choices[field]->setText(m_choices[field]->fontMetrics().elidedText(text, Qt::ElideRight, kColumnWidth - 28));
    m_choices[field]->setToolTip(names.isEmpty() ? u"Κανένα: το πεδίο μένει κενό"_s : names.join(u"\n"_s));
  }
}

int ColumnsDialog::firstDataRow() const {
  return headerShown() ? m_question.rowNumbers.value(0, m_question.firstNumber + 1) : m_question.firstNumber;
}

int ColumnsDialog::lastFileRow() const {
  if (!m_question.lastNumbers.isEmpty()) return m_question.lastNumbers.last();
  if (!m_question.rowNumbers.isEmpty()) return m_question.rowNumbers.last();
  return m_question.firstNumber + int(m_question.rows.size());
}

QList<std::pair<int, QStringList>> ColumnsDialog::shownRows(int& gapAt) const {
  QList<std::pair<int, QStringList>> shown;
  if (!headerShown()) shown.append({m_question.firstNumber, m_question.firstRow});
  for (qsizetype r = 0; r < m_question.rows.size(); ++r)
    shown.append({m_question.rowNumbers.value(r, m_question.firstNumber + 1 + int(r)), m_question.rows[r]});
  gapAt = m_question.lastRows.isEmpty() ? -1 : int(shown.size());
  for (qsizetype r = 0; r < m_question.lastRows.size(); ++r)
    shown.append({m_question.lastNumbers.value(r), m_question.lastRows[r]});
  return shown;
}

void ColumnsDialog::showRows() {
  int gapAt = -1;
  const QList<std::pair<int, QStringList>> rows = shownRows(gapAt);
  const int gap = gapAt >= 0 ? 1 : 0;
  m_preview->clearContents();
  m_preview->clearSpans();
  m_preview->setRowCount(int(rows.size()) + gap);
  if (gap) {
    // Rows between the first and the last are not shown.
    m_preview->setVerticalHeaderItem(gapAt, new QTableWidgetItem(u"…"_s));
    for (int field = 0; field < kFieldCount; ++field) m_preview->setItem(gapAt, field, new QTableWidgetItem(u"…"_s));
  }
  const int lastRow = m_lastRow->value();
  bool marked = false;
  for (int r = 0; r < rows.size(); ++r) {
    const int place = r + (gap && r >= gapAt ? 1 : 0);
    const bool leftOut = rows[r].first > lastRow;
    const QString whole = filledCells(rows[r].second);
    auto* number = new QTableWidgetItem(QString::number(rows[r].first));
    number->setToolTip(whole);  // the whole row, the columns not taken too
    m_preview->setVerticalHeaderItem(place, number);
    bool shown = false;
    for (int field = 0; field < kFieldCount; ++field) {
      QStringList cells;
      for (const int column : m_chosen[field]) cells.append(rows[r].second.value(column));
      Dialogs::PreviewCell cell;
      if (!cells.isEmpty())
        cell = m_question.stored ? m_question.stored(cells, field) : Dialogs::PreviewCell{cells.join(u' '), {}};
      shown = shown || !cell.text.isEmpty();
      m_preview->setItem(place, field, previewItem(cell));
      marked = marked || (!leftOut && !cell.problem.isEmpty());
    }
    // A row whose text lies only in columns not taken (a note, a total) is
    // still seen, across the fields, as no record's text.
    if (!shown && !whole.isEmpty()) {
      m_preview->setSpan(place, 0, 1, kFieldCount);
      auto* item = new QTableWidgetItem(u"(σε στήλες που δεν εισάγονται: %1)"_s.arg(whole));
      item->setToolTip(whole);
      QFont font = item->font();
      font.setItalic(true);
      item->setFont(font);
      m_preview->setItem(place, 0, item);
    }
    if (leftOut) markLeftOut(place);
  }
  m_marks->setVisible(marked);
}

// Rows after the last one imported are shown struck out.
void ColumnsDialog::markLeftOut(int place) {
  for (int field = 0; field < kFieldCount; ++field) {
    QTableWidgetItem* item = m_preview->item(place, field);
    if (!item) continue;
    QFont font = item->font();
    font.setStrikeOut(true);
    item->setFont(font);
    item->setForeground(palette().brush(QPalette::Disabled, QPalette::Text));
    item->setToolTip(u"Δεν εισάγεται: "_s + item->toolTip());
  }
}

void ColumnsDialog::showCount() {
  const qint64 count = m_question.rowCount + (headerShown() ? 0 : 1);
  QString text =
      count == 1 ? u"Το αρχείο έχει 1 σειρά με στοιχεία"_s : u"Το αρχείο έχει %1 σειρές με στοιχεία"_s.arg(count);
  if (!m_question.lastRows.isEmpty()) text += u"· φαίνονται οι πρώτες και οι τελευταίες"_s;
  if (m_lastRow->value() < m_lastRow->maximum())
    text += u"· μετά τη σειρά %1 δεν εισάγεται καμία"_s.arg(m_lastRow->value());
  m_count->setText(text + u'.');
}

// Said before the import, so that no column is left out unseen.
void ColumnsDialog::showUnused() {
  QStringList unused;
  for (int column = 0; column < m_columnCount; ++column) {
    if (std::any_of(m_chosen.begin(), m_chosen.end(), [&](const QList<int>& c) { return c.contains(column); }))
      continue;
    bool filled = !isBlank(m_question.firstRow.value(column));
    for (const QStringList& row : m_question.rows + m_question.lastRows) filled = filled || !isBlank(row.value(column));
    if (filled) unused.append(u"«%1»"_s.arg(columnName(column)));
  }
  m_unused->setText(unused.isEmpty() ? u"Χρησιμοποιούνται όλες οι στήλες του αρχείου."_s
                    : unused.size() == 1 ? u"Δεν θα χρησιμοποιηθεί η στήλη %1."_s.arg(unused.first())
                                         : u"Δεν θα χρησιμοποιηθούν οι στήλες %1."_s.arg(unused.join(u", "_s)));
}

Dialogs::ColumnChoice ColumnsDialog::choice() const {
  Dialogs::ColumnChoice choice;
  choice.columnsOfField = m_chosen;
  choice.firstRowIsHeader = headerShown();
  choice.sheet = m_question.sheet;
  choice.lastRow = m_lastRow->value() < m_lastRow->maximum() ? m_lastRow->value() : 0;
  return choice;
}
