#include "loans_window/LoansWindow.h"

#include <QCheckBox>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QLabel>
#include <QPushButton>
#include <QSignalBlocker>
#include <QTreeWidget>
#include <QVBoxLayout>

#include "catalogue/file/CatalogueFile.h"
#include "loans/LoanPages.h"
#include "loans/LoanScan.h"

using namespace Qt::StringLiterals;

namespace {

constexpr int kListFontSize = 10;
constexpr int kSlipFontSize = 9;
constexpr int kCodeRole = Qt::UserRole + 1;

QTreeWidget* newTree(QWidget* parent, const char* name, const QStringList& columns) {
  auto* tree = new QTreeWidget(parent);
  tree->setObjectName(QString::fromLatin1(name));
  tree->setHeaderLabels(columns);
  tree->setRootIsDecorated(false);
  tree->setUniformRowHeights(true);
  tree->setAllColumnsShowFocus(true);
  return tree;
}

QPushButton* newButton(QWidget* parent, const char* name, const QString& caption) {
  auto* button = new QPushButton(caption, parent);
  button->setObjectName(QString::fromLatin1(name));
  button->setAutoDefault(false);
  return button;
}

}  // namespace

LoansWindow::LoansWindow(Platform& platform, QString cataloguePath, QString productTitle, QWidget* parent)
    : QDialog(parent), m_platform(platform), m_path(std::move(cataloguePath)), m_title(std::move(productTitle)) {
  setObjectName(u"frmLoans"_s);
  setWindowTitle(m_title + u": Εκπρόθεσμα"_s);
  buildControls();
}

void LoansWindow::buildControls() {
  m_everything = new QCheckBox(u"Όλα τα δανεισμένα, και όσα δεν έχουν λήξει (τέλος σχολικής χρονιάς)"_s, this);
  m_everything->setObjectName(u"chkEverything"_s);
  m_counts = new QLabel(this);
  m_counts->setObjectName(u"lblCounts"_s);
  m_loans = newTree(this, "lstLoans", loans::columnNames());
  m_loans->setRootIsDecorated(true);
  m_unreadable = newTree(this, "lstUnreadable", {u"Κωδικός"_s, u"Όπως γράφτηκε"_s, u"Τίτλος"_s});
  m_picked = m_loans;
  auto* unreadableLabel =
      new QLabel(u"Πεδία δανειζόμενου που δεν διαβάζονται (διορθώστε τα στην εγγραφή τους):"_s, this);

  QPushButton* goTo = newButton(this, "cmdGoTo", u"&Μετάβαση στην εγγραφή"_s);
  QPushButton* printList = newButton(this, "cmdPrintList", u"Εκτύπωση &λίστας"_s);
  QPushButton* printSlips = newButton(this, "cmdPrintSlips", u"Εκτύπωση &υπενθυμίσεων"_s);
  QPushButton* school = newButton(this, "cmdSchool", u"Όνομα &σχολείου..."_s);
  QPushButton* close = newButton(this, "cmdClose", u"&Κλείσιμο"_s);

  auto* top = new QHBoxLayout;
  top->addWidget(m_everything);
  top->addStretch();
  top->addWidget(m_counts);
  auto* buttons = new QHBoxLayout;
  for (QPushButton* b : {goTo, printList, printSlips, school}) buttons->addWidget(b);
  buttons->addStretch();
  buttons->addWidget(close);
  auto* layout = new QVBoxLayout(this);
  layout->addLayout(top);
  layout->addWidget(m_loans, 3);
  layout->addWidget(unreadableLabel);
  layout->addWidget(m_unreadable, 1);
  layout->addLayout(buttons);
  resize(900, 560);

  connect(m_everything, &QCheckBox::toggled, this, [this] { chkEverything_Toggled(); });
  connect(goTo, &QPushButton::clicked, this, [this] { cmdGoTo_Click(); });
  connect(printList, &QPushButton::clicked, this, [this] { cmdPrintList_Click(); });
  connect(printSlips, &QPushButton::clicked, this, [this] { cmdPrintSlips_Click(); });
  connect(school, &QPushButton::clicked, this, [this] { cmdSchool_Click(); });
  connect(close, &QPushButton::clicked, this, &QDialog::reject);
  // The button goes to the book picked last, in either list.
  for (QTreeWidget* tree : {m_loans, m_unreadable}) {
    connect(tree, &QTreeWidget::currentItemChanged, this, [this, tree] { m_picked = tree; });
    connect(tree, &QTreeWidget::itemActivated, this, [this] { cmdGoTo_Click(); });
  }
}

