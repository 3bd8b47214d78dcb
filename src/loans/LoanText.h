#pragma once

#include <QString>

#include "catalogue/Cp1253.h"

namespace loans {

// A book's title or return date in the list. A list read from a catalogue
// keeps its books' texts as the catalogue's bytes in one block of its own and
// decodes a text only when it is shown: a quarter of a million strings made
// and freed cost more than reading the catalogue. A list put together by hand
// holds its strings.
class LoanText {
 public:
  LoanText() = default;
  LoanText(const QString& text) : m_own(text) {}
  // Windows-1253 bytes in a block that outlives this text.
  LoanText(const char* bytes, int length) : m_bytes(bytes), m_length(length) {}

  QString text() const { return m_bytes ? cp1253::decode(m_bytes, m_length) : m_own; }

 private:
  const char* m_bytes = nullptr;
  int m_length = 0;
  QString m_own;
};

}  // namespace loans
