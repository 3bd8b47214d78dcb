#include "loans/LoanList.h"

#include <algorithm>
#include <tuple>

#include "catalogue/Cp1253.h"
#include "catalogue/FieldBytes.h"
#include "catalogue/ForgivingMatcher.h"
#include "loans/BorrowerField.h"

using namespace Qt::StringLiterals;

namespace loans {

struct LoanListBuilder::Entry {
  int grade;  // 0 (no class) sorts last
  int section;
  QString className;
  QByteArray nameKey;  // folded, so that one pupil typed two ways is one pupil
  QString name;
  Loan loan;
};

namespace {

QByteArray nameKey(const QString& name) {
  QByteArray key = cp1253::encode(name);
  for (char& b : key) b = char(forgivingFold(static_cast<unsigned char>(b)));
  return key;
}

QString titleOf(const char* record) {
  const fieldbytes::Span t = fieldbytes::trimmed(record, recordfield::kTitle);
  QString title = cp1253::decode(t.data, t.length);
  title.replace(u"\r\n"_s, u" "_s).replace(u'\r', u' ').replace(u'\n', u' ');
  return title;
}

}  // namespace

LoanListBuilder::LoanListBuilder(const QDate& day, bool everything) : m_day(day), m_everything(everything) {}
LoanListBuilder::~LoanListBuilder() = default;

void LoanListBuilder::add(qint32 code, const char* record) {
  const fieldbytes::Span field = fieldbytes::trimmed(record, recordfield::kBorrower);
  if (field.length == 0 || fieldbytes::isDeletionMark(record)) return;
  const BorrowerReading reading = readBorrower(field.data, field.length, m_day);
  switch (reading.state) {
    case BorrowerReading::State::NotOnLoan:
      return;
    case BorrowerReading::State::Unreadable:
      m_unreadable.push_back({code, titleOf(record), reading.typed});
      return;
    case BorrowerReading::State::Readable:
      break;
  }
  const int daysLate = int(reading.due.daysTo(m_day));
  if (daysLate <= 0 && !m_everything) return;
  m_entries.push_back({reading.grade, reading.section, reading.className, nameKey(reading.name), reading.name,
                       Loan{code, titleOf(record), reading.due, reading.dueTyped, qMax(daysLate, 0)}});
}

LoanList LoanListBuilder::finish() {
  auto before = [](const Entry& a, const Entry& b) {
    const int ga = a.grade == 0 ? 99 : a.grade;
    const int gb = b.grade == 0 ? 99 : b.grade;
    return std::tie(ga, a.section, a.nameKey, a.loan.due, a.loan.code) <
           std::tie(gb, b.section, b.nameKey, b.loan.due, b.loan.code);
  };
  std::sort(m_entries.begin(), m_entries.end(), before);

  LoanList list;
  list.day = m_day;
  list.everything = m_everything;
  for (size_t i = 0; i < m_entries.size(); ++i) {
    const Entry& e = m_entries[i];
    const bool newClass = i == 0 || e.className != m_entries[i - 1].className;
    if (newClass) {
      list.classes.push_back({e.className, {}});
      if (!e.className.isEmpty()) ++list.classCount;
    }
    if (newClass || e.nameKey != m_entries[i - 1].nameKey) {
      list.classes.back().pupils.push_back({e.name, {}});
      ++list.pupils;
    }
    list.classes.back().pupils.back().loans.push_back(e.loan);
    ++list.books;
  }
  list.unreadable = std::move(m_unreadable);
  m_entries.clear();
  m_unreadable.clear();
  return list;
}

QStringList columnNames() {
  return {u"Ημέρες καθυστέρησης"_s, u"Τμήμα"_s, u"Όνομα"_s, u"Κωδικός"_s, u"Τίτλος"_s, u"Επιστροφή"_s};
}

QStringList loanCells(const ClassGroup& group, const Pupil& pupil, const Loan& loan) {
  return {QString::number(loan.daysLate), group.className, pupil.name,
          QString::number(loan.code),     loan.title,      loan.dueTyped};
}

QStringList unreadableCells(const UnreadableLoan& loan) {
  return {QString(), QString(), loan.typed, QString::number(loan.code), loan.title, QString()};
}

QString countsLine(const LoanList& list) {
  const QString books = list.everything ? u"Δανεισμένα: %1 βιβλία"_s : u"Εκπρόθεσμα: %1 βιβλία"_s;
  QString line = books.arg(list.books) + u", %1 μαθητές, %2 τμήματα"_s.arg(list.pupils).arg(list.classCount);
  if (!list.unreadable.empty()) line += u", %1 αδιάβαστα"_s.arg(list.unreadable.size());
  return line;
}

QString classHeading(const ClassGroup& group) {
  return group.className.isEmpty() ? u"Χωρίς τμήμα"_s : u"Τμήμα "_s + group.className;
}

}  // namespace loans
