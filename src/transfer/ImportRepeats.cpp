#include "transfer/ImportRepeats.h"

#include <algorithm>
#include <map>
#include <tuple>

#include "catalogue/CatalogueFile.h"
#include "catalogue/RecordScan.h"
#include "transfer/FieldBytes.h"

using namespace Qt::StringLiterals;

namespace {
constexpr int kMostDigits = 18;
}

bool ImportRepeats::numberOf(const char* record, quint64& value, std::string& digits) {
  const fieldbytes::Span number = fieldbytes::bookNumberOf(record);
  if (number.length == 0) return false;
  value = 0;
  digits.clear();
  if (number.length > kMostDigits) {
    value = ~quint64(0);
    digits.assign(number.data, size_t(number.length));
    return true;
  }
  for (int i = 0; i < number.length; ++i) value = value * 10 + quint64(number.data[i] - '0');
  return true;
}

void ImportRepeats::add(const char* record) {
  ++m_count;
  quint64 value = 0;
  std::string digits;
  if (numberOf(record, value, digits)) m_numbers.push_back({value, std::move(digits), m_count});
}

bool ImportRepeats::find(CatalogueFile& catalogue, const std::function<QString(qint64)>& placeOf, QStringList& lines) {
  std::sort(m_numbers.begin(), m_numbers.end());
  const auto sameNumber = [](const Number& a, const Number& b) {
    return std::tie(a.value, a.digits) < std::tie(b.value, b.digits);
  };
  // The first live catalogue record holding each of the import's numbers.
  std::map<qint64, qint32> inCatalogue;  // import record -> catalogue code
  RecordScan scan(catalogue);
  Number key{0, {}, 0};
  for (qint32 n = 1; !m_numbers.empty(); ++n) {
    const char* record = scan.record(n);
    if (!record) break;
    if (fieldbytes::isDeletionMark(record) || !numberOf(record, key.value, key.digits)) continue;
    const auto [from, to] = std::equal_range(m_numbers.begin(), m_numbers.end(), key, sameNumber);
    for (auto i = from; i != to; ++i) inCatalogue.try_emplace(i->record, n);
  }
  if (scan.failed()) return false;

  std::map<qint64, QString> found;  // in the import's order
  for (auto i = m_numbers.begin(); i != m_numbers.end();) {
    const auto next = std::upper_bound(i, m_numbers.end(), *i, sameNumber);
    const QString shown = i->digits.empty() ? QString::number(i->value) : QString::fromStdString(i->digits);
    for (auto j = i; j != next; ++j) {
      if (const auto code = inCatalogue.find(j->record); code != inCatalogue.end())
        found[j->record] = u"%1: ο βιβλιάριθμος %2 υπάρχει ήδη στον κατάλογο, στην εγγραφή με κωδικό %3"_s.arg(
            placeOf(j->record), shown, QString::number(code->second));
      else if (j != i)
        found[j->record] =
            u"%1: ο βιβλιάριθμος %2 δίνεται ήδη πιο πάνω (%3)"_s.arg(placeOf(j->record), shown, placeOf(i->record));
    }
    i = next;
  }
  for (const auto& [record, line] : found) lines.append(line);
  return true;
}
