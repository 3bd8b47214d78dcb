#pragma once

#include <QStringList>
#include <functional>
#include <string>
#include <vector>

class CatalogueFile;

// The book numbers of the records an import adds, to tell those that repeat:
// in the import itself or against the catalogue's live records.
class ImportRepeats {
 public:
  // The catalogue's book numbers, read before the import writes; false when
  // it cannot be read (the file's lastError() says why).
  bool readCatalogue(CatalogueFile& catalogue);
  // The next record of the import, in order.
  void add(const char* record);
  qint64 count() const { return m_count; }
  // A line for each record of the import whose book number stands in the
  // catalogue or in an earlier record; `placeOf` names the import's n-th record.
  QStringList find(const std::function<QString(qint64)>& placeOf);

 private:
  // A book number: up to 18 digits as its value, a longer one by its text in
  // m_long; `record` is the import's record from 1, or a catalogue code.
  struct Number {
    quint64 value;
    qint32 longText;  // index in m_long, or -1
    qint64 record;
  };
  bool numberOf(const char* record, qint64 n, Number& number);
  bool less(const Number& a, const Number& b) const;
  QString shown(const Number& n) const;

  std::vector<Number> m_catalogue;
  std::vector<Number> m_numbers;
  std::vector<std::string> m_long;
  qint64 m_count = 0;
};
