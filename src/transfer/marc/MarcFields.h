#pragma once

#include <QList>
#include <QString>
#include <utility>

// One MARC record being made, fields added in tag order; text goes in as UTF-8.
class MarcFields {
 public:
  using Subfields = QList<std::pair<char, QString>>;
  virtual ~MarcFields() = default;
  virtual void leader(const char* leader) = 0;
  virtual void control(const char* tag, const QString& data) = 0;
  // Empty subfields are left out, and a field left with none is not written.
  virtual void field(const char* tag, const char* indicators, const Subfields& subfields) = 0;
};
