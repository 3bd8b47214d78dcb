#include "loans/LoanList.h"

#include <algorithm>
#include <cstring>
#include <limits>
#include <tuple>

#include "catalogue/CatalogueRecord.h"
#include "catalogue/Cp1253.h"
#include "catalogue/FieldBytes.h"
#include "loans/BorrowerField.h"

using namespace Qt::StringLiterals;

namespace loans {

// The sort compares whole numbers only: the class as one number, the pupil
// by the place of the folded name among all names. The texts wait in the
// builder's block of bytes.
struct LoanListBuilder::Entry {
  int classKey;  // grade * kSections + section; no class sorts last
  int pupil;     // index into m_names, then the name's place
  qint64 due;    // Julian day
  qint32 code;
  qint32 daysLate;
  qint32 textAt;  // the title, then the date as typed, in m_texts
  quint8 titleLength;
  quint8 dueLength;
};

namespace {

constexpr int kSections = 100;  // sections are one or two digits

// The title's bytes with line breaks made blanks ("\r\n" one blank), as the
// window shows a title on one line.
void appendTitle(QByteArray& out, fieldbytes::Span t) {
  const qsizetype start = out.size();
  out.append(t.data, t.length);
  if (!std::memchr(t.data, '\n', size_t(t.length)) && !std::memchr(t.data, '\r', size_t(t.length))) return;
  qsizetype to = start;
  for (qsizetype from = start; from < out.size(); ++from) {
    const char c = out[from];
    if (c == '\r' && from + 1 < out.size() && out[from + 1] == '\n') continue;
    out[to++] = c == '\r' || c == '\n' ? ' ' : c;
  }
  out.truncate(to);
}

QString titleOf(const char* record) {
  QByteArray bytes;
  appendTitle(bytes, fieldbytes::trimmed(record, recordfield::kTitle));
  return cp1253::decode(bytes);
}

}  // namespace

LoanListBuilder::LoanListBuilder(const QDate& day, bool everything) : m_day(day), m_everything(everything) {}
LoanListBuilder::~LoanListBuilder() = default;

void LoanListBuilder::add(qint32 code, const char* record) {
  // Most books are on the shelf: a blank field is told by one comparison.
  static const QByteArray kBlankField(CatalogueRecord::kWidth[recordfield::kBorrower], ' ');
  if (std::memcmp(record + CatalogueRecord::kOffset[recordfield::kBorrower], kBlankField.constData(),
                  size_t(kBlankField.size())) == 0)
    return;
  const fieldbytes::Span field = fieldbytes::trimmed(record, recordfield::kBorrower);
  if (field.length == 0 || fieldbytes::isDeletionMark(record)) return;
  const BorrowerReading reading = readBorrowerInPlace(field.data, field.length, m_day);
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
  // One pupil typed two ways ("ΠΑΠΑΔΟΠΟΥΛΟΣ", "Παπαδόπουλος") is one pupil.
  const QByteArray key = QByteArray::fromRawData(reading.nameKey.constData(), reading.nameKey.size());
  const auto known = m_pupils.constFind(key);
  const int pupil = known != m_pupils.cend() ? known.value() : int(m_names.size());
  if (known == m_pupils.cend()) {
    const QByteArray kept(key.constData(), key.size());
    m_pupils.insert(kept, pupil);
    m_names.push_back({kept, reading.name()});
  }
  const int classKey =
      reading.grade == 0 ? std::numeric_limits<int>::max() : reading.grade * kSections + reading.section;
  const qint32 textAt = qint32(m_texts.size());
  appendTitle(m_texts, fieldbytes::trimmed(record, recordfield::kTitle));
  const auto titleLength = quint8(m_texts.size() - textAt);
  m_texts.append(field.data + reading.dueAt, reading.dueLength);
  m_entries.push_back({classKey, pupil, reading.due.toJulianDay(), code, qMax(daysLate, 0), textAt, titleLength,
                       quint8(reading.dueLength)});
}

LoanList LoanListBuilder::finish() {
  std::vector<int> byName(m_names.size());
  for (size_t i = 0; i < byName.size(); ++i) byName[i] = int(i);
  std::sort(byName.begin(), byName.end(),
            [&](int a, int b) { return m_names[size_t(a)].key < m_names[size_t(b)].key; });
  std::vector<int> rank(m_names.size());
  for (size_t r = 0; r < byName.size(); ++r) rank[size_t(byName[r])] = int(r);
  for (Entry& e : m_entries) e.pupil = rank[size_t(e.pupil)];
  std::sort(m_entries.begin(), m_entries.end(), [](const Entry& a, const Entry& b) {
    return std::tie(a.classKey, a.pupil, a.due, a.code) < std::tie(b.classKey, b.pupil, b.due, b.code);
  });

  LoanList list;
  list.day = m_day;
  list.everything = m_everything;
  list.texts = std::move(m_texts);
  const char* const texts = list.texts.constData();
  const Entry* previous = nullptr;
  for (const Entry& e : m_entries) {
    const bool newClass = !previous || e.classKey != previous->classKey;
    if (newClass) {
      const bool named = e.classKey != std::numeric_limits<int>::max();
      list.classes.push_back({named ? schoolClassName(e.classKey / kSections, e.classKey % kSections) : QString(), {}});
      if (named) ++list.classCount;
    }
    if (newClass || e.pupil != previous->pupil) {
      list.classes.back().pupils.push_back({m_names[size_t(byName[size_t(e.pupil)])].name, {}});
      ++list.pupils;
    }
    const char* title = texts + e.textAt;
    list.classes.back().pupils.back().loans.push_back({e.code, LoanText(title, e.titleLength),
                                                       QDate::fromJulianDay(e.due),
                                                       LoanText(title + e.titleLength, e.dueLength), e.daysLate});
    ++list.books;
    previous = &e;
  }
  list.unreadable = std::move(m_unreadable);
  m_entries.clear();
  m_texts.clear();
  m_unreadable.clear();
  m_pupils.clear();
  m_names.clear();
  return list;
}

QStringList columnNames() {
  return {u"Ημέρες καθυστέρησης"_s, u"Τμήμα"_s, u"Όνομα"_s, u"Κωδικός"_s, u"Τίτλος"_s, u"Επιστροφή"_s};
}

QStringList loanCells(const ClassGroup& group, const Pupil& pupil, const Loan& loan) {
  return {QString::number(loan.daysLate), group.className,   pupil.name,
          QString::number(loan.code),     loan.title.text(), loan.dueTyped.text()};
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
