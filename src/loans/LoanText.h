#pragma once

#include <QByteArray>
#include <QString>

#include "catalogue/Cp1253.h"

namespace loans {

// A book's title or return date in the list, in Windows-1253 as the catalogue
// holds it, decoded only when shown: a quarter of a million strings made and
// freed cost more than reading the catalogue. A list read from a catalogue
// points into its own block of texts; a list put together by hand encodes its
// strings.
class LoanText {
 public:
  LoanText() = default;
  LoanText(const QString& text) : m_bytes(cp1253::encode(text)) {}
  // Bytes in a block that outlives this text: nothing is copied.
  LoanText(const char* bytes, int length) : m_bytes(QByteArray::fromRawData(bytes, length)) {}

  QString text() const { return cp1253::decode(m_bytes); }

 private:
  QByteArray m_bytes;
};

}  // namespace loans
