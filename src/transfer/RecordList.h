#pragma once

#include <QString>
#include <utility>
#include <vector>

// Record numbers in ascending order, kept as runs ("3, 7-9") so that a long
// list costs little memory.
class RecordList {
 public:
  void add(qint32 n);
  qint64 count() const { return m_count; }
  bool isEmpty() const { return m_count == 0; }
  // "3, 7-9"; past `mostRuns` runs the rest is summed up as "και άλλες".
  QString toString(qsizetype mostRuns = 50) const;

 private:
  std::vector<std::pair<qint32, qint32>> m_runs;
  qint64 m_count = 0;
};
