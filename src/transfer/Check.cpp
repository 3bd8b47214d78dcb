#include "transfer/Check.h"

#include <QFileInfo>
#include <algorithm>
#include <map>
#include <string>
#include <vector>

#include "catalogue/CatalogueFile.h"
#include "catalogue/CatalogueLock.h"
#include "catalogue/FieldBytes.h"
#include "catalogue/ImportJournal.h"
#include "catalogue/RecordScan.h"
#include "transfer/OpenToRead.h"
#include "transfer/RecordList.h"

using namespace Qt::StringLiterals;

namespace {

constexpr qint64 kRecord = CatalogueRecord::kLength;

using fieldbytes::bookNumberOf;
using fieldbytes::classesOf;
using fieldbytes::kControl;
using fieldbytes::kNul;
using fieldbytes::kUndefined;

// The book numbers of the live records, to find the ones given more than
// once: each number of up to 18 digits as its value, 8 to 16 bytes a number
// as the list grows, the rare longer ones as text. Sorted once all are in.
class BookNumbers {
 public:
  void add(fieldbytes::Span number) {
    if (number.length > kMostDigits)
      m_long.emplace_back(number.data, size_t(number.length));
    else
      m_values.push_back(valueOf(number));
  }
  // Keeps only the numbers that were added more than once.
  void keepRepeated() {
    keepRepeated(m_values);
    keepRepeated(m_long);
  }
  bool isEmpty() const { return m_values.empty() && m_long.empty(); }
  bool contains(fieldbytes::Span number) const {
    if (number.length > kMostDigits)
      return std::binary_search(m_long.begin(), m_long.end(), std::string(number.data, size_t(number.length)));
    return std::binary_search(m_values.begin(), m_values.end(), valueOf(number));
  }

 private:
  static constexpr int kMostDigits = 18;
  static quint64 valueOf(fieldbytes::Span digits) {
    quint64 value = 0;
    for (int i = 0; i < digits.length; ++i) value = value * 10 + quint64(digits.data[i] - '0');
    return value;
  }
  template <class T>
  static void keepRepeated(std::vector<T>& items) {
    std::sort(items.begin(), items.end());
    auto out = items.begin();
    for (auto i = items.begin(); i != items.end();) {
      const auto next = std::upper_bound(i, items.end(), *i);
      if (next - i > 1) *out++ = *i;
      i = next;
    }
    items.erase(out, items.end());
  }
  std::vector<quint64> m_values;
  std::vector<std::string> m_long;
};

QString records(qint64 n) { return n == 1 ? u"1 εγγραφή"_s : u"%1 εγγραφές"_s.arg(n); }

QString summaryLine(const QString& name, qint64 length, qint32 count) {
  if (length == 0) return u"«%1»: κενός κατάλογος (0 byte)."_s.arg(name);
  const qint64 whole = length / kRecord;
  const qint64 rest = length % kRecord;
  if (rest == 0)
    return u"«%1»: %2 (%3 byte = %4 × %5)."_s.arg(name, records(count)).arg(length).arg(whole).arg(kRecord);
  return u"«%1»: %2 (%3 byte = %4 × %5 + %6, που στρογγυλεύονται σε %7)."_s.arg(name, records(count))
      .arg(length)
      .arg(whole)
      .arg(kRecord)
      .arg(rest)
      .arg(count);
}

QString tornTailLine(qint64 length, qint32 count) {
  const qint64 whole = length / kRecord;
  const qint64 rest = length % kRecord;
  const QString shown = count > whole ? u"τα προγράμματα τη δείχνουν ως εγγραφή %1, συμπληρωμένη με κενά"_s.arg(count)
                                      : u"τα προγράμματα δεν τη δείχνουν"_s;
  return u"Μισή τελευταία εγγραφή: %1 byte μετά την εγγραφή %2· %3."_s.arg(rest).arg(whole).arg(shown);
}

// Finishes the undo of an import that ended unfinished; one still writing is left alone.
QString finishUnfinishedImport(const QString& path) {
  if (!importjournal::pending(path)) return {};
  CatalogueLock lock;
  if (lock.acquire(path) != CatalogueLock::Result::Acquired)
    return u"Μια εισαγωγή γράφει τώρα στον κατάλογο· ελέγχονται μόνο οι εγγραφές πριν από αυτήν."_s;
  int error = 0;
  switch (importjournal::finishInterrupted(path, &error)) {
    case importjournal::Outcome::Nothing:
      return {};
    case importjournal::Outcome::Undone:
      return importjournal::undoneNotice(QFileInfo(path).fileName());
    case importjournal::Outcome::Failed:
      break;
  }
  return CatalogueError::of(CatalogueError::Operation::Write, path, error).describe();
}

}  // namespace

