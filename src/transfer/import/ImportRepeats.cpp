#include "transfer/import/ImportRepeats.h"

#include <algorithm>
#include <map>

#include "catalogue/CatalogueFile.h"
#include "catalogue/FieldBytes.h"
#include "catalogue/RecordScan.h"

using namespace Qt::StringLiterals;

namespace {
constexpr int kMostDigits = 18;
}

bool ImportRepeats::numberOf(const char* record, qint64 n, Number& number) {
  const fieldbytes::Span digits = fieldbytes::bookNumberOf(record);
  if (digits.length == 0) return false;
  number = {0, -1, n};
  if (digits.length > kMostDigits) {
    number.value = ~quint64(0);
    number.longText = qint32(m_long.size());
    m_long.emplace_back(digits.data, size_t(digits.length));
    return true;
  }
  for (int i = 0; i < digits.length; ++i) number.value = number.value * 10 + quint64(digits.data[i] - '0');
  return true;
}

bool ImportRepeats::less(const Number& a, const Number& b) const {
  if (a.value != b.value) return a.value < b.value;
  if (a.longText >= 0 && b.longText >= 0) {
    const std::string& x = m_long[size_t(a.longText)];
    const std::string& y = m_long[size_t(b.longText)];
    if (x.size() != y.size()) return x.size() < y.size();
    if (x != y) return x < y;
  }
  return false;
}

QString ImportRepeats::shown(const Number& n) const {
  return n.longText >= 0 ? QString::fromStdString(m_long[size_t(n.longText)]) : QString::number(n.value);
}

bool ImportRepeats::readCatalogue(CatalogueFile& catalogue) {
  RecordScan scan(catalogue);
  Number number{};
  for (qint32 n = 1; n <= catalogue.recordCount(); ++n) {
    const char* record = scan.record(n);
    if (!record) break;
    if (!fieldbytes::isDeletionMark(record) && numberOf(record, n, number)) m_catalogue.push_back(number);
  }
  return !scan.failed();
}

void ImportRepeats::add(const char* record) {
  ++m_count;
  Number number{};
  if (numberOf(record, m_count, number)) m_numbers.push_back(number);
}

QStringList ImportRepeats::find(const std::function<QString(qint64)>& placeOf) {
  // By number, and in order within a number: the first one is the one repeated.
  const auto byNumberThenRecord = [this](const Number& a, const Number& b) {
    return less(a, b) || (!less(b, a) && a.record < b.record);
  };
  const auto byNumber = [this](const Number& a, const Number& b) { return less(a, b); };
  std::sort(m_catalogue.begin(), m_catalogue.end(), byNumberThenRecord);
  std::sort(m_numbers.begin(), m_numbers.end(), byNumberThenRecord);
  std::map<qint64, QString> found;  // in the import's order
  for (auto i = m_numbers.begin(); i != m_numbers.end();) {
    const auto next = std::upper_bound(i, m_numbers.end(), *i, byNumber);
    const auto inCatalogue = std::lower_bound(m_catalogue.begin(), m_catalogue.end(), *i, byNumber);
    const bool known = inCatalogue != m_catalogue.end() && !less(*i, *inCatalogue);
    for (auto j = i; j != next; ++j) {
      if (known)
        found[j->record] = u"%1: ο βιβλιάριθμος %2 υπάρχει ήδη στον κατάλογο, στην εγγραφή με κωδικό %3"_s.arg(
            placeOf(j->record), shown(*j), QString::number(inCatalogue->record));
      else if (j != i)
        found[j->record] =
            u"%1: ο βιβλιάριθμος %2 δίνεται ήδη πιο πάνω (%3)"_s.arg(placeOf(j->record), shown(*j), placeOf(i->record));
    }
    i = next;
  }
  QStringList lines;
  for (const auto& [record, line] : found) lines.append(line);
  return lines;
}
