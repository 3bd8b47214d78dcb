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

// The sort compares two whole numbers: the class and the pupil (by the place
// of the folded name among all names), then the return date and the code. The
// texts wait in the builder's block of bytes.
struct LoanListBuilder::Entry {
  quint64 group;  // class key << 32 | the pupil's index into m_names, then the name's place
  quint64 order;  // Julian day of the return << 32 | code; both are positive
  qint32 textAt;  // the title, then the date as typed, in m_texts
  quint8 titleLength;
  quint8 dueLength;
  int classKey() const { return int(group >> 32); }
  int pupil() const { return int(quint32(group)); }
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
    m_names.push_back({kept, reading.name()});
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
  m_entries.push_back({quint64(classKey) << 32 | quint32(pupil),
                       quint64(reading.due.toJulianDay()) << 32 | quint32(code), textAt, titleLength,
                       quint8(reading.dueLength)});
}

LoanList LoanListBuilder::finish() {
  std::vector<int> byName(m_names.size());
  for (size_t i = 0; i < byName.size(); ++i) byName[i] = int(i);
  std::sort(byName.begin(), byName.end(),
            [&](int a, int b) { return m_names[size_t(a)].key < m_names[size_t(b)].key; });
  std::vector<int> rank(m_names.size());
  for (size_t r = 0; r < byName.size(); ++r) rank[size_t(byName[r])] = int(r);
  for (Entry& e : m_entries) e.group = (e.group & ~quint64(0xFFFFFFFF)) | quint32(rank[size_t(e.pupil())]);
  std::sort(m_entries.begin(), m_entries.end(),
            [](const Entry& a, const Entry& b) { return a.group != b.group ? a.group < b.group : a.order < b.order; });

  LoanList list;
  list.day = m_day;
  list.everything = m_everything;
  list.texts = std::move(m_texts);
  const char* const texts = list.texts.constData();
  const qint64 day = m_day.toJulianDay();
  for (size_t i = 0; i < m_entries.size();) {
    const Entry& first = m_entries[i];
    if (i == 0 || first.classKey() != m_entries[i - 1].classKey()) {
      const int classKey = first.classKey();
      const bool named = quint32(classKey) != std::numeric_limits<quint32>::max();
      list.classes.push_back({named ? schoolClassName(classKey / kSections, classKey % kSections) : QString(), {}});
      if (named) ++list.classCount;
    }
    // A pupil's books, counted first so that they are placed once.
    size_t end = i + 1;
    while (end < m_entries.size() && m_entries[end].group == first.group) ++end;
    Pupil& pupil = list.classes.back().pupils.emplace_back();
    pupil.name = m_names[size_t(byName[size_t(first.pupil())])].name;
    pupil.loans.reserve(end - i);
    for (; i < end; ++i) {
      const Entry& e = m_entries[i];
      const char* title = texts + e.textAt;
      const qint64 due = qint64(e.order >> 32);
      pupil.loans.push_back({qint32(quint32(e.order)), LoanText(title, e.titleLength), QDate::fromJulianDay(due),
                             LoanText(title + e.titleLength, e.dueLength), int(qMax(day - due, qint64(0)))});
    }
    ++list.pupils;
  }
  list.books = int(m_entries.size());
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
