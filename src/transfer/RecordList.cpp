#include "transfer/RecordList.h"

#include <QStringList>

void RecordList::add(qint32 n) {
  ++m_count;
  if (!m_runs.empty() && m_runs.back().second + 1 == n)
    m_runs.back().second = n;
  else
    m_runs.emplace_back(n, n);
}

QString RecordList::toString(qsizetype mostRuns) const {
  QStringList parts;
  for (const auto& [first, last] : m_runs) {
    if (parts.size() == mostRuns) break;
    parts.append(first == last ? QString::number(first) : QString::number(first) + u'-' + QString::number(last));
  }
  QString text = parts.join(QStringLiteral(", "));
  if (qsizetype(m_runs.size()) > mostRuns) text += QStringLiteral(" και άλλες");
  return text;
}
