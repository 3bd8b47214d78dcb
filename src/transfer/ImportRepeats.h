#pragma once

#include <QStringList>
#include <functional>
#include <string>
#include <vector>

class CatalogueFile;

// The book numbers of the records an import would add, to tell before
// writing those that repeat: in the file itself or against the catalogue.
class ImportRepeats {
 public:
  // The next record of the import, in order.
  void add(const char* record);
  qint64 count() const { return m_count; }
  // A line for each record whose book number stands in a live record of
  // `catalogue` or in an earlier record of the import; `placeOf` names the
  // import's n-th record. False with `failed` set when the catalogue cannot
  // be read.
  bool find(CatalogueFile& catalogue, const std::function<QString(qint64)>& placeOf, QStringList& lines);

 private:
  // A number of up to 18 digits as its value, a longer one as its text.
  struct Number {
    quint64 value;
    std::string digits;
    qint64 record;  // of the import, from 1; 0 for a catalogue record
    bool operator<(const Number& o) const {
      return std::tie(value, digits, record) < std::tie(o.value, o.digits, o.record);
    }
  };
  static bool numberOf(const char* record, quint64& value, std::string& digits);

  std::vector<Number> m_numbers;
  qint64 m_count = 0;
};