bool LoansWindow::load() {
  CatalogueFile file;
  if (!file.open(m_path, FileIo::Mode::ReadOnly)) {
    notice(file.lastError().describe());
    return false;
  }
  loans::LoanListBuilder builder(m_platform.clock.now().date(), m_everything->isChecked());
  const auto progress = m_platform.dialogs.progress(u"Διαβάζονται τα πεδία του δανειζόμενου..."_s, m_title);
  const loans::ScanEnd end = loans::scanLoans(
      file, builder, [&progress](qint32 done, qint32 count) { return !progress || progress->advance(done, count); });
  if (end == loans::ScanEnd::Failed) notice(file.lastError().describe());
  if (end != loans::ScanEnd::Done) return false;
  m_list = builder.finish();
  showList();
  return true;
}

void LoansWindow::showList() {
  m_counts->setText(loans::countsLine(m_list));
  m_loans->clear();
  for (const loans::ClassGroup& group : m_list.classes) {
    int books = 0;
    for (const loans::Pupil& pupil : group.pupils) books += int(pupil.loans.size());
    auto* heading = new QTreeWidgetItem(m_loans, {loans::classHeading(group) + u" (%1)"_s.arg(books)});
    heading->setFirstColumnSpanned(true);
    for (const loans::Pupil& pupil : group.pupils)
      for (const loans::Loan& loan : pupil.loans) {
        auto* row = new QTreeWidgetItem(heading, loans::loanCells(group, pupil, loan));
        row->setData(0, kCodeRole, loan.code);
        row->setTextAlignment(loans::kDaysLate, Qt::AlignRight);
        row->setTextAlignment(loans::kCode, Qt::AlignRight);
      }
  }
  m_loans->expandAll();
  m_unreadable->clear();
  for (const loans::UnreadableLoan& loan : m_list.unreadable) {
    auto* row = new QTreeWidgetItem(m_unreadable, {QString::number(loan.code), loan.typed, loan.title});
    row->setData(0, kCodeRole, loan.code);
  }
  for (QTreeWidget* tree : {m_loans, m_unreadable})
    for (int c = 0; c < tree->columnCount(); ++c) tree->resizeColumnToContents(c);
}

// A list that could not be read afresh stays as it was, and so does the choice.
void LoansWindow::chkEverything_Toggled() {
  if (load()) return;
  const QSignalBlocker quiet(m_everything);
  m_everything->setChecked(!m_everything->isChecked());
}

qint32 LoansWindow::codeOf(const QTreeWidgetItem* item) const { return item ? item->data(0, kCodeRole).toInt() : 0; }

// Like the code search: the record window shows the record once this closes.
void LoansWindow::cmdGoTo_Click() {
  const qint32 code = codeOf(m_picked->currentItem());
  if (code == 0) {
    notice(u"Διαλέξτε πρώτα ένα βιβλίο του καταλόγου."_s);
    return;
  }
  m_chosen = code;
  accept();
}

void LoansWindow::cmdPrintList_Click() {
  if (m_list.classes.empty() && m_list.unreadable.empty()) {
    notice(u"Δεν υπάρχει τίποτα για εκτύπωση."_s);
    return;
  }
  print(loans::classPages(m_list), kListFontSize, false);
}

void LoansWindow::cmdPrintSlips_Click() {
  const QString school = askSchoolName();
  if (school.isEmpty()) return;
  const QList<QStringList> pages = loans::reminderPages(m_list, school);
  if (pages.isEmpty()) {
    notice(u"Κανένας μαθητής δεν έχει εκπρόθεσμο βιβλίο."_s);
    return;
  }
  print(pages, kSlipFontSize, true);
}

void LoansWindow::cmdSchool_Click() {
  const QString name = m_platform.dialogs.input(u"Το όνομα του σχολείου, για τις υπενθυμίσεις:"_s, m_title).trimmed();
  if (name.isEmpty()) return;
  if (!m_platform.settings.setSchoolName(name))
    notice(u"Το όνομα του σχολείου ισχύει μόνο ώσπου να κλείσει το πρόγραμμα: οι ρυθμίσεις δεν γράφτηκαν."_s);
}

// The name is asked the first time it is needed and kept with the settings.
QString LoansWindow::askSchoolName() {
  if (m_platform.settings.schoolName().isEmpty()) cmdSchool_Click();
  return m_platform.settings.schoolName();
}

void LoansWindow::print(const QList<QStringList>& pages, int fontSize, bool spread) {
  PrintDocument& printer = m_platform.printer;
  // The record window's print queue shares the document: its records go first, alone.
  if (printer.isOpen()) {
    notice(u"Υπάρχουν εγγραφές που περιμένουν να τυπωθούν: πατήστε πρώτα «ΕΚΤΥΠΩΣΗ» στο παράθυρο των εγγραφών."_s);
    return;
  }
  printer.setFontName(u"courier"_s);
  printer.setFontSize(fontSize);
  printer.setSpreadOverSheet(spread);
  for (const QStringList& page : pages) {
    printer.newPage();
    for (const QString& line : page) printer.printLine(line);
  }
  printer.endDoc();
}

void LoansWindow::notice(const QString& text) { m_platform.dialogs.notice(text, m_title, Dialogs::Icon::Exclamation); }
