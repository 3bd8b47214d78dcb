#include "loans/LoanList.h"

#include <QtEndian>
#include <algorithm>
#include <cstring>
#include <limits>

#include "catalogue/CatalogueRecord.h"
#include "catalogue/Cp1253.h"
#include "catalogue/FieldBytes.h"
#include "loans/BorrowerField.h"

using namespace Qt::StringLiterals;

namespace loans {

// The books are placed by their group (a pupil in a class), then sorted
// within it by one whole number. The texts wait in the builder's block of bytes.
struct LoanListBuilder::Entry {
  quint64 order;  // Julian day of the return << 32 | code; both are positive
  qint32 group;   // index into m_groups
  qint32 textAt;  // the title, then the date as typed, in m_texts
  quint8 titleLength;
  quint8 dueLength;
};

namespace {

constexpr int kSections = 100;  // sections are one or two digits

// Copies the title's bytes to `out` with line breaks made blanks ("\r\n" one
// blank), as the window shows a title on one line; returns their length.
int copyTitle(char* out, fieldbytes::Span t) {
  std::memcpy(out, t.data, size_t(t.length));
  if (!std::memchr(t.data, '\n', size_t(t.length)) && !std::memchr(t.data, '\r', size_t(t.length))) return t.length;
  int to = 0;
  for (int from = 0; from < t.length; ++from) {
    const char c = out[from];
    if (c == '\r' && from + 1 < t.length && out[from + 1] == '\n') continue;
    out[to++] = c == '\r' || c == '\n' ? ' ' : c;
  }
  return to;
}

// Most books are on the shelf: their borrower field is told blank a word at a time.
bool isBlank(const char* field) {
  constexpr int kWidth = CatalogueRecord::kWidth[recordfield::kBorrower];
  static_assert(kWidth >= 8);
  constexpr quint64 kBlanks = 0x2020202020202020ULL;
  quint64 other = qFromUnaligned<quint64>(field + kWidth - 8) ^ kBlanks;
  for (int i = 0; i + 8 <= kWidth; i += 8) other |= qFromUnaligned<quint64>(field + i) ^ kBlanks;
  return other == 0;
}

QString titleOf(const char* record) {
  const fieldbytes::Span t = fieldbytes::trimmed(record, recordfield::kTitle);
  QByteArray bytes(t.length, Qt::Uninitialized);
  return cp1253::decode(bytes.constData(), copyTitle(bytes.data(), t));
}

}  // namespace

LoanListBuilder::LoanListBuilder(const QDate& day, bool everything) : m_day(day), m_everything(everything) {}
LoanListBuilder::~LoanListBuilder() = default;

void LoanListBuilder::expect(qint32 records) { m_entries.reserve(size_t(qMax(records, 0))); }

void LoanListBuilder::add(qint32 code, const char* record) {
  if (isBlank(record + CatalogueRecord::kOffset[recordfield::kBorrower])) return;
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
    m_names.push_back({kept, reading.name(), 0, -1});
  }
  const quint32 classKey =
      reading.grade == 0 ? std::numeric_limits<quint32>::max() : quint32(reading.grade * kSections + reading.section);
  const fieldbytes::Span title = fieldbytes::trimmed(record, recordfield::kTitle);
  const qint32 textAt = qint32(m_texts.size());
  m_texts.resize(textAt + title.length + reading.dueLength);
  char* out = m_texts.data() + textAt;
  const auto titleLength = quint8(copyTitle(out, title));
  std::memcpy(out + titleLength, field.data + reading.dueAt, size_t(reading.dueLength));
  m_texts.truncate(textAt + titleLength + reading.dueLength);
  m_entries.push_back({quint64(reading.due.toJulianDay()) << 32 | quint32(code), groupOf(pupil, classKey), textAt,
                       titleLength, quint8(reading.dueLength)});
}

// A pupil's books are nearly always in one class: the last one is asked first.
int LoanListBuilder::groupOf(int pupil, quint32 classKey) {
  Name& name = m_names[size_t(pupil)];
  if (name.lastGroup >= 0 && name.lastClass == classKey) return name.lastGroup;
  const quint64 key = quint64(classKey) << 32 | quint32(pupil);
  auto it = m_groupOf.constFind(key);
  if (it == m_groupOf.cend()) {
    it = m_groupOf.insert(key, int(m_groups.size()));
    m_groups.push_back(key);
  }
  name.lastClass = classKey;
  name.lastGroup = it.value();
  return it.value();
}