CheckReport checkCatalogue(const QString& path) {
  CheckReport report;
  const QString unfinished = finishUnfinishedImport(path);
  CatalogueFile file;
  if (const QString error = openToRead(file, path); !error.isEmpty()) {
    report.readable = false;
    report.lines = {error};
    return report;
  }
  const QString name = QFileInfo(path).fileName();
  qint64 length = QFileInfo(path).size();
  if (const std::optional<importjournal::Entry> entry = importjournal::pending(path))
    length = std::min(length, entry->oldLength);
  const qint32 count = file.recordCount();
  if (!unfinished.isEmpty()) report.lines.append(unfinished);
  report.lines.append(summaryLine(name, length, count));
  if (length % kRecord != 0) {
    report.lines.append(tornTailLine(length, count));
    report.findings = true;
  }

  RecordList deleted, nul, control, undefined;
  BookNumbers repeated;
  RecordScan scan(file);
  for (qint32 n = 1; n <= count; ++n) {
    const char* record = scan.record(n);
    if (!record) break;
    if (fieldbytes::isDeletionMark(record)) {
      deleted.add(n);
      continue;
    }
    const unsigned char found = classesOf(record);
    if (found & kNul) nul.add(n);
    if (found & kControl) control.add(n);
    if (found & kUndefined) undefined.add(n);
    const fieldbytes::Span number = bookNumberOf(record);
    if (number.length > 0) repeated.add(number);
  }
  if (scan.failed()) {
    report.readable = false;
    report.lines = {file.lastError().describe()};
    return report;
  }

  repeated.keepRepeated();

  // The records of each repeated book number take a second reading, made only when there are some.
  std::map<std::pair<qsizetype, QByteArray>, RecordList> repeatedIn;
  if (!repeated.isEmpty()) {
    RecordScan again(file);
    for (qint32 n = 1; n <= count; ++n) {
      const char* record = again.record(n);
      if (!record) break;
      if (fieldbytes::isDeletionMark(record)) continue;
      const fieldbytes::Span number = bookNumberOf(record);
      if (number.length > 0 && repeated.contains(number))
        repeatedIn[{number.length, QByteArray(number.data, number.length)}].add(n);
    }
  }

  const auto list = [&](const QString& what, const RecordList& list) {
    if (!list.isEmpty()) report.lines.append(u"%1 (%2): %3."_s.arg(what).arg(list.count()).arg(list.toString()));
  };
  list(u"Διαγραμμένες εγγραφές"_s, deleted);
  list(u"Εγγραφές με byte NUL"_s, nul);
  list(u"Εγγραφές με χαρακτήρες ελέγχου"_s, control);
  list(u"Εγγραφές με byte που η Windows-1253 δεν ορίζει"_s, undefined);
  for (const auto& [key, where] : repeatedIn)
    report.lines.append(u"Ο βιβλιάριθμος %1 υπάρχει σε %2 εγγραφές: %3."_s.arg(QString::fromLatin1(key.second))
                            .arg(where.count())
                            .arg(where.toString()));
  report.findings =
      report.findings || !nul.isEmpty() || !control.isEmpty() || !undefined.isEmpty() || !repeatedIn.empty();
  return report;
}
