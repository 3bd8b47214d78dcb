#include "transfer/XmlAttributes.h"

bool XmlAttributes::feed(QByteArrayView piece) {
  for (const char c : piece) {
    if (c == '<') {
      m_count = 0;
      m_afterEquals = false;
    } else if (c == '=') {
      m_afterEquals = true;
    } else if (m_afterEquals && (c == '"' || c == '\'')) {
      m_afterEquals = false;
      if (++m_count > kMost) return false;
    } else if (c != ' ' && c != '\t' && c != '\r' && c != '\n') {
      m_afterEquals = false;
    }
  }
  return true;
}
