#pragma once

#include <QByteArray>
#include <QList>
#include <QString>
#include <utility>

#include "transfer/MarcBook.h"
#include "transfer/MarcOptions.h"

struct yaz_marc_t_;

// One MARC record being made, fields added in tag order; text goes in as UTF-8.
class MarcFields {
 public:
  using Subfields = QList<std::pair<char, QString>>;
  explicit MarcFields(yaz_marc_t_* marc) : m_marc(marc) {}
  void leader(const char* leader);
  void control(const char* tag, const QString& data);
  // Empty subfields are left out, and a field left with none is not written.
  void field(const char* tag, const char* indicators, const Subfields& subfields);

 private:
  yaz_marc_t_* m_marc;
};

// The book as MARC21 or UNIMARC, numbered `number`, made at `moment`.
void addMarc21Fields(MarcFields& out, qint32 number, const MarcBook& book, const MarcOptions& options);
void addUnimarcFields(MarcFields& out, qint32 number, const MarcBook& book, const MarcOptions& options);
