#include "transfer/RecordList.h"

#include <QStringList>

void RecordList::add(qint32 n) {
  ++m_count;
  if (!m_runs.empty() && m_runs.back().second + 1 == n)
    m_runs.back().second = n;
  else
    m_runs.emplace_back(n, n);
}

QString RecordList::toString() const {
  QStringList parts;
  for (const auto& [first, last] : m_runs)
    parts.append(first == last ? QString::number(first) : QString::number(first) + u'-' + QString::number(last));
  return parts.join(QStringLiteral(", "));
}