LoanList LoanListBuilder::finish() {
  std::vector<int> byName(m_names.size());
  for (size_t i = 0; i < byName.size(); ++i) byName[i] = int(i);
  std::sort(byName.begin(), byName.end(),
            [&](int a, int b) { return m_names[size_t(a)].key < m_names[size_t(b)].key; });
  std::vector<int> rank(m_names.size());
  for (size_t r = 0; r < byName.size(); ++r) rank[size_t(byName[r])] = int(r);
  // The groups in the list's order: by class, then by the pupil's name.
  const auto classOf = [](quint64 group) { return quint32(group >> 32); };
  const auto pupilOf = [](quint64 group) { return int(quint32(group)); };
  std::vector<int> groupOrder(m_groups.size());
  for (size_t g = 0; g < groupOrder.size(); ++g) groupOrder[g] = int(g);
  std::sort(groupOrder.begin(), groupOrder.end(), [&](int a, int b) {
    const quint64 ga = m_groups[size_t(a)];
    const quint64 gb = m_groups[size_t(b)];
    return classOf(ga) != classOf(gb) ? classOf(ga) < classOf(gb)
                                      : rank[size_t(pupilOf(ga))] < rank[size_t(pupilOf(gb))];
  });
  // Each group's books together (counted, then placed), then sorted by return and code.
  std::vector<size_t> start(m_groups.size() + 1, 0);
  std::vector<int> place(m_groups.size());
  for (size_t r = 0; r < groupOrder.size(); ++r) place[size_t(groupOrder[r])] = int(r);
  for (const Entry& e : m_entries) ++start[size_t(place[size_t(e.group)]) + 1];
  for (size_t r = 1; r < start.size(); ++r) start[r] += start[r - 1];
  std::vector<Entry> sorted(m_entries.size());
  {
    std::vector<size_t> next(start.begin(), start.end() - 1);
    for (const Entry& e : m_entries) sorted[next[size_t(place[size_t(e.group)])]++] = e;
  }
  m_entries = std::vector<Entry>();

  LoanList list;
  list.day = m_day;
  list.everything = m_everything;
  list.texts = std::move(m_texts);
  const char* const texts = list.texts.constData();
  const qint64 day = m_day.toJulianDay();
  for (size_t r = 0; r < groupOrder.size(); ++r) {
    const quint64 group = m_groups[size_t(groupOrder[r])];
    const quint32 classKey = classOf(group);
    if (r == 0 || classKey != classOf(m_groups[size_t(groupOrder[r - 1])])) {
      const bool named = classKey != std::numeric_limits<quint32>::max();
      list.classes.push_back(
          {named ? schoolClassName(int(classKey) / kSections, int(classKey) % kSections) : QString(), {}});
      if (named) ++list.classCount;
    }
    const auto first = sorted.begin() + qsizetype(start[r]);
    const auto end = sorted.begin() + qsizetype(start[r + 1]);
    std::sort(first, end, [](const Entry& a, const Entry& b) { return a.order < b.order; });
    Pupil& pupil = list.classes.back().pupils.emplace_back();
    pupil.name = m_names[size_t(pupilOf(group))].name;
    pupil.loans.reserve(size_t(end - first));
    for (auto e = first; e != end; ++e) {
      const char* title = texts + e->textAt;
      const qint64 due = qint64(e->order >> 32);
      pupil.loans.push_back({qint32(quint32(e->order)), LoanText(title, e->titleLength), QDate::fromJulianDay(due),
                             LoanText(title + e->titleLength, e->dueLength), int(qMax(day - due, qint64(0)))});
    }
    ++list.pupils;
  }
  list.books = int(sorted.size());
  list.unreadable = std::move(m_unreadable);
  m_entries.clear();
  m_texts.clear();
  m_unreadable.clear();
  m_pupils.clear();
  m_names.clear();
  m_groups.clear();
  m_groupOf.clear();
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
