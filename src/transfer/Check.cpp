#include "transfer/Check.h"

#include <QFileInfo>
#include <array>
#include <cerrno>
#include <map>
#include <set>
#include <unordered_map>

#include "catalogue/CatalogueFile.h"
#include "catalogue/RecordScan.h"
#include "transfer/FieldBytes.h"
#include "transfer/OutputFile.h"
#include "transfer/RecordList.h"

using namespace Qt::StringLiterals;

namespace {

constexpr qint64 kRecord = CatalogueRecord::kLength;
constexpr int kTitle = 2;
constexpr int kBookNumber = 4;

enum ByteClass : unsigned char { kNul = 1, kControl = 2, kUndefined = 4 };

// The class of each byte; the title keeps the line breaks its box holds.
struct ByteClasses {
  std::array<unsigned char, 256> field{};
  std::array<unsigned char, 256> title{};
  ByteClasses() {
    for (int b = 0; b < 256; ++b) {
      const auto c = static_cast<unsigned char>(b);
      unsigned char k = b == 0 ? kNul : (b < 0x20 || b == 0x7F) ? kControl : 0;
      if (fieldbytes::isUndefined(c)) k = kUndefined;
      field[size_t(b)] = k;
      title[size_t(b)] = b == '\r' || b == '\n' ? 0 : k;
    }
  }
};

unsigned char classesOf(const char* record) {
  static const ByteClasses classes;
  unsigned char found = 0;
  const auto* bytes = reinterpret_cast<const unsigned char*>(record);
  const int titleBegin = CatalogueRecord::kOffset[kTitle];
  const int titleEnd = titleBegin + CatalogueRecord::kWidth[kTitle];
  for (int i = 0; i < titleBegin; ++i) found |= classes.field[bytes[i]];
  for (int i = titleBegin; i < titleEnd; ++i) found |= classes.title[bytes[i]];
  for (int i = titleEnd; i < kRecord; ++i) found |= classes.field[bytes[i]];
  return found;
}

// The leading number of field 5 after any blanks, without leading zeros; empty when there is none.
QByteArray bookNumberOf(const char* record) {
  const fieldbytes::Span f = fieldbytes::trimmed(record, kBookNumber);
  int i = 0;
  while (i < f.length && f.data[i] == ' ') ++i;
  while (i + 1 < f.length && f.data[i] == '0' && f.data[i + 1] >= '0' && f.data[i + 1] <= '9') ++i;
  const int start = i;
  while (i < f.length && f.data[i] >= '0' && f.data[i] <= '9') ++i;
  return QByteArray(f.data + start, i - start);
}

// Book numbers seen, a bit per possible number in pages made on first use:
// memory follows the range of the numbers, not the number of records.
// Numbers too long for 64 bits go into a small map of their own.
class NumberSet {
 public:
  // True when the number was already in the set.
  bool insert(const QByteArray& number) {
    if (number.size() > 18) return !m_long.insert(number).second;
    const quint64 value = number.toULongLong();
    std::vector<quint64>& page = m_pages[value >> kPageBits];
    if (page.empty()) page.resize(kPageWords);
    quint64& word = page[(value & kPageMask) >> 6];
    const quint64 bit = quint64(1) << (value & 63);
    const bool had = word & bit;
    word |= bit;
    return had;
  }
  bool contains(const QByteArray& number) const {
    if (number.size() > 18) return m_long.count(number) > 0;
    const quint64 value = number.toULongLong();
    const auto page = m_pages.find(value >> kPageBits);
    return page != m_pages.end() && (page->second[(value & kPageMask) >> 6] >> (value & 63) & 1);
  }
  bool isEmpty() const { return m_pages.empty() && m_long.empty(); }

 private:
  static constexpr int kPageBits = 16;
  static constexpr quint64 kPageMask = (quint64(1) << kPageBits) - 1;
  static constexpr size_t kPageWords = size_t(1) << (kPageBits - 6);
  std::unordered_map<quint64, std::vector<quint64>> m_pages;
  std::set<QByteArray> m_long;
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

}  // namespace

CheckReport checkCatalogue(const QString& path) {
  CheckReport report;
  CatalogueFile file;
  if (!QFileInfo::exists(path) || !file.open(path, FileIo::Mode::ReadOnly)) {
    report.readable = false;
    report.lines = {file.lastError().failed() ? file.lastError().describe() : readFailure(path, ENOENT)};
    return report;
  }
  const QString name = QFileInfo(path).fileName();
  const qint64 length = QFileInfo(path).size();
  const qint32 count = file.recordCount();
  report.lines.append(summaryLine(name, length, count));
  if (length % kRecord != 0) {
    report.lines.append(tornTailLine(length, count));
    report.findings = true;
  }

  RecordList deleted, nul, control, undefined;
  NumberSet seen, repeated;
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
    const QByteArray number = bookNumberOf(record);
    if (!number.isEmpty() && seen.insert(number)) repeated.insert(number);
  }
  if (scan.failed()) {
    report.readable = false;
    report.lines = {file.lastError().describe()};
    return report;
  }

  // The records of each repeated book number take a second reading, made only when there are some.
  std::map<std::pair<qsizetype, QByteArray>, RecordList> repeatedIn;
  if (!repeated.isEmpty()) {
    RecordScan again(file);
    for (qint32 n = 1; n <= count; ++n) {
      const char* record = again.record(n);
      if (!record) break;
      if (fieldbytes::isDeletionMark(record)) continue;
      const QByteArray number = bookNumberOf(record);
      if (!number.isEmpty() && repeated.contains(number)) repeatedIn[{number.size(), number}].add(n);
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
