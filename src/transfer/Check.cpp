#include "transfer/Check.h"

#include <QFileInfo>
#include <algorithm>
#include <array>
#include <map>
#include <set>
#include <string>
#include <unordered_map>

#include "catalogue/CatalogueFile.h"
#include "catalogue/RecordScan.h"
#include "transfer/FieldBytes.h"
#include "transfer/OpenToRead.h"
#include "transfer/RecordList.h"

using namespace Qt::StringLiterals;

namespace {

constexpr qint64 kRecord = CatalogueRecord::kLength;
constexpr int kTitle = 2;
constexpr int kBookNumber = 4;

enum ByteClass : unsigned char { kNul = 1, kControl = 2, kUndefined = 4 };

bool isControl(unsigned char b) { return b < 0x20 || b == 0x7F; }

// Whether the bytes hold anything but printable characters: written so that
// the compiler checks many bytes at once, since nearly every record is clean.
bool mayHoldFindings(const unsigned char* bytes) {
  unsigned char any = 0;
  for (int i = 0; i < CatalogueRecord::kLength; ++i) {
    const unsigned char b = bytes[i];
    any |= static_cast<unsigned char>((b < 0x20) | (b == 0x7F) | (static_cast<unsigned char>(b - 0x80) < 0x20) |
                                      (b == 0xAA) | (b == 0xD2) | (b == 0xFF));
  }
  return any != 0;
}

// What the record holds; the title keeps the line breaks its box takes.
unsigned char classesOf(const char* record) {
  const auto* bytes = reinterpret_cast<const unsigned char*>(record);
  if (!mayHoldFindings(bytes)) return 0;
  const int titleBegin = CatalogueRecord::kOffset[kTitle];
  const int titleEnd = titleBegin + CatalogueRecord::kWidth[kTitle];
  unsigned char found = 0;
  for (int i = 0; i < kRecord; ++i) {
    const unsigned char b = bytes[i];
    const bool lineBreak = (b == '\r' || b == '\n') && i >= titleBegin && i < titleEnd;
    if (b == 0)
      found |= kNul;
    else if (isControl(b) && !lineBreak)
      found |= kControl;
    else if (fieldbytes::isUndefined(b))
      found |= kUndefined;
  }
  return found;
}

// The leading number of field 5 after any blanks, without leading zeros;
// empty when there is none. Points into the record: no copy.
fieldbytes::Span bookNumberOf(const char* record) {
  const fieldbytes::Span f = fieldbytes::trimmed(record, kBookNumber);
  int i = 0;
  while (i < f.length && f.data[i] == ' ') ++i;
  while (i + 1 < f.length && f.data[i] == '0' && f.data[i + 1] >= '0' && f.data[i + 1] <= '9') ++i;
  const int start = i;
  while (i < f.length && f.data[i] >= '0' && f.data[i] <= '9') ++i;
  return {f.data + start, i - start};
}

// Numbers in an open-addressed table, kept between three and three quarters
// full: about 16 bytes a number, whatever their spread.
class ValueTable {
 public:
  // True when the value was not yet there.
  bool insert(quint64 value) {
    if ((m_count + 1) * 4 > m_slots.size() * 3) grow();
    quint64& slot = m_slots[indexOf(value)];
    if (slot != 0) return false;
    slot = value + 1;  // 0 marks a free slot
    ++m_count;
    return true;
  }
  bool contains(quint64 value) const { return !m_slots.empty() && m_slots[indexOf(value)] != 0; }

 private:
  size_t indexOf(quint64 value) const {
    const size_t mask = m_slots.size() - 1;
    size_t i = size_t((value * 0x9E3779B97F4A7C15u) >> 20) & mask;
    while (m_slots[i] != 0 && m_slots[i] != value + 1) i = (i + 1) & mask;
    return i;
  }
  void grow() {
    std::vector<quint64> old(std::max<size_t>(1024, m_slots.size() * 2), 0);
    old.swap(m_slots);
    for (const quint64 slot : old)
      if (slot != 0) m_slots[indexOf(slot - 1)] = slot;
  }
  std::vector<quint64> m_slots;
  size_t m_count = 0;
};

// Book numbers seen, a bit per possible number in pages made on first use,
// fast for the close numbers of a library. Numbers so spread that the pages
// would cost more than a table of them move into a ValueTable. Numbers too
// long for 64 bits go into a small set of their own.
class NumberSet {
 public:
  // True when the number was already in the set.
  bool insert(fieldbytes::Span number) {
    if (number.length > kMostDigits) return !m_long.emplace(number.data, number.length).second;
    const quint64 value = valueOf(number);
    if (m_spread) return !m_table.insert(value);
    std::vector<quint64>& page = m_pages[value >> kPageBits];
    if (page.empty()) page.resize(kPageWords);
    quint64& word = page[(value & kPageMask) >> 6];
    const quint64 bit = quint64(1) << (value & 63);
    if (word & bit) return true;
    word |= bit;
    ++m_distinct;
    if (m_pages.size() > kFreePages && m_pages.size() * kPageBytes > kBytesPerNumber * m_distinct) moveToTable();
    return false;
  }
  bool contains(fieldbytes::Span number) const {
    if (number.length > kMostDigits) return m_long.count(std::string(number.data, size_t(number.length))) > 0;
    const quint64 value = valueOf(number);
    if (m_spread) return m_table.contains(value);
    const auto page = m_pages.find(value >> kPageBits);
    return page != m_pages.end() && (page->second[(value & kPageMask) >> 6] >> (value & 63) & 1);
  }
  bool isEmpty() const { return m_distinct == 0 && m_long.empty(); }

 private:
  static constexpr int kMostDigits = 18;
  static quint64 valueOf(fieldbytes::Span digits) {
    quint64 value = 0;
    for (int i = 0; i < digits.length; ++i) value = value * 10 + quint64(digits.data[i] - '0');
    return value;
  }
  void moveToTable() {
    for (const auto& [high, page] : m_pages)
      for (size_t w = 0; w < page.size(); ++w)
        for (int b = 0; b < 64; ++b)
          if (page[w] >> b & 1) m_table.insert(high << kPageBits | quint64(w) << 6 | quint64(b));
    m_pages.clear();
    m_spread = true;
  }
  static constexpr int kPageBits = 16;
  static constexpr quint64 kPageMask = (quint64(1) << kPageBits) - 1;
  static constexpr size_t kPageWords = size_t(1) << (kPageBits - 6);
  static constexpr size_t kPageBytes = kPageWords * sizeof(quint64);
  // Pages up to a megabyte are always fine; past that, no more than a table would take.
  static constexpr size_t kFreePages = 128;
  static constexpr size_t kBytesPerNumber = 16;
  std::unordered_map<quint64, std::vector<quint64>> m_pages;
  size_t m_distinct = 0;
  bool m_spread = false;
  ValueTable m_table;
  std::set<std::string> m_long;
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
  if (const QString error = openToRead(file, path); !error.isEmpty()) {
    report.readable = false;
    report.lines = {error};
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
    const fieldbytes::Span number = bookNumberOf(record);
    if (number.length > 0 && seen.insert(number)) repeated.insert(number);
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
